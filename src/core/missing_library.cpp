#include "core/missing_library.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "core/paths.h"

namespace brontal {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string withoutTrailingBackslash(std::string_view folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.remove_suffix(1);
    return lower(folder);
}

// The file the loader looks for: a name without an extension is a ".dll".
std::string fileNameOf(const std::string& library) {
    std::size_t dot = library.rfind('.');
    if (dot == std::string::npos || library.find_first_of("\\/", dot) != std::string::npos) return library + ".dll";
    return library;
}

class Walk {
public:
    explicit Walk(const LibrarySearch& search) : search_(search) {
        for (const std::string& name : search.knownDlls) known_.insert(lower(name));
        // A component that lives in a folder of the system shares its
        // libraries with the system: those are not followed.
        if (!search.folders.empty()) {
            std::string own = withoutTrailingBackslash(search.folders.front());
            followOwn_ = std::none_of(search.folders.begin() + 1, search.folders.end(),
                                      [&](const std::string& f) { return withoutTrailingBackslash(f) == own; });
        }
    }

    std::string missingIn(const std::vector<std::string>& imports) {
        for (const std::string& library : imports) {
            if (!seen_.insert(lower(library)).second || isApiSetName(library)) continue;
            std::string name = fileNameOf(library);
            if (name.find_first_of("\\/") != std::string::npos) {   // a path: there or nowhere
                if (!search_.fileExists(name)) return library;
                continue;
            }
            if (known_.count(lower(name))) continue;
            auto folder = std::find_if(search_.folders.begin(), search_.folders.end(),
                                       [&](const std::string& f) { return search_.fileExists(childPath(f, name)); });
            if (folder == search_.folders.end()) return library;
            if (folder == search_.folders.begin() && followOwn_ && search_.importsOf &&
                followed_ < kMaxLibrariesFollowed) {
                ++followed_;
                PeImports own = search_.importsOf(childPath(*folder, name));
                if (own.status == ImportsStatus::Read) {
                    std::string missing = missingIn(own.libraries);
                    if (!missing.empty()) return missing;
                }
            }
        }
        return "";
    }

private:
    const LibrarySearch& search_;
    std::set<std::string> known_, seen_;
    bool followOwn_ = false;
    std::size_t followed_ = 0;
};

} // namespace

bool isApiSetName(std::string_view library) {
    std::string prefix = lower(library.substr(0, 7));
    return prefix == "api-ms-" || prefix == "ext-ms-";
}

std::string missingLibrary(const std::vector<std::string>& imports, const LibrarySearch& search) {
    return Walk(search).missingIn(imports);
}

std::string loadFailureText(const PeImports& component, bool windowsIs64,
                            const std::function<LibrarySearch(bool is64)>& searchFor) {
    static const std::string kImage64 = "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits";
    const PeKind kind = component.verdict.kind;
    const bool is64 = component.verdict.is64();
    if (is64 && !windowsIs64) return kImage64;
    // An IA-64 image has no loader on x86 or x64 Windows to look for its libraries.
    if (component.status == ImportsStatus::Read && (kind == PeKind::I386 || kind == PeKind::Amd64)) {
        std::string missing = missingLibrary(component.libraries, searchFor(is64));
        if (!missing.empty()) return "Biblioteca ausente: " + missing;
    }
    return is64 ? kImage64 : "";
}

} // namespace brontal
