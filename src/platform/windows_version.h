#pragma once
// The running Windows as the kernel reports it (RtlGetVersion), untouched by
// the compatibility shims that make GetVersionEx lie.
#include <optional>

#include "core/os_version.h"

namespace brontal::platform {

// Nothing when ntdll lacks the query or it answers with a failure status.
std::optional<OsVersionRecord> kernelVersion();

} // namespace brontal::platform
