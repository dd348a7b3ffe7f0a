#include "core/paths.h"

#include <cctype>

namespace brontal {

std::string withTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != '\\') out += '\\';
    return out;
}

std::string childPath(std::string_view folder, std::string_view name) {
    return withTrailingBackslash(folder) + std::string(name);
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace brontal
