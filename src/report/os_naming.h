#pragma once
// The name of the running Windows, from the fields of the kernel's own version
// record (which tells the truth whatever compatibility mode the program runs in).
#include <cstdint>
#include <optional>
#include <string>

namespace brontal {

// The fields of RTL_OSVERSIONINFOEXW that the name is made from.
struct OsVersionRecord {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint16_t servicePackMajor = 0;
    std::uint16_t servicePackMinor = 0;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;   // 1 = workstation
};

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
