#include "platform/load_failure.h"

#include <windows.h>

#include <cwchar>
#include <memory>

#include "core/missing_library.h"
#include "core/pe_manifest.h"
#include "core/side_by_side.h"
#include "platform/component_load.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {
namespace {

// Import names are bytes in the ANSI code page, which the loader decodes.
PeImports importsOf(const std::string& path) {
    PeImports imports;
    withFileReader(path, [&](PeReader& file) { imports = readPeImports(file); });
    for (std::string& library : imports.libraries) library = fromAnsiCodePage(library);
    return imports;
}

std::string windowsFolder() {
    wchar_t buf[MAX_PATH];
    UINT n = GetSystemWindowsDirectoryW(buf, MAX_PATH);
    return n && n < MAX_PATH ? narrow(buf) : std::string("C:\\Windows");
}

std::string pathVariable() {
    DWORD n = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (n == 0) return "";
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(L"PATH", value.data(), n);
    value.resize(n < value.size() ? n : 0);
    return narrow(value);
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

// The side-by-side assemblies of one width, looked up in the folder names of
// WinSxS (listed once, when a module first names an assembly).
class Assemblies {
public:
    Assemblies(std::string winsxs, bool is64) : winsxs_(std::move(winsxs)), is64_(is64) {}
    std::vector<std::string> of(const std::string& module) {
        std::string manifest;
        withFileReader(module, [&](PeReader& file) { manifest = readPeManifest(file); });
        std::vector<std::string> folders;
        for (const AssemblyIdentity& identity : dependentAssemblies(manifest)) {
            if (!listed_) {
                listed_ = true;
                // Unlisted, every assembly's library is looked for in the folders alone.
                if (!listFolder(winsxs_, [&](const FolderItem& item) {
                        if (item.isFolder) names_.push_back(item.name);
                    }))
                    OutputDebugStringW((L"Brontal32: the side-by-side assemblies could not be listed: " +
                                        widen(winsxs_) + L"\n").c_str());
            }
            if (std::optional<std::string> folder = assemblyFolder(names_, identity, is64_))
                folders.push_back(winsxs_ + "\\" + *folder);
        }
        return folders;
    }

private:
    std::string winsxs_;
    bool is64_;
    bool listed_ = false;
    std::vector<std::string> names_;
};

} // namespace

std::string loadFailureReason(const std::string& componentPath) {
    PeImports component = importsOf(componentPath);
    if (component.verdict.kind == PeKind::NotPe) return "";
    const std::string windows = windowsFolder();
    std::size_t slash = componentPath.find_last_of('\\');
    LoaderPlaces places;
    places.component = slash == std::string::npos ? currentFolder() : componentPath.substr(0, slash);
    places.windows = windows;
    places.program = programFolder();
    places.path = pathFolders(pathVariable());
    places.ownAndSystemOnly = loadSearchesOwnAndSystemFolderOnly();
    return loadFailureText(component, windowsIs64(), [&](bool is64) {
        places.system = is64 ? windows + "\\Sysnative" : systemFolder();
        LibrarySearch search;
        placeFolders(places, search);
        search.knownDlls = knownDlls();
        search.fileExists = fileExists;
        search.importsOf = importsOf;
        search.component = componentPath;
        auto assemblies = std::make_shared<Assemblies>(windows + "\\WinSxS", is64);
        search.assembliesOf = [assemblies](const std::string& module) { return assemblies->of(module); };
        return search;
    });
}

} // namespace brontal::platform
