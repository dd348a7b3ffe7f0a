#pragma once
// The running Windows as the kernel reports it (RtlGetVersion), untouched by
// the compatibility shims that make GetVersionEx lie.
#include <optional>

#include "report/os_naming.h"

namespace brontal::platform {

// Nothing when ntdll lacks the query or it answers with a failure status.
std::optional<OsVersionRecord> kernelVersion();

} // namespace brontal::platform
