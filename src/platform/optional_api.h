#pragma once
// Newer or optional system functions, looked up once and checked before use:
// Windows 7 without updates, and Wine, lack some of them.
#include <windows.h>
#include <unknwn.h>

namespace brontal::platform {


struct OptionalApi {
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD) = nullptr;
    BOOL(WINAPI* setDllDirectoryW)(LPCWSTR) = nullptr;
    BOOL(WINAPI* setProcessDpiAwarenessContext)(HANDLE) = nullptr;
    BOOL(WINAPI* setProcessDpiAware)() = nullptr;
    LONG(WINAPI* rtlGetVersion)(void* osVersionInfoExW) = nullptr;   // ntdll; 0 = success
    BOOL(WINAPI* setThreadErrorMode)(DWORD, DWORD*) = nullptr;
};

const OptionalApi& optionalApi();

// The accessibility library, loaded from the system folder the first time a
// screen reader asks, not at start-up.
struct AccessibilityApi {
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, IUnknown*) = nullptr;
    HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
};
const AccessibilityApi& accessibilityApi();

} // namespace brontal::platform
