#pragma once
// Newer or optional system functions, looked up once and checked before use:
// Windows 7 without updates, and Wine, lack some of them.
#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>
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
    BSTR(WINAPI* sysAllocStringLen)(const OLECHAR*, UINT) = nullptr;   // oleaut32, which oleacc brings
};
const AccessibilityApi& accessibilityApi();

// The shell and COM, loaded from the system folder on the first shell call,
// or to split a command line that has arguments: a plain start of the window
// never needs them, and bound at start-up their loading (and what they load)
// would hold up every start.
struct ShellApi {
    LPWSTR*(WINAPI* commandLineToArgvW)(LPCWSTR, int*) = nullptr;
    HINSTANCE(WINAPI* shellExecuteW)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = nullptr;
    BOOL(WINAPI* shellExecuteExW)(SHELLEXECUTEINFOW*) = nullptr;
    HRESULT(WINAPI* coInitializeEx)(LPVOID, DWORD) = nullptr;   // ole32
};
const ShellApi& shellApi();

} // namespace brontal::platform
