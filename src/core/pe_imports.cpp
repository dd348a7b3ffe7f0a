#include "core/pe_imports.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/pe_bytes.h"
#include "core/pe_image.h"

namespace brontal {
namespace {

constexpr std::size_t kImportDescriptor = 20;

// A NUL-terminated, non-empty name within one region and kMaxLibraryName bytes.
bool readName(PeImage& image, std::uint32_t rva, std::string& name) {
    unsigned char buf[kMaxLibraryName + 1];
    std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buf, image.mapped(rva)));
    if (n == 0 || !image.readAt(rva, buf, n)) return false;
    const unsigned char* end = std::find(buf, buf + n, 0);
    if (end == buf || end == buf + n) return false;
    name.assign(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(end - buf));
    return true;
}

} // namespace

PeImports readPeImports(PeReader& file) {
    PeImports out;
    PeImage image(file);
    const PeImage::Opened opened = image.open();
    out.verdict = image.verdict();
    if (opened == PeImage::Opened::NotPe) return out;
    out.status = ImportsStatus::Unreadable;
    if (opened != PeImage::Opened::Read) return out;
    // An image that says it has an import directory must hold its entry.
    if (image.declaredDirectories() > 1 && image.directoryCount() < 2) return out;
    const std::uint32_t importRva = image.directoryRva(1);

    // Descriptors up to the first without a name or an address table, the
    // loader's own end (a well-formed table ends with an all-zero one).
    std::vector<std::string> libraries;
    for (std::uint64_t rva = importRva; importRva != 0; rva += kImportDescriptor) {
        unsigned char d[kImportDescriptor];
        if (rva > std::numeric_limits<std::uint32_t>::max() || !image.readAt(static_cast<std::uint32_t>(rva), d, sizeof d))
            return out;
        const std::uint32_t nameRva = pe::u32(d + 12), firstThunk = pe::u32(d + 16);
        if (nameRva == 0 || firstThunk == 0) break;
        if (libraries.size() == kMaxImportedLibraries) return out;
        std::string name;
        if (!readName(image, nameRva, name)) return out;
        libraries.push_back(std::move(name));
    }
    out.status = ImportsStatus::Read;
    out.libraries = std::move(libraries);
    return out;
}

} // namespace brontal
