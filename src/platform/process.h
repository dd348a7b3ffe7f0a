#pragma once
// Child processes the program starts and waits for.
#include <windows.h>

#include <string>

namespace brontal::platform {

// One hidden run that is waited for, without time-out unless one is given. With a verb it goes
// through the shell (file, parameters, directory, owner); without one the
// process is created from file, a full path, with commandLine as its
// command line. Neither way is a command interpreter in between.
struct HiddenRun {
    std::string commandLine;
    std::string verb;
    std::string file;        // the program, by full path
    std::string parameters;
    std::string directory;
    HWND owner = nullptr;
    // A run still going after this long is ended (TerminateProcess) and
    // reported as timed out; the window waits as long as it takes.
    DWORD timeLimitMs = INFINITE;
};

// How a run ended. started is false when the process could not be created or
// the shell refused the start.
struct ProcessExit {
    bool started = false;
    bool exitCodeRead = false;
    unsigned long exitCode = 0;
    bool timedOut = false;   // ended by the program after the run's time limit
    bool succeeded() const { return started && exitCodeRead && exitCode == 0; }
};

ProcessExit runHidden(const HiddenRun& run);

// The full path of a program of the system folder ("cmd.exe" -> C:\Windows\System32\cmd.exe
// as this process sees it), so that a copy beside the program or in the
// current folder is never the one started.
std::string systemProgram(const std::string& exeName);

} // namespace brontal::platform
