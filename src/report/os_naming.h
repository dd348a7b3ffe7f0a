#pragma once
// The name of the running Windows, from the fields of the kernel's own version
// record (which tells the truth whatever compatibility mode the program runs in).
#include <optional>
#include <string>

#include "core/os_version.h"

namespace brontal {

inline constexpr char kVersionQueryFailed[] = "Failed to retrieve Windows version";

bool IsServerEdition(const OsVersionRecord& v);
// The product name, or "" for a version the table does not know.
std::string GetWindowsName(const OsVersionRecord& v);
// "SP2", "SP2.1", or "" without a service pack.
std::string GetServicePackText(const OsVersionRecord& v);
// "major.minor.build".
std::string GetVersionNumberText(const OsVersionRecord& v);
// name, blank, service pack, " (v", version, ")"; the failure text when the
// query gave no record.
std::string windowsVersionText(const std::optional<OsVersionRecord>& v);

} // namespace brontal
