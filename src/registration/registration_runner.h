#pragma once
// The work behind "Sim" on Form6: checks the request again, builds the silent
// regsvr32 command line, runs it hidden and shows the outcome in Form9.
#include <string>

#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::registration {

// Always ends by closing confirmWindow, refusals included.
void ExecuteRegistration(MainWindow& main, ui::Form& confirmWindow, const std::string& fullPath,
                         const std::string& fileName);

// True only when the process ran, its exit code could be read and is 0.
// Elevated: cmd.exe of the system folder through the shell's "runas" verb.
bool RunHiddenCommand(MainWindow& main, ui::Form& owner, const std::string& commandLine, bool elevated);

} // namespace brontal::registration
