// Any bytes: no crash or endless read from the resource reader, a bounded
// manifest, and the identities read from it (or from the bytes themselves)
// bounded and matched against folder names without a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/memory_pe_reader.h"
#include "core/pe_manifest.h"
#include "core/side_by_side.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brontal;
    MemoryPeReader file(std::vector<unsigned char>(data, data + size));
    const std::string manifest = readPeManifest(file);
    if (manifest.size() > kMaxManifestBytes) std::abort();
    // Headers, sections, then three directories and a data entry: a handful of seeks.
    if (file.seeks > 16 || file.reads > 32) std::abort();
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& xml : {manifest, text}) {
        std::vector<AssemblyIdentity> found = dependentAssemblies(xml);
        if (found.size() > kMaxDependentAssemblies) std::abort();
        const std::vector<std::string> folders = {"x86_a_b_1.0.0.0_none_h", text.substr(0, 64)};
        for (const AssemblyIdentity& identity : found) {
            std::optional<std::string> folder = assemblyFolder(folders, identity, size % 2 == 0);
            if (folder && *folder != folders[0] && *folder != folders[1]) std::abort();
        }
    }
    return 0;
}
