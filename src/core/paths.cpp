#include "core/paths.h"

namespace brontal {

std::string withTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != '\\') out += '\\';
    return out;
}

std::string childPath(std::string_view folder, std::string_view name) {
    return withTrailingBackslash(folder) + std::string(name);
}

} // namespace brontal
