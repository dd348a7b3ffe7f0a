#include "verify/registry_query.h"

namespace brontal {

std::string regQueryCommandLine(std::string_view name) {
    return "reg query HKEY_CLASSES_ROOT\\CLSID /s /f \"" + std::string(name) + "\"";
}

bool outputNamesClsid(std::string_view output) {
    return output.find("HKEY_CLASSES_ROOT\\CLSID") != std::string_view::npos;
}

std::string registryAnswerText(bool found) {
    return found ? "Componente 32 bits localizado no Registro." : "Componente 32 bits não localizado no Registro.";
}

std::string regListingCommandLine() { return "reg query HKEY_CLASSES_ROOT\\CLSID /s"; }

namespace {

constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT\\CLSID";
constexpr std::string_view kIndent = "    ";

// The texts of one line that /f compares: a key's own name; a value's name
// and its data, the type between them left out; anything else whole.
template <typename Each>
void searchedTexts(std::string_view line, Each&& each) {
    if (line.starts_with("HKEY_")) {
        // The root itself is not one of the keys searched.
        if (line.size() > kRoot.size() && line.starts_with(kRoot) && line[kRoot.size()] == '\\')
            each(line.substr(line.rfind('\\') + 1));
        return;
    }
    if (line.starts_with(kIndent)) {
        std::string_view value = line.substr(kIndent.size());
        std::size_t type = value.find("    REG_");
        if (type != std::string_view::npos) {
            each(value.substr(0, type));
            std::size_t data = value.find(kIndent, type + kIndent.size());
            if (data != std::string_view::npos) each(value.substr(data + kIndent.size()));
            return;
        }
    }
    each(line);
}

} // namespace

std::vector<bool> listingNamesEach(std::string_view upperListing, const std::vector<std::string>& upperNames) {
    std::vector<bool> found(upperNames.size(), false);
    std::size_t left = 0;
    for (const std::string& name : upperNames)
        if (!name.empty()) ++left;
    // reg's /f "" finds nothing to look for; a name no longer needed is not looked for again.
    for (std::size_t at = 0; at < upperListing.size() && left > 0;) {
        std::size_t end = upperListing.find('\n', at);
        if (end == std::string_view::npos) end = upperListing.size();
        std::string_view line = upperListing.substr(at, end - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        at = end + 1;
        searchedTexts(line, [&](std::string_view text) {
            for (std::size_t i = 0; i < upperNames.size(); ++i) {
                if (found[i] || upperNames[i].empty() || text.find(upperNames[i]) == std::string_view::npos) continue;
                found[i] = true;
                --left;
            }
        });
    }
    return found;
}

} // namespace brontal
