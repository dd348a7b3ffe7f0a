#include "platform/system.h"

#include <objbase.h>
#include <shellapi.h>

#include "platform/optional_api.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {

bool isProcessElevated() {
    unique_handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
    DWORD elevation = 0;
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return false;
    return elevation != 0;
}

void suppressSystemErrorDialogs() {
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
}

void restrictDllSearchToSystem() {
    const auto& api = optionalApi();
    if (api.setDefaultDllDirectories) api.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Also take the current folder out of the search where the call above is missing.
    if (api.setDllDirectoryW) api.setDllDirectoryW(L"");
}

void beep() { MessageBeep(MB_OK); }

void ensureComForShell() {
    // Once per process, on the one user-interface thread; it stays until the end.
    static const bool initialised = [] {
        const auto& api = shellApi();
        return api.coInitializeEx &&
               SUCCEEDED(api.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    (void)initialised;
}

int messageBox(HWND owner, const std::string& text, const std::string& caption, unsigned style) {
    return MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(), style);
}

INT_PTR shellExecute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                     const std::string& dir, int show) {
    ensureComForShell();
    const auto& api = shellApi();
    if (!api.shellExecuteW) return SE_ERR_DLLNOTFOUND;
    std::wstring v = widen(verb), f = widen(file), p = widen(params), d = widen(dir);
    HINSTANCE r = api.shellExecuteW(owner, v.empty() ? nullptr : v.c_str(), f.c_str(), p.empty() ? nullptr : p.c_str(),
                                d.empty() ? nullptr : d.c_str(), show);
    return reinterpret_cast<INT_PTR>(r);
}

bool setClipboardText(HWND owner, const std::string& text) {
    std::wstring wide = widen(text);
    // Another program (a clipboard viewer, a manager) may hold the clipboard
    // for a moment: a copy only fails when it stays held.
    bool opened = false;
    for (int attempt = 0; attempt < 20 && !(opened = OpenClipboard(owner) != FALSE); ++attempt) Sleep(25);
    if (!opened) return false;
    EmptyClipboard();
    bool ok = false;
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t))) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(mem);
            ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        }
        if (!ok) GlobalFree(mem);
    }
    CloseClipboard();
    return ok;
}

void endProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

} // namespace brontal::platform
