#include "report/os_naming.h"

namespace brontal {
namespace {

constexpr std::uint16_t kSuitePersonal = 0x200;

} // namespace

bool IsServerEdition(const OsVersionRecord& v) { return v.productType != 1; }

std::string GetWindowsName(const OsVersionRecord& v) {
    const bool server = IsServerEdition(v);
    switch (v.majorVersion) {
    case 3: return server ? "Windows NT 3.5 Server" : "Windows NT 3.5 Workstation";
    case 4: return server ? "Windows NT 4.0 Server" : "Windows NT 4.0 Workstation";
    case 5:
        switch (v.minorVersion) {
        case 0: return server ? "Windows 2000 Server" : "Windows 2000 Workstation";
        // XP Home and Professional share one product type; only the suite tells them apart.
        case 1: return (v.suiteMask & kSuitePersonal) ? "Windows XP Home Edition" : "Windows XP Professional";
        case 2: return server ? "Windows Server 2003" : "Windows XP 64-bit Edition";
        default: return "";
        }
    case 6:
        switch (v.minorVersion) {
        case 0: return server ? "Windows Server 2008" : "Windows Vista";
        case 1: return server ? "Windows Server 2008 R2" : "Windows 7";
        case 2: return server ? "Windows Server 2012" : "Windows 8";
        case 3: return server ? "Windows Server 2012 R2" : "Windows 8.1";
        default: return "";
        }
    // Windows 11 still reports 10; the build number is not looked at.
    case 10: return server ? "Windows Server 2016/2019/2022" : "Windows 10";
    default: return "";
    }
}

std::string GetServicePackText(const OsVersionRecord& v) {
    const auto major = static_cast<std::int16_t>(v.servicePackMajor);
    const auto minor = static_cast<std::int16_t>(v.servicePackMinor);
    if (major <= 0) return "";
    std::string text = "SP";
    text += std::to_string(major);
    if (minor > 0) {
        text += '.';
        text += std::to_string(minor);
    }
    return text;
}

std::string GetVersionNumberText(const OsVersionRecord& v) {
    return std::to_string(v.majorVersion) + "." + std::to_string(v.minorVersion) + "." +
           std::to_string(v.buildNumber);
}

std::string windowsVersionText(const std::optional<OsVersionRecord>& v) {
    if (!v) return kVersionQueryFailed;
    return GetWindowsName(*v) + " " + GetServicePackText(*v) + " (v" + GetVersionNumberText(*v) + ")";
}

} // namespace brontal
