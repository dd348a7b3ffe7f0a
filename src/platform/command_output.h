#pragma once
// Runs a command line hidden and collects everything it prints on standard
// output and standard error, through one anonymous pipe.
#include <string>

namespace brontal::platform {

// Starts program (a full path, so that no copy beside the program or in the
// current folder is taken) with the command line as it is, in the system
// folder. Returns the output, or "Failed to create pipe." /
// "Failed to execute command.". Waits as long as the program takes.
std::string RunCommandGetOutput(const std::string& program, const std::string& commandLine);

struct CapturedOutput {
    enum Outcome { Ended, NotStarted, TimedOut } outcome = Ended;
    std::string text;   // what it printed, as UTF-8 (up to its end, when it was ended)
};

// The same within a time limit: a program still running after limitMs is
// ended (TerminateProcess) and its run reported as TimedOut.
CapturedOutput runCapturingOutput(const std::string& program, const std::string& commandLine, unsigned long limitMs);

} // namespace brontal::platform
