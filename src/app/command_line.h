#pragma once
// The program run from a command line: usage, the verification of one file,
// its registration or unregistration, answered on the standard streams.
#include "app/command_args.h"
#include "platform/services.h"
#include "platform/std_streams.h"

namespace brontal {

// Exit codes beyond regsvr32's own.
inline constexpr int kExitUsage = 2;        // bad arguments, or a file that cannot be read
inline constexpr int kExitNotAdmin = 5;     // registration asked for without administrator rights

// The exit code of the run. Never opens a window.
int runCommand(const Command& command, Services& services, platform::TextStreams& streams);

} // namespace brontal
