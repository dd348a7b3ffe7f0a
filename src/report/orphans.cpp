#include "report/orphans.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "folders/tree_search.h"
#include "report/verification.h"

namespace brontal {

std::vector<Registration> orphansOf(std::vector<Registration> all,
                                    const std::function<std::string(const Registration&)>& openPath,
                                    const std::function<bool(const std::string&)>& exists,
                                    const std::function<bool(const std::string&)>& folderExists) {
    // A hive names the same few files thousands of times (the system's own
    // libraries), and an uninstalled program leaves hundreds of classes in
    // the one folder it removed: each path and each folder is asked once.
    std::unordered_map<std::string, bool> files, folders;
    auto known = [](std::unordered_map<std::string, bool>& cache, const std::string& path, auto&& ask) {
        auto [at, added] = cache.try_emplace(foldedFileName(path), false);
        if (added) at->second = ask(path);
        return at->second;
    };
    std::vector<Registration> orphans;
    for (Registration& r : all) {
        const std::string path = openPath(r);
        const std::size_t cut = path.find_last_of("\\/");
        // A root or a network share's folder is not asked: the file is.
        const bool plainFolder = cut != std::string::npos && cut > 0 && path[cut - 1] != ':' && path.rfind("\\\\", 0) != 0;
        const bool there = (!plainFolder ||
                            known(folders, path.substr(0, cut), folderExists)) &&
                           known(files, path, exists);
        if (!there) orphans.push_back(std::move(r));
    }
    auto key = [](const Registration& r) { return std::make_tuple(foldedFileName(r.path), r.view, r.kind, r.clsid); };
    std::stable_sort(orphans.begin(), orphans.end(),
                     [&](const Registration& a, const Registration& b) { return key(a) < key(b); });
    return orphans;
}

std::string orphansText(const std::vector<Registration>& orphans) {
    if (orphans.empty()) return "Nenhum registro aponta para um arquivo inexistente.\r\n";
    std::string text;
    for (const Registration& r : orphans) {
        text += r.path + "  (" + std::to_string(r.view) + " bits, " + r.kind + ", " + r.clsid;
        if (!r.progid.empty()) text += ", " + r.progid;
        if (!r.name.empty()) text += ", \"" + r.name + "\"";
        text += ")\r\n";
    }
    return text;
}

std::string orphansJson(const std::vector<Registration>& orphans) {
    auto orNull = [](const std::string& t) { return t.empty() ? std::string("null") : jsonString(t); };
    std::string j = "[";
    for (std::size_t i = 0; i < orphans.size(); ++i) {
        const Registration& r = orphans[i];
        j += i ? ",\n  {" : "\n  {";
        j += "\"view\": " + std::to_string(r.view) + ", \"kind\": " + jsonString(r.kind) + ", \"clsid\": " +
             jsonString(r.clsid) + ", \"progid\": " + orNull(r.progid) + ", \"name\": " + orNull(r.name) +
             ", \"path\": " + jsonString(r.path) + ", \"file\": " + jsonString(r.file) + "}";
    }
    return j + (orphans.empty() ? "]\n" : "\n]\n");
}

} // namespace brontal
