#pragma once
// Why a component did not load, as far as its file tells: a library it
// imports that its load finds nowhere, or an image this 32-bit program
// cannot load at all. The look-ups (folders, files, the known DLLs, the
// side-by-side assemblies) are the caller's; the rules are here.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pe_imports.h"

namespace brontal {

// Where the loader of one width looks for a library named without a path.
struct LibrarySearch {
    // In the loader's order, the component's own folder first.
    std::vector<std::string> folders;
    // Where other programs find libraries but this load never looks (beside
    // Brontal32.exe, the PATH): a library only there has a reason of its own.
    std::vector<std::string> outside;
    // Served by the system whatever the folders hold (any letter case).
    std::vector<std::string> knownDlls;
    std::function<bool(const std::string& path)> fileExists;
    // The imports of a library found in the component's own folder: shipped
    // with the component, it can lack a library of its own, and the load
    // fails then too. Libraries of the system are taken as whole.
    std::function<PeImports(const std::string& path)> importsOf;
    // The component's file, and the folders (under WinSxS) of the
    // side-by-side assemblies the manifest of a module names: the loader
    // takes the module's libraries from there before any folder.
    std::string component;
    std::function<std::vector<std::string>(const std::string& modulePath)> assembliesOf;
};

// The places a load of a component looks in, and the rule it follows.
struct LoaderPlaces {
    std::string component, system, windows;   // its own folder; the system folder of its width
    std::string program;                      // the folder of Brontal32.exe
    std::vector<std::string> path;            // the PATH's folders
    // The load searches the component's folder and the system folder, no
    // other; false where that search is missing from the system and the load
    // takes the altered search path instead.
    bool ownAndSystemOnly = true;
};
// The search's folders and the folders outside it, for those places.
void placeFolders(const LoaderPlaces& places, LibrarySearch& search);
// The folders of a PATH value, in order (quotes and empty entries dropped).
std::vector<std::string> pathFolders(std::string_view path);

// api-ms-* and ext-ms-* name API sets, which the loader resolves itself.
bool isApiSetName(std::string_view library);

// The first library, in the order the loader meets them (depth first through
// the component's own libraries, at most kMaxLibrariesFollowed of them), that
// the search finds nowhere, named as the table writes it; outsideOnly when it
// lies in a folder of search.outside. An empty name when every one is found.
constexpr std::size_t kMaxLibrariesFollowed = 32;
struct MissingLibrary {
    std::string name;
    bool outsideOnly = false;
};
MissingLibrary missingLibrary(const std::vector<std::string>& imports, const LibrarySearch& search);

// The load indicator's second line for a component that did not load; ""
// when its file tells no reason. A 64-bit image never loads into this 32-bit
// program, and that comes first; on 64-bit Windows a library missing for its
// own width follows on a line of its own, since that stops it in a 64-bit
// program too. searchFor gives the search of the component's width.
std::string loadFailureText(const PeImports& component, bool windowsIs64,
                            const std::function<LibrarySearch(bool is64)>& searchFor);

} // namespace brontal
