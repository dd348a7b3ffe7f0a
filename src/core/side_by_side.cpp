#include "core/side_by_side.h"

#include <array>
#include <cctype>
#include <cstdlib>

#include "core/paths.h"

namespace brontal {
namespace {

// The identities are ASCII: a UTF-16 manifest is read by its low bytes.
std::string asciiOf(std::string_view manifest) {
    if (manifest.size() < 2 || static_cast<unsigned char>(manifest[0]) != 0xFF ||
        static_cast<unsigned char>(manifest[1]) != 0xFE)
        return std::string(manifest);
    std::string out;
    for (std::size_t i = 2; i + 1 < manifest.size(); i += 2)
        out += manifest[i + 1] == 0 ? manifest[i] : '?';
    return out;
}

// A tag's name without its namespace prefix ("asmv1:assemblyIdentity").
std::string_view localName(std::string_view tag) {
    std::size_t end = tag.find_first_of(" \t\r\n/>");
    tag = tag.substr(0, end);
    std::size_t colon = tag.find(':');
    return colon == std::string_view::npos ? tag : tag.substr(colon + 1);
}

std::string attribute(std::string_view tag, std::string_view name) {
    for (std::size_t at = 0; (at = tag.find(name, at)) != std::string_view::npos; at += name.size()) {
        const bool starts = at > 0 && std::isspace(static_cast<unsigned char>(tag[at - 1]));
        std::size_t i = at + name.size();
        while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
        if (!starts || i >= tag.size() || tag[i] != '=') continue;
        ++i;
        while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
        if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\'')) continue;
        std::size_t close = tag.find(tag[i], i + 1);
        if (close == std::string_view::npos) return "";
        return std::string(tag.substr(i + 1, close - i - 1));
    }
    return "";
}

// "a.b.c.d" as four numbers; false for anything else.
bool versionOf(std::string_view text, std::array<unsigned long, 4>& v) {
    std::string s(text);
    const char* p = s.c_str();
    for (std::size_t i = 0; i < 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
        char* end = nullptr;
        v[i] = std::strtoul(p, &end, 10);
        p = end;
        if (i < 3 && *p++ != '.') return false;
    }
    return *p == 0;
}

} // namespace

std::vector<AssemblyIdentity> dependentAssemblies(std::string_view manifest) {
    const std::string text = asciiOf(manifest);
    std::vector<AssemblyIdentity> out;
    int inDependent = 0;
    for (std::size_t at = 0; (at = text.find('<', at)) != std::string::npos && out.size() < kMaxDependentAssemblies;) {
        if (text.compare(at, 4, "<!--") == 0) {
            std::size_t end = text.find("-->", at + 4);
            at = end == std::string::npos ? text.size() : end + 3;
            continue;
        }
        std::size_t end = text.find('>', at);
        if (end == std::string::npos) break;
        std::string_view tag(text.data() + at + 1, end - at - 1);
        at = end + 1;
        const bool closing = !tag.empty() && tag[0] == '/';
        const bool selfClosing = !tag.empty() && tag.back() == '/';
        std::string_view name = localName(closing ? tag.substr(1) : tag);
        if (name == "dependentAssembly") {
            if (closing) inDependent = inDependent > 0 ? inDependent - 1 : 0;
            else if (!selfClosing) ++inDependent;
        } else if (name == "assemblyIdentity" && inDependent > 0 && !closing) {
            out.push_back({attribute(tag, "name"), attribute(tag, "version"), attribute(tag, "processorArchitecture"),
                           attribute(tag, "publicKeyToken"), attribute(tag, "language")});
        }
    }
    return out;
}

std::optional<std::string> assemblyFolder(const std::vector<std::string>& folderNames, const AssemblyIdentity& wanted,
                                          bool is64) {
    std::array<unsigned long, 4> asked{};
    if (wanted.name.empty() || !versionOf(wanted.version, asked)) return std::nullopt;
    std::string arch = lowerAscii(wanted.architecture);
    if (arch.empty() || arch == "*") arch = is64 ? "amd64" : "x86";
    std::string language = lowerAscii(wanted.language);
    if (language.empty() || language == "*" || language == "neutral") language = "none";
    const std::string token = wanted.publicKeyToken.empty() ? "none" : lowerAscii(wanted.publicKeyToken);
    const std::string prefix = arch + "_" + lowerAscii(wanted.name) + "_" + token + "_";

    std::optional<std::string> best;
    std::array<unsigned long, 4> bestVersion{};
    for (const std::string& folder : folderNames) {
        const std::string name = lowerAscii(folder);
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // version_language_hash after the prefix
        std::string_view rest(name);
        rest.remove_prefix(prefix.size());
        std::size_t first = rest.find('_'), second = first == std::string_view::npos ? first : rest.find('_', first + 1);
        if (second == std::string_view::npos || rest.substr(first + 1, second - first - 1) != language) continue;
        std::array<unsigned long, 4> v{};
        if (!versionOf(rest.substr(0, first), v) || v[0] != asked[0] || v[1] != asked[1]) continue;
        if (v == asked) return folder;
        if (!best || v > bestVersion) best = folder, bestVersion = v;
    }
    return best;
}

} // namespace brontal
