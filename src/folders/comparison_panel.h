#pragma once
// The four-folder comparison panel and what fills it: the facts of a file as
// the panels show them (size and date texts, bitness), which the selected-file
// panel, the System32 listing and the report use as well.
#include <optional>
#include <string>

#include "panel/main_panel.h"

namespace brontal::folders {

// Size and date texts of the file at path; nothing when it cannot be read or
// is a folder.
struct FileFactsTexts {
    std::string size, date;
};
std::optional<FileFactsTexts> readFileFacts(const std::string& path);

// The bitness probe of a window: empties that window's lblb when the file is
// no PE image, asks about unknown machines in a message box.
bool IsPe64Bit(ui::Control& lblb, Services& services, const std::string& path);

// Every slot's date, size and bitness emptied, every folder picture closed.
void comparisonPanelClear(MainPanel& main);

} // namespace brontal::folders
