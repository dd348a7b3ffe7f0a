#pragma once
// The file browser (drive, folder and file lists) and the selected-file panel.
#include <string>

#include "panel/main_panel.h"

namespace brontal::inspect {

void wireFilePanel(MainPanel& main);
void selectDrive(MainPanel& main, const std::string& root);
void onFolderChange(MainPanel& main);
void fillFileList(ui::Control& list, const std::string& folder);
// The comparison panel cleared, the load indicator neutral, the hit list empty.
void panelClear(MainPanel& main);

} // namespace brontal::inspect
