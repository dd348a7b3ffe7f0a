#pragma once
// The output of a run from a command line. The program is a window program,
// so Explorer and shortcuts never flash a console for it; started from a
// console it writes into that console.
#include <memory>
#include <string_view>

namespace brontal::platform {

class TextStreams {
public:
    virtual ~TextStreams() = default;
    virtual void out(std::string_view utf8) = 0;
    virtual void err(std::string_view utf8) = 0;
    // Standard output is a console window (not a file or a pipe).
    virtual bool outIsConsole() const = 0;
    // Standard error is a console window: progress is shown there only.
    virtual bool errIsConsole() const { return false; }
    // The system's error code of the first write to standard output that
    // failed (a full disk, a closed pipe), or 0: what it held is lost.
    virtual unsigned long outWriteError() const { return 0; }
    // The run is over: whatever it wrote is completed where it went.
    virtual void finish() {}
};

// The handles the program was given (a file or a pipe: the UTF-8 bytes as
// they are), or else the console of the program that started it (written as
// wide characters, so accents come out right in cmd.exe and PowerShell
// whatever their code page). With neither, as from Explorer or a shortcut,
// finish() shows everything the run wrote in one message box.
std::unique_ptr<TextStreams> standardStreams();

} // namespace brontal::platform
