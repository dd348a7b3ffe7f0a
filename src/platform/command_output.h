#pragma once
// Runs a command line hidden and collects everything it prints on standard
// output and standard error, through one anonymous pipe.
#include <string>

namespace brontal::platform {

// The command line is passed as it is; the program that runs it is taken from
// the system folder (never from the program's or the current folder), and the
// child starts in the system folder. Returns the output, or
// "Failed to create pipe." / "Failed to execute command.".
std::string RunCommandGetOutput(const std::string& commandLine);

} // namespace brontal::platform
