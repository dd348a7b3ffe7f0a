// Any bytes: no crash or endless read, the probe's machine, bounded non-empty names, a missing one among them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/memory_pe_reader.h"
#include "core/missing_library.h"
#include "core/pe_imports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brontal;
    const std::vector<unsigned char> bytes(data, data + size);
    MemoryPeReader file(bytes), probed(bytes);
    const PeImports imports = readPeImports(file);
    const PeVerdict verdict = probePe(probed);
    if (imports.verdict.kind != verdict.kind || imports.verdict.machine != verdict.machine) std::abort();
    if ((imports.status == ImportsStatus::NotPe) != (verdict.kind == PeKind::NotPe)) std::abort();
    // Headers, the section table, then a seek and a read or two for each
    // descriptor and each name, at most.
    const int bound = 8 + 2 * static_cast<int>(kMaxImportedLibraries + 1 + kMaxImportedLibraries);
    if (file.seeks > bound || file.reads > 2 * bound) std::abort();
    if (imports.status != ImportsStatus::Read) {
        if (!imports.libraries.empty()) std::abort();
        return 0;
    }
    if (imports.libraries.size() > kMaxImportedLibraries) std::abort();
    for (const std::string& name : imports.libraries)
        if (name.empty() || name.size() > kMaxLibraryName || name.find('\0') != std::string::npos) std::abort();

    // A disk on which a name of odd length exists, in every folder, and every
    // library imports the component's own list again.
    LibrarySearch search;
    search.folders = {"C:\\app", "C:\\Windows\\System32"};
    search.outside = {"C:\\Program"};
    search.knownDlls = {"kernel32.dll"};
    search.fileExists = [](const std::string& path) { return path.size() % 2 == 1; };
    search.importsOf = [&](const std::string&) { return imports; };
    const std::string missing = missingLibrary(imports.libraries, search).name;
    bool named = missing.empty();
    for (const std::string& name : imports.libraries) named = named || name == missing;
    if (!named) std::abort();
    return 0;
}
