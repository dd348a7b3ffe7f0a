#include "platform/load_failure.h"

#include <windows.h>

#include <cwchar>

#include "core/missing_library.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {
namespace {

PeImports importsOf(const std::string& path) {
    PeImports imports;
    withFileReader(path, [&](PeReader& file) { imports = readPeImports(file); });
    return imports;
}

std::string windowsFolder() {
    wchar_t buf[MAX_PATH];
    UINT n = GetSystemWindowsDirectoryW(buf, MAX_PATH);
    return n && n < MAX_PATH ? narrow(buf) : std::string("C:\\Windows");
}

// The libraries the system maps at start-up and serves by name, wherever a
// component's folder would have its own copy.
std::vector<std::string> knownDlls() {
    std::vector<std::string> names;
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs", 0,
                      KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0; i < 4096; ++i) {
        wchar_t name[256], data[MAX_PATH + 1] = {};
        DWORD nameLength = 256, bytes = MAX_PATH * sizeof(wchar_t), type = 0;
        LONG status = RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                    &bytes);
        if (status == ERROR_NO_MORE_ITEMS) break;
        // DllDirectory and DllDirectory32 name the folders, not libraries.
        if (status != ERROR_SUCCESS || type != REG_SZ || _wcsnicmp(name, L"DllDirectory", 12) == 0) continue;
        names.push_back(narrow(data));
    }
    return names;
}

} // namespace

std::string loadFailureReason(const std::string& componentPath) {
    PeImports component = importsOf(componentPath);
    if (component.verdict.kind == PeKind::NotPe) return "";
    const std::string windows = windowsFolder();
    std::size_t slash = componentPath.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? currentFolder() : componentPath.substr(0, slash);
    return loadFailureText(component, windowsIs64(), [&](bool is64) {
        LibrarySearch search;
        search.folders = {folder, is64 ? windows + "\\Sysnative" : systemFolder(), windows};
        search.knownDlls = knownDlls();
        search.fileExists = fileExists;
        search.importsOf = importsOf;
        return search;
    });
}

} // namespace brontal::platform
