#include "platform/optional_api.h"

namespace brontal::platform {
namespace {

template <typename F>
void load(F& slot, HMODULE module, const char* name) {
    if (module) slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A library of the system, from the system folder only.
HMODULE systemLibrary(const wchar_t* name) {
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) module = LoadLibraryW(name);   // where the search flags are unknown
    return module;
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
        HMODULE oleacc = systemLibrary(L"oleacc.dll");
        load(a.lresultFromObject, oleacc, "LresultFromObject");
        load(a.createStdAccessibleObject, oleacc, "CreateStdAccessibleObject");
        load(a.sysAllocStringLen, systemLibrary(L"oleaut32.dll"), "SysAllocStringLen");
        if (!a.lresultFromObject || !a.createStdAccessibleObject || !a.sysAllocStringLen)
            OutputDebugStringW(
                L"Brontal32: oleacc.dll or oleaut32.dll could not be loaded; screen readers get the system's answers\n");
        return a;
    }();
    return api;
}

const ShellApi& shellApi() {
    static const ShellApi api = [] {
        ShellApi a;
        HMODULE shell = systemLibrary(L"shell32.dll");
        load(a.commandLineToArgvW, shell, "CommandLineToArgvW");
        load(a.shellExecuteW, shell, "ShellExecuteW");
        load(a.shellExecuteExW, shell, "ShellExecuteExW");
        load(a.coInitializeEx, systemLibrary(L"ole32.dll"), "CoInitializeEx");
        if (!a.commandLineToArgvW || !a.shellExecuteW || !a.shellExecuteExW || !a.coInitializeEx)
            OutputDebugStringW(L"Brontal32: shell32.dll or ole32.dll could not be loaded; shell calls fail\n");
        return a;
    }();
    return api;
}

} // namespace brontal::platform
