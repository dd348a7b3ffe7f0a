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

const AccessibilityApi& accessibilityApi() {
    static const AccessibilityApi api = [] {
        AccessibilityApi a;
        HMODULE oleacc = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!oleacc) oleacc = LoadLibraryW(L"oleacc.dll");   // where the search flags are unknown
        load(a.lresultFromObject, oleacc, "LresultFromObject");
        load(a.createStdAccessibleObject, oleacc, "CreateStdAccessibleObject");
        if (!a.lresultFromObject || !a.createStdAccessibleObject)
            OutputDebugStringW(L"Brontal32: oleacc.dll could not be loaded; screen readers get the system's answers\n");
        return a;
    }();
    return api;
}

} // namespace brontal::platform
