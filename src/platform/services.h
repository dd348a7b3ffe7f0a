#pragma once
// What the windows ask of the system and that tests need to stand in for:
// the token probe, the beep, message boxes and the shell. The program uses the
// real ones; window tests inject their own so nothing blocks or escapes.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/process.h"

namespace brontal {

struct Services {
    std::function<bool()> isElevated;
    std::function<void()> beep;
    std::function<int(HWND owner, const std::string& text, const std::string& caption, unsigned style)> messageBox;
    std::function<INT_PTR(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                          const std::string& dir, int show)>
        shellExecute;
    std::function<bool(HWND owner, const std::string& text)> setClipboardText;
    // Hidden child processes that are waited for (the regsvr32 runs).
    std::function<platform::ProcessExit(const platform::HiddenRun& run)> runHidden;
    // A drive's volume label ("C:\\"), or nothing when the drive does not
    // answer. Called on a thread of its own: a drive may take seconds.
    std::function<std::optional<std::string>(const std::string& root)> volumeLabel;
    // Ends the program at once, from wherever the last window was closed.
    std::function<void(int exitCode)> endProgram;

    static Services real();
};

} // namespace brontal
