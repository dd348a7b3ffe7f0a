#pragma once
// The file browser (drive, folder and file lists) and the selected-file panel
// with its message line.
#include <optional>
#include <string>

#include "platform/services.h"
#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::inspect {

void wireFilePanel(MainWindow& main);
void selectDrive(MainWindow& main, const std::string& root);
void onFolderChange(MainWindow& main);
void fillFileList(ui::Control& list, const std::string& folder);

// Shows the facts of the file at path in the panel: what the file list click
// and the System32 listing click share. False (and an empty panel with a
// message) when the file cannot be read.
struct FileFactsTexts {
    std::string size, date;
};
std::optional<FileFactsTexts> readFileFacts(const std::string& path);

// The bitness probe of a window: empties that window's lblb when the file is
// no PE image, asks about unknown machines in a message box.
bool IsPe64Bit(ui::Form& window, Services& services, const std::string& path);

void ShowErrorMessage(MainWindow& main, const std::string& text);
void comparisonPanelClear(MainWindow& main);
void panelClear(MainWindow& main);
void BlinkLabel(ui::Control& label);

} // namespace brontal::inspect
