#include "platform/windows_version.h"

#include <windows.h>

#include "platform/optional_api.h"

namespace brontal::platform {

std::optional<OsVersionRecord> kernelVersion() {
    auto query = optionalApi().rtlGetVersion;
    if (!query) return std::nullopt;
    OSVERSIONINFOEXW info{};
    static_assert(sizeof info == 284, "the kernel checks the size it is given");
    info.dwOSVersionInfoSize = sizeof info;
    if (query(&info) != 0) return std::nullopt;
    OsVersionRecord v;
    v.majorVersion = info.dwMajorVersion;
    v.minorVersion = info.dwMinorVersion;
    v.buildNumber = info.dwBuildNumber;
    v.servicePackMajor = info.wServicePackMajor;
    v.servicePackMinor = info.wServicePackMinor;
    v.suiteMask = info.wSuiteMask;
    v.productType = info.wProductType;
    return v;
}

} // namespace brontal::platform
