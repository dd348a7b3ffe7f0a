#include "platform/optional_api.h"

namespace brontal::platform {
namespace {

template <typename F>
void load(F& slot, HMODULE module, const char* name) {
    if (module) slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

const OptionalApi& optionalApi() {
    static const OptionalApi api = [] {
        OptionalApi a;
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        HMODULE user = GetModuleHandleW(L"user32.dll");
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        load(a.setDefaultDllDirectories, kernel, "SetDefaultDllDirectories");
        load(a.setDllDirectoryW, kernel, "SetDllDirectoryW");
        load(a.setThreadErrorMode, kernel, "SetThreadErrorMode");
        load(a.setProcessDpiAwarenessContext, user, "SetProcessDpiAwarenessContext");
        load(a.setProcessDpiAware, user, "SetProcessDPIAware");
        load(a.rtlGetVersion, ntdll, "RtlGetVersion");
        return a;
    }();
    return api;
}

} // namespace brontal::platform
