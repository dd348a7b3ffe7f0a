#pragma once
// The classic folder list: the chain from the root with open-folder pictures,
// then the subfolders of the current folder, indented one level more.
#include <string>
#include <vector>

#include "ui/control.h"

namespace brontal::inspect {

// Fills the list for path and returns the path it shows, or "" when the
// folder cannot be listed (the list is then left as it was). paths receives
// the full path of every entry, by index.
std::string fillFolderList(ui::Control& list, const std::string& path, std::vector<std::string>& paths);
// Draws one entry: indentation by level (the item data), then the picture.
void drawFolderItem(ui::Control& list, const ui::DrawItem& item, int currentLevel);

// Sorted the way Explorer lists names, ignoring case.
void sortNames(std::vector<std::string>& names);

} // namespace brontal::inspect
