#pragma once
// Whether a component file loads into this process.
#include <string>

namespace brontal::platform {

// Loads and at once releases the file. No system dialog appears for a missing
// dependency or a bad image; the component's own folder is searched for its
// dependencies.
bool componentLoads(const std::string& path);

} // namespace brontal::platform
