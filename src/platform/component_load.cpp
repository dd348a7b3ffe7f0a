#include "platform/component_load.h"

#include <windows.h>

#include "platform/optional_api.h"
#include "platform/text.h"

namespace brontal::platform {

bool componentLoads(const std::string& path) {
    const OptionalApi& api = optionalApi();
    const DWORD quiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    DWORD previous = 0;
    bool threadMode = api.setThreadErrorMode && api.setThreadErrorMode(quiet, &previous);
    UINT oldProcessMode = threadMode ? 0 : SetErrorMode(GetErrorMode() | quiet);

    std::wstring wide = widen(path);
    DWORD flags = api.setDefaultDllDirectories
                      ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
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
