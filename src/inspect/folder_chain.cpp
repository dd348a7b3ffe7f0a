#include "inspect/folder_chain.h"

#include <cctype>

namespace brontal {

std::vector<std::string> folderChain(std::string_view path) {
    std::vector<std::string> chain;
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) return chain;
    std::string root(path.substr(0, 2));
    root += '\\';
    chain.push_back(root);
    std::string current = root;
    size_t pos = path.size() > 2 && path[2] == '\\' ? 3 : 2;
    while (pos < path.size()) {
        size_t next = path.find('\\', pos);
        std::string_view part = path.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos);
        if (!part.empty()) {
            if (current.back() != '\\') current += '\\';
            current += part;
            chain.push_back(current);
        }
        if (next == std::string_view::npos) break;
        pos = next + 1;
    }
    return chain;
}

std::string folderDisplayName(std::string_view path) {
    if (path.size() <= 3) {
        std::string root(path);
        if (!root.empty()) root[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(root[0])));
        return root;
    }
    size_t slash = path.find_last_of('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace brontal
