#pragma once
// The work behind "Sim" on Form6: checks the request again, builds the silent
// regsvr32 command line, runs it hidden and shows the outcome in Form9.
#include <string>

#include "platform/process.h"
#include "ui/form.h"

namespace brontal {
class MainPanel;
}

namespace brontal::registration {

// Always ends by closing confirmWindow, refusals included.
void ExecuteRegistration(MainPanel& main, ui::Form& confirmWindow, const std::string& fullPath,
                         const std::string& fileName);

// Runs program (a full path) with arguments, hidden and waited for; the run
// succeeded() only when the process ran, its exit code could be read and is
// 0, and the exit code tells why not. Elevated, the
// program itself goes through the shell's "runas" verb, never a command
// interpreter: that would expand %NAME% in the component's path and run
// another file than the one shown.
platform::ProcessExit RunHiddenCommand(MainPanel& main, ui::Form& owner, const std::string& program,
                                       const std::string& arguments, bool elevated);
// The run itself, as the buttons make it; the command line makes the same.
platform::HiddenRun hiddenRun(const std::string& program, const std::string& arguments, bool elevated,
                              HWND owner = nullptr);

} // namespace brontal::registration
