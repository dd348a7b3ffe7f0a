#include "app/component_list.h"

#include <algorithm>
#include <unordered_map>

#include "registration/registration_command.h"

namespace brontal {
namespace {

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

void sortByName(std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& n : names) keyed.emplace_back(foldedFileName(n), std::move(n));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& k : keyed) names.push_back(std::move(k.second));
}

void collect(const ListEntries& list, const std::string& folder, bool recursive, std::vector<std::string>& out) {
    std::vector<std::string> files, subfolders;
    bool listed = list(folder, [&](const FolderEntry& e) {
        if (e.isFolder) {
            if (recursive && !e.isReparsePoint) subfolders.emplace_back(e.name);
        } else if (hasComponentExtension(e.name)) {
            files.emplace_back(e.name);
        }
    });
    if (!listed) return;
    sortByName(files);
    sortByName(subfolders);
    for (const std::string& f : files) out.push_back(joinPath(folder, f));
    for (const std::string& sub : subfolders) collect(list, joinPath(folder, sub), recursive, out);
}

} // namespace

std::vector<std::string> folderComponents(const ListEntries& list, const std::string& folder, bool recursive) {
    std::vector<std::string> out;
    collect(list, folder, recursive, out);
    return out;
}

std::vector<std::size_t> firstOfEach(const std::vector<std::string>& paths) {
    std::unordered_map<std::string, std::size_t> first;
    std::vector<std::size_t> index;
    index.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) index.push_back(first.emplace(foldedFileName(paths[i]), i).first->second);
    return index;
}

} // namespace brontal
