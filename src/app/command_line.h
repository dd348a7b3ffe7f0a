#pragma once
// The program run from a command line: usage, the verification of one file,
// its registration or unregistration, answered on the standard streams.
#include <string>

#include "app/command_args.h"
#include "platform/services.h"
#include "platform/std_streams.h"

namespace brontal {

// The program's own refusals, each with a code regsvr32 never returns (it
// returns 0 to 5), so that a script can tell them from its answers.
inline constexpr int kExitBadArguments = 10;
inline constexpr int kExitUnreadable = 11;      // a file (or folder to open) that is not there or cannot be read
inline constexpr int kExitNotComponent = 12;    // neither .dll nor .ocx
inline constexpr int kExitNotAdmin = 13;        // registration asked for without administrator rights
inline constexpr int kExitNotStarted = 14;      // regsvr32 or reg could not be started
inline constexpr int kExitCodeUnread = 15;      // regsvr32 ended, but its exit code could not be read
inline constexpr int kExitWriteFailed = 16;     // standard output could not be written
inline constexpr int kExitTimedOut = 17;        // regsvr32 or reg still running after the time limit
inline constexpr int kExitNoComponents = 18;    // a folder given to verify holds no .dll or .ocx
inline constexpr int kExitRegistryUnread = 19;  // the registry's CLSID or TypeLib key could not be opened

// How long a program the command line starts may run.
inline constexpr unsigned long kChildTimeLimitMs = 60000;

// The exit code of the run. Never opens a window. An Open command is for the
// window: here it is only checked (kExitUnreadable when it names nothing).
int runCommand(const Command& command, Services& services, platform::TextStreams& streams,
               unsigned long childTimeLimitMs = kChildTimeLimitMs);

} // namespace brontal
