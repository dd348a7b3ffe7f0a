#pragma once
// The walk of one folder tree for files of one name. Its effects (listing a
// folder, the running count, the hit list, pending events, the stop flag) are
// the host's, so the order of the walk can be tested without Windows.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brontal {

struct FolderEntry {
    std::string_view name;
    bool isFolder;
    bool isReparsePoint;
};

class TreeSearchHost {
public:
    virtual ~TreeSearchHost() = default;
    // Every entry but "." and ".."; false when the folder cannot be opened.
    virtual bool enumerate(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) = 0;
    virtual void showCount(int count) = 0;
    virtual void addHit(const std::string& fullPath) = 0;
    virtual void processEvents() = 0;
    virtual bool stopRequested() = 0;
};

// A folder's own files first (counted from 1, the count held at 32767), then
// its subfolders depth first; after each subfolder a stop ends that level.
// Junctions and symbolic links are not followed: one pointing back up the
// tree would make the walk endless. False when folder cannot be opened.
bool searchFolderTree(TreeSearchHost& host, const std::string& folder, std::string_view name);
bool sameFileName(std::string_view a, std::string_view b);
// One spelling for all the names sameFileName takes for one another.
std::string foldedFileName(std::string_view name);

// Lists a folder as TreeSearchHost::enumerate does.
using ListEntries = std::function<bool(const std::string& folder, const std::function<void(const FolderEntry&)>& visit)>;
// The same walk, never stopped, for several names at once, so that a set of
// files costs one walk of the tree instead of one walk per file: hits[i] gets
// the files named names[i], in the order searchFolderTree gives them for that
// name alone. False when folder cannot be opened.
bool searchFolderTreeForNames(const ListEntries& list, const std::string& folder, const std::vector<std::string>& names,
                              std::vector<std::vector<std::string>>& hits);

} // namespace brontal
