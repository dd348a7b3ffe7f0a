#pragma once
// The folder list shows the chain of folders from the drive's root down to the
// current folder, then the current folder's subfolders one level deeper.
#include <string>
#include <string_view>
#include <vector>

#include "core/paths.h"   // the folder list joins its paths with these

namespace brontal {

// "C:\Windows\System32" -> {"C:\", "C:\Windows", "C:\Windows\System32"}.
// A trailing backslash is dropped except on the root. Empty for a path
// without a drive root.
std::vector<std::string> folderChain(std::string_view path);
// The last part of a chain entry as the list shows it: "c:\" for a root.
std::string folderDisplayName(std::string_view path);

} // namespace brontal
