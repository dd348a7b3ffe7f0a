#pragma once
// Folder paths as the windows put them together: a folder and a name inside it.
#include <string>
#include <string_view>

namespace brontal {

// path + "\" unless it already ends in one.
std::string withTrailingBackslash(std::string_view path);
std::string childPath(std::string_view folder, std::string_view name);

} // namespace brontal
