#pragma once
// Folder paths as the windows put them together: a folder and a name inside
// it; names compared letter case aside, in ASCII as the loader and WinSxS do.
#include <string>
#include <string_view>

namespace brontal {

// path + "\" unless it already ends in one.
std::string withTrailingBackslash(std::string_view path);
std::string childPath(std::string_view folder, std::string_view name);
std::string lowerAscii(std::string_view text);

} // namespace brontal
