#pragma once
// The version of a file, read from the bytes of its VERSIONINFO resource:
// the fixed record's numbers and the first translation's FileVersion,
// ProductName and CompanyName. The bytes are other people's: any of them is
// read safely, and what does not hold together is left out.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace brontal {

struct VersionRecord {
    std::optional<std::array<std::uint16_t, 4>> fileVersion, productVersion;   // VS_FIXEDFILEINFO
    std::string fileVersionText, productName, companyName;                     // UTF-8, may be empty
};

// Nothing when the bytes are no VS_VERSION_INFO block. Strings are cut at
// kMaxVersionString characters.
std::optional<VersionRecord> parseVersionResource(const std::uint8_t* data, std::size_t size);
inline constexpr std::size_t kMaxVersionString = 1024;

// "6.1.98.39" from the fixed record, else the FileVersion string, else "".
std::string versionNumber(const VersionRecord& v);
// A tip's line: "Versão 6.1.98.39 - Microsoft Corporation", or that there is none.
std::string versionTipLine(const std::optional<VersionRecord>& v);

} // namespace brontal
