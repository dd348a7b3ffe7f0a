#include "platform/component_load.h"

#include <windows.h>

#include "platform/optional_api.h"
#include "platform/text.h"

namespace brontal::platform {

bool loadSearchesOwnAndSystemFolderOnly() { return optionalApi().setDefaultDllDirectories != nullptr; }

bool componentLoads(const std::string& path) {
    const OptionalApi& api = optionalApi();
    const DWORD quiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    DWORD previous = 0;
    bool threadMode = api.setThreadErrorMode && api.setThreadErrorMode(quiet, &previous);
    UINT oldProcessMode = threadMode ? 0 : SetErrorMode(GetErrorMode() | quiet);

    std::wstring wide = widen(path);
    // The component's libraries come from its own folder and the system
    // folder only: never from beside this program, which runs elevated and is
    // often started from a downloads folder (the default directories would
    // put that folder before the system's). Where these flags are missing
    // (Windows 7 without KB2533623 and older systems, the ones that lack
    // SetDefaultDllDirectories), the altered search path looks in the
    // component's folder, the system folders, the Windows folder and the PATH:
    // not in the program's folder, and not in the current folder, which the
    // program took out of the search at start-up (SetDllDirectoryW("")).
    DWORD flags = loadSearchesOwnAndSystemFolderOnly() ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                                                       : LOAD_WITH_ALTERED_SEARCH_PATH;
    HMODULE module = LoadLibraryExW(wide.c_str(), nullptr, flags);
    if (module) FreeLibrary(module);

    if (threadMode)
        api.setThreadErrorMode(previous, nullptr);
    else
        SetErrorMode(oldProcessMode);
    return module != nullptr;
}

} // namespace brontal::platform
