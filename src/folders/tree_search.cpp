#include "folders/tree_search.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace brontal {
namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Latin-1 capitals (U+00C0..U+00DE, not U+00D7) as UTF-8 C3 80..C3 9E: lower
// is +0x20 on the second byte.
bool sameLetter(const unsigned char* a, const unsigned char* b, size_t& step) {
    if (a[0] == 0xC3 && b[0] == 0xC3) {
        unsigned char x = a[1], y = b[1];
        auto fold = [](unsigned char c) { return c >= 0x80 && c <= 0x9E && c != 0x97 ? c + 0x20 : c; };
        step = 2;
        return fold(x) == fold(y);
    }
    step = 1;
    return lowerAscii(static_cast<char>(a[0])) == lowerAscii(static_cast<char>(b[0]));
}

std::string joinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '\\') path += '\\';
    path += name;
    return path;
}

} // namespace

bool sameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto* pa = reinterpret_cast<const unsigned char*>(a.data());
    auto* pb = reinterpret_cast<const unsigned char*>(b.data());
    for (size_t i = 0; i < a.size();) {
        size_t step = 1;
        if (i + 1 < a.size()) {
            if (!sameLetter(pa + i, pb + i, step)) return false;
        } else if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
        i += step;
    }
    return true;
}

std::string foldedFileName(std::string_view name) {
    std::string folded(name);
    auto fold = [](unsigned char c) { return c >= 0x80 && c <= 0x9E && c != 0x97 ? static_cast<char>(c + 0x20) : static_cast<char>(c); };
    for (size_t i = 0; i < folded.size(); ++i) {
        if (static_cast<unsigned char>(folded[i]) == 0xC3 && i + 1 < folded.size()) {
            ++i;
            folded[i] = fold(static_cast<unsigned char>(folded[i]));
        } else {
            folded[i] = lowerAscii(folded[i]);
        }
    }
    return folded;
}

namespace {

using NameIndex = std::unordered_map<std::string, std::vector<size_t>>;

bool walkForNames(const ListEntries& list, const std::string& folder, const NameIndex& wanted,
                  std::vector<std::vector<std::string>>& hits) {
    std::vector<std::string> subfolders;
    bool opened = list(folder, [&](const FolderEntry& e) {
        if (e.isFolder) {
            if (!e.isReparsePoint) subfolders.emplace_back(e.name);
            return;
        }
        auto found = wanted.find(foldedFileName(e.name));
        if (found == wanted.end()) return;
        for (size_t i : found->second) hits[i].push_back(joinPath(folder, e.name));
    });
    if (!opened) return false;
    for (const std::string& sub : subfolders) walkForNames(list, joinPath(folder, sub), wanted, hits);
    return true;
}

} // namespace

bool searchFolderTreeForNames(const ListEntries& list, const std::string& folder, const std::vector<std::string>& names,
                              std::vector<std::vector<std::string>>& hits) {
    hits.resize(names.size());
    NameIndex wanted;
    for (size_t i = 0; i < names.size(); ++i) wanted[foldedFileName(names[i])].push_back(i);
    return walkForNames(list, folder, wanted, hits);
}

bool searchFolderTree(TreeSearchHost& host, const std::string& folder, std::string_view name) {
    std::int16_t counter = 1;
    int last = 0; // the count shown for the last file examined
    std::vector<std::string> subfolders;
    bool opened = host.enumerate(folder, [&](const FolderEntry& e) {
        if (e.isFolder) {
            if (!e.isReparsePoint) subfolders.emplace_back(e.name);
            return;
        }
        if (sameFileName(e.name, name)) {
            host.showCount(counter);
            host.addHit(joinPath(folder, e.name));
            host.processEvents();
        }
        last = counter;
        if (counter < INT16_MAX) ++counter;
    });
    if (!opened) return false;
    // The count of the last file examined, once the files are done.
    if (last > 0) host.showCount(last);
    for (const std::string& sub : subfolders) {
        host.processEvents();
        searchFolderTree(host, joinPath(folder, sub), name);
        if (host.stopRequested()) break;
    }
    return true;
}

} // namespace brontal
