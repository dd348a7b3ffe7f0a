#pragma once
// Why a component did not load, as far as its file tells: a library it
// imports that the loader finds nowhere, or an image this 32-bit program
// cannot load at all. The look-ups (folders, files, the known DLLs) are the
// caller's; the decision is here.
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
    // Served by the system whatever the folders hold (any letter case).
    std::vector<std::string> knownDlls;
    std::function<bool(const std::string& path)> fileExists;
    // The imports of a library found in the component's own folder: shipped
    // with the component, it can lack a library of its own, and the load
    // fails then too. Libraries of the system are taken as whole.
    std::function<PeImports(const std::string& path)> importsOf;
};

// api-ms-* and ext-ms-* name API sets, which the loader resolves itself.
bool isApiSetName(std::string_view library);

// The first library, in the order the loader meets them (depth first through
// the component's own libraries, at most kMaxLibrariesFollowed of them), that
// is found nowhere, named as the table writes it; "" when every one is found.
constexpr std::size_t kMaxLibrariesFollowed = 32;
std::string missingLibrary(const std::vector<std::string>& imports, const LibrarySearch& search);

// The load indicator's second line for a component that did not load; ""
// when its file tells no reason. A 64-bit image never loads into this 32-bit
// program; on 64-bit Windows a library missing for its own width is told
// first, since that stops it in a 64-bit program too. searchFor gives the
// search of the component's width.
std::string loadFailureText(const PeImports& component, bool windowsIs64,
                            const std::function<LibrarySearch(bool is64)>& searchFor);

} // namespace brontal
