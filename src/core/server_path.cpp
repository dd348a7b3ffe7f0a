#include "core/server_path.h"

namespace brontal {
namespace {

constexpr int kMaxCandidates = 64;

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (blank(text.front()) || text.front() == '\0')) text.remove_prefix(1);
    while (!text.empty() && (blank(text.back()) || text.back() == '\0')) text.remove_suffix(1);
    return text;
}

bool hasExtension(std::string_view path) {
    std::string_view name = fileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot > 0 && dot + 1 < name.size();
}

} // namespace

std::string_view fileNameOf(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string inprocServerFile(std::string_view value) {
    std::string_view v = trimmed(value);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = trimmed(v.substr(1, v.size() - 2));
    return std::string(v);
}

std::string localServerFile(std::string_view commandLine, const std::function<bool(const std::string&)>& isFile) {
    std::string_view line = trimmed(commandLine);
    if (!line.empty() && line.front() == '"') {
        std::size_t close = line.find('"', 1);
        return std::string(trimmed(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    }
    // Every place where the program's name may end: before each blank, and the end.
    std::string firstWithExtension;
    std::string firstWord;
    // Bounded: a hostile value of thousands of words must not cost thousands
    // of file-system questions.
    int asked = 0;
    for (std::size_t end = 0; end <= line.size() && asked < kMaxCandidates; ++end) {
        if (end < line.size() && !blank(line[end])) continue;
        if (end == 0 || blank(line[end - 1])) continue;   // a run of blanks ends once
        std::string candidate(line.substr(0, end));
        if (firstWord.empty()) firstWord = candidate;
        ++asked;
        if (isFile(candidate)) return candidate;
        if (!hasExtension(candidate)) {
            if (isFile(candidate + ".exe")) return candidate + ".exe";
        } else if (firstWithExtension.empty()) {
            firstWithExtension = candidate;
        }
    }
    return firstWithExtension.empty() ? firstWord : firstWithExtension;
}

} // namespace brontal
