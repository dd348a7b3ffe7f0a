#pragma once
// The running Windows as the kernel's version query describes it: the value
// the platform reads and the report names.
#include <cstdint>

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

} // namespace brontal
