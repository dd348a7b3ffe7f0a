#include "core/missing_library.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "core/paths.h"

namespace brontal {
namespace {

std::string withoutTrailingBackslash(std::string_view folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.remove_suffix(1);
    return lowerAscii(folder);
}

bool sameFolder(std::string_view a, std::string_view b) {
    return withoutTrailingBackslash(a) == withoutTrailingBackslash(b);
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
        for (const std::string& name : search.knownDlls) known_.insert(lowerAscii(name));
        // A component that lives in a folder of the system shares its
        // libraries with the system: those are not followed.
        if (!search.folders.empty()) {
            const std::string& own = search.folders.front();
            followOwn_ = std::none_of(search.folders.begin() + 1, search.folders.end(),
                                      [&](const std::string& f) { return sameFolder(f, own); });
        }
    }

    MissingLibrary missingIn(const std::vector<std::string>& imports, const std::vector<std::string>& assemblies) {
        auto in = [&](const std::vector<std::string>& folders, const std::string& name) {
            return std::find_if(folders.begin(), folders.end(),
                                [&](const std::string& f) { return search_.fileExists(childPath(f, name)); });
        };
        for (const std::string& library : imports) {
            if (!seen_.insert(lowerAscii(library)).second || isApiSetName(library)) continue;
            std::string name = fileNameOf(library);
            if (name.find_first_of("\\/") != std::string::npos) {   // a path: there or nowhere
                if (!search_.fileExists(name)) return {library};
                continue;
            }
            if (in(assemblies, name) != assemblies.end()) continue;   // redirected before any other place
            if (known_.count(lowerAscii(name))) continue;
            auto folder = in(search_.folders, name);
            if (folder == search_.folders.end()) return {library, in(search_.outside, name) != search_.outside.end()};
            if (folder == search_.folders.begin() && followOwn_ && search_.importsOf &&
                followed_ < kMaxLibrariesFollowed) {
                ++followed_;
                const std::string path = childPath(*folder, name);
                PeImports own = search_.importsOf(path);
                if (own.status == ImportsStatus::Read) {
                    MissingLibrary missing = missingIn(own.libraries, assembliesOf(path));
                    if (!missing.name.empty()) return missing;
                }
            }
        }
        return {};
    }

    std::vector<std::string> assembliesOf(const std::string& module) const {
        return search_.assembliesOf ? search_.assembliesOf(module) : std::vector<std::string>{};
    }

private:
    const LibrarySearch& search_;
    std::set<std::string> known_, seen_;
    bool followOwn_ = false;
    std::size_t followed_ = 0;
};

std::string reasonLine(const MissingLibrary& missing) {
    return (missing.outsideOnly ? "Biblioteca fora das pastas pesquisadas: " : "Biblioteca ausente: ") + missing.name;
}

} // namespace

void placeFolders(const LoaderPlaces& places, LibrarySearch& search) {
    search.folders = {places.component, places.system};
    // The altered search path: with the current folder taken out at start-up,
    // the 16-bit system folder, the Windows folder and the PATH follow.
    if (!places.ownAndSystemOnly) {
        search.folders.push_back(childPath(places.windows, "System"));
        search.folders.push_back(places.windows);
        search.folders.insert(search.folders.end(), places.path.begin(), places.path.end());
    }
    search.outside.clear();
    std::vector<std::string> others = {places.program};
    others.insert(others.end(), places.path.begin(), places.path.end());
    for (const std::string& folder : others) {
        auto same = [&](const std::string& f) { return sameFolder(f, folder); };
        if (!folder.empty() && std::none_of(search.folders.begin(), search.folders.end(), same) &&
            std::none_of(search.outside.begin(), search.outside.end(), same))
            search.outside.push_back(folder);
    }
}

std::vector<std::string> pathFolders(std::string_view path) {
    std::vector<std::string> folders;
    while (!path.empty()) {
        std::size_t end = path.find(';');
        std::string folder;
        for (char c : path.substr(0, end))
            if (c != '"') folder += c;
        if (!folder.empty()) folders.push_back(folder);
        path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    }
    return folders;
}

bool isApiSetName(std::string_view library) {
    std::string prefix = lowerAscii(library.substr(0, 7));
    return prefix == "api-ms-" || prefix == "ext-ms-";
}

MissingLibrary missingLibrary(const std::vector<std::string>& imports, const LibrarySearch& search) {
    Walk walk(search);
    return walk.missingIn(imports, walk.assembliesOf(search.component));
}

std::string loadFailureText(const PeImports& component, bool windowsIs64,
                            const std::function<LibrarySearch(bool is64)>& searchFor) {
    static const std::string kImage64 = "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits";
    const PeKind kind = component.verdict.kind;
    const bool is64 = component.verdict.is64();
    std::string text = is64 ? kImage64 : "";
    // An IA-64 image has no loader on x86 or x64 Windows to look for its
    // libraries; 32-bit Windows none for any 64-bit image.
    const bool searched = kind == PeKind::I386 || (kind == PeKind::Amd64 && windowsIs64);
    if (component.status == ImportsStatus::Read && searched) {
        MissingLibrary missing = missingLibrary(component.libraries, searchFor(is64));
        if (!missing.name.empty()) {
            if (!text.empty()) text += '\n';
            text += reasonLine(missing);
        }
    }
    return text;
}

} // namespace brontal
