#include "core/pe_manifest.h"

#include <cstdint>
#include <vector>

#include "core/pe_bytes.h"
#include "core/pe_image.h"

namespace brontal {
namespace {

constexpr std::size_t kResourceDirectory = 2, kDirectoryHeader = 16, kEntry = 8, kDataEntry = 16;
constexpr std::uint32_t kManifestType = 24, kOwnManifestId = 2, kSubdirectory = 0x80000000u;

// The offset (from the start of the resources) an entry of the directory at
// offset dir points to, the entry chosen by its ID, or the first one when id
// is 0; nothing when the directory has none or cannot be read.
bool entryOf(PeImage& image, std::uint32_t resources, std::uint32_t dir, std::uint32_t id, std::uint32_t& target) {
    unsigned char header[kDirectoryHeader];
    if (dir > UINT32_MAX - resources || !image.readAt(resources + dir, header, sizeof header)) return false;
    const std::size_t named = pe::u16(header + 12), ids = pe::u16(header + 14);
    if (named + ids > kMaxResourceEntries || named + ids == 0) return false;
    std::vector<unsigned char> entries((named + ids) * kEntry);
    const std::uint64_t at = std::uint64_t{resources} + dir + kDirectoryHeader;
    if (at > UINT32_MAX || !image.readAt(static_cast<std::uint32_t>(at), entries.data(), entries.size())) return false;
    for (std::size_t i = id ? named : 0; i < named + ids; ++i) {
        const unsigned char* e = entries.data() + i * kEntry;
        if (id && pe::u32(e) != id) continue;
        target = pe::u32(e + 4);
        return true;
    }
    return false;
}

} // namespace

std::string readPeManifest(PeReader& file) {
    PeImage image(file);
    if (image.open() != PeImage::Opened::Read) return "";
    const std::uint32_t resources = image.directoryRva(kResourceDirectory);
    if (resources == 0) return "";
    // Type, then name, then language: the first two are directories, the last a data entry.
    std::uint32_t names = 0, languages = 0, data = 0;
    if (!entryOf(image, resources, 0, kManifestType, names) || !(names & kSubdirectory)) return "";
    if (!entryOf(image, resources, names & ~kSubdirectory, kOwnManifestId, languages) || !(languages & kSubdirectory))
        return "";
    if (!entryOf(image, resources, languages & ~kSubdirectory, 0, data) || (data & kSubdirectory)) return "";
    unsigned char entry[kDataEntry];
    if (data > UINT32_MAX - resources || !image.readAt(resources + data, entry, sizeof entry)) return "";
    const std::uint32_t rva = pe::u32(entry), size = pe::u32(entry + 4);   // an image address, unlike the rest
    if (size == 0 || size > kMaxManifestBytes) return "";
    std::string bytes(size, '\0');
    if (!image.readAt(rva, reinterpret_cast<unsigned char*>(bytes.data()), size)) return "";
    return bytes;
}

} // namespace brontal
