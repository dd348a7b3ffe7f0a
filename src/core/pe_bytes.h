#pragma once
// The little-endian fields of a PE file and its two signatures, as the
// bitness probe and the import-table reader both read them.
#include <cstdint>

namespace brontal::pe {

inline std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline constexpr std::uint16_t kMz = 0x5A4D;                // "MZ"
inline constexpr std::uint32_t kPeSignature = 0x00004550;   // "PE\0\0"

} // namespace brontal::pe
