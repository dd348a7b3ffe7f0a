#pragma once
// The files a set named on the command line stands for: a folder its .dll and
// .ocx files, a file given twice verified once. Portable, over a listing the
// caller supplies.
#include <cstddef>
#include <string>
#include <vector>

#include "folders/tree_search.h"

namespace brontal {

// A folder's components: its own .dll and .ocx files in name order (letter
// case aside), then with recursive each subfolder's the same way, subfolders
// in name order. Junctions and symbolic links are not followed, as in the
// common folders' walk. Nothing when the folder cannot be listed.
std::vector<std::string> folderComponents(const ListEntries& list, const std::string& folder, bool recursive);

// For every path, the index of the first one naming the same file (letter
// case aside): each file is verified once and reported wherever it was given.
std::vector<std::size_t> firstOfEach(const std::vector<std::string>& paths);

} // namespace brontal
