#pragma once
// The common system folders and the names of the main-window controls that
// show each folder's copy of the component, as "|"-separated texts.
#include <string>
#include <string_view>
#include <vector>

namespace brontal {

struct FolderSlotTexts {
    std::string folders, images, dateLabels, sizeLabels, bitsLabels;
};
FolderSlotTexts fourSlotTexts();   // 64-bit Windows
FolderSlotTexts twoSlotTexts();    // 32-bit Windows

struct FolderSlot {
    std::string folder, image, dateLabel, sizeLabel, bitsLabel;
};
std::vector<std::string> splitPipe(std::string_view text);
std::vector<FolderSlot> slotsFrom(const FolderSlotTexts& texts);
// The first hit whose text contains folder, ignoring letter case; -1 if none.
int findNamesake(const std::vector<std::string>& hits, std::string_view folder);

} // namespace brontal
