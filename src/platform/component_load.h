#pragma once
// Whether a component file loads into this process.
#include <string>

namespace brontal::platform {

// Loads and at once releases the file. No system dialog appears for a missing
// dependency or a bad image; the component's libraries are looked for in its
// own folder and in the system folder.
bool componentLoads(const std::string& path);

// Whether that load searches the component's folder and the system folder
// only; false on systems without that search, where it takes the altered
// search path (the Windows folder and the PATH too).
bool loadSearchesOwnAndSystemFolderOnly();

} // namespace brontal::platform
