#pragma once
// Runs a command line hidden and collects everything it prints on standard
// output and standard error, through one anonymous pipe.
#include <string>

namespace brontal::platform {

// Starts program (a full path, so that no copy beside the program or in the
// current folder is taken) with the command line as it is, in the system
// folder. Returns the output, or "Failed to create pipe." /
// "Failed to execute command.".
std::string RunCommandGetOutput(const std::string& program, const std::string& commandLine);

} // namespace brontal::platform
