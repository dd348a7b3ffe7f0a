#include "core/pe_imports.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/pe_bytes.h"

namespace brontal {
namespace {

using pe::kMz;
using pe::kPeSignature;
using pe::u16;
using pe::u32;

constexpr std::uint16_t kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr std::size_t kSectionHeader = 40, kImportDescriptor = 20;
constexpr std::uint64_t kMaxOffset = std::numeric_limits<std::int32_t>::max(); // what PeReader can seek to

struct Section {
    std::uint32_t va = 0, extent = 0, rawOffset = 0, rawSize = 0;
};

// The file as the loader maps it: headers at 0, each section at its address,
// the part of a section beyond its raw data filled with zeros.
class Image {
public:
    explicit Image(PeReader& file) : file_(file) {}

    // Bytes read at a file offset, fewer at the end of the file; 0 when the
    // offset is out of reach.
    std::size_t readFile(std::uint64_t offset, unsigned char* out, std::size_t n) {
        if (offset > kMaxOffset || !file_.seek(static_cast<std::int32_t>(offset))) return 0;
        std::size_t got = 0;
        while (got < n) {
            std::size_t r = file_.read(out + got, n - got);
            if (r == 0 || r > n - got) break;
            got += r;
        }
        return got;
    }
    bool readExact(std::uint64_t offset, unsigned char* out, std::size_t n) { return readFile(offset, out, n) == n; }

    // How many bytes from rva on belong to one mapped region (0: none).
    std::uint64_t mapped(std::uint32_t rva) const {
        for (const Section& s : sections)
            if (rva >= s.va && rva - s.va < s.extent) return s.extent - (rva - s.va);
        return rva < headersSize ? headersSize - rva : 0;
    }

    // n bytes at rva, all within one region; false when they are not mapped
    // or the file ends before the raw data it promises.
    bool readAt(std::uint32_t rva, unsigned char* out, std::size_t n) {
        if (n > mapped(rva)) return false;
        for (const Section& s : sections) {
            if (rva < s.va || rva - s.va >= s.extent) continue;
            std::uint32_t delta = rva - s.va;
            std::size_t backed = delta < s.rawSize ? static_cast<std::size_t>(std::min<std::uint64_t>(n, s.rawSize - delta)) : 0;
            if (backed && !readExact(std::uint64_t{s.rawOffset} + delta, out, backed)) return false;
            std::fill(out + backed, out + n, 0);
            return true;
        }
        return readExact(rva, out, n);
    }

    std::uint32_t headersSize = 0;
    std::vector<Section> sections;

private:
    PeReader& file_;
};

// A NUL-terminated, non-empty name within one region and kMaxLibraryName bytes.
bool readName(Image& image, std::uint32_t rva, std::string& name) {
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
    Image image(file);
    unsigned char dos[64];
    if (!image.readExact(0, dos, sizeof dos) || u16(dos) != kMz) return out;
    const std::uint32_t lfanew = u32(dos + 60);
    unsigned char header[24];
    std::size_t got = image.readFile(lfanew, header, sizeof header);
    if (got < 6 || u32(header) != kPeSignature) return out;
    out.verdict = machineVerdict(u16(header + 4));
    out.status = ImportsStatus::Unreadable;
    if (got < sizeof header) return out;
    const std::size_t sectionCount = u16(header + 6), optionalSize = u16(header + 20);

    // The optional header as far as its data directories reach (240 bytes in PE32+).
    unsigned char optional[240] = {};
    const std::size_t optionalRead = std::min(optionalSize, sizeof optional);
    if (optionalRead < 2 || !image.readExact(std::uint64_t{lfanew} + 24, optional, optionalRead)) return out;
    std::size_t countAt = 0, directoriesAt = 0;
    switch (u16(optional)) {
    case kPe32: countAt = 92, directoriesAt = 96; break;
    case kPe32Plus: countAt = 108, directoriesAt = 112; break;
    default: return out;
    }
    if (optionalRead < countAt + 4) return out;
    image.headersSize = u32(optional + 60);
    std::uint32_t importRva = 0;
    if (u32(optional + countAt) > 1) {
        const std::size_t entryAt = directoriesAt + 8;   // the second directory: imports
        if (optionalRead < entryAt + 8) return out;
        importRva = u32(optional + entryAt);
    }

    if (sectionCount > kMaxPeSections) return out;
    unsigned char table[kMaxPeSections * kSectionHeader];
    if (!image.readExact(std::uint64_t{lfanew} + 24 + optionalSize, table, sectionCount * kSectionHeader)) return out;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const unsigned char* h = table + i * kSectionHeader;
        Section s;
        s.va = u32(h + 12);
        std::uint32_t virtualSize = u32(h + 8), rawSize = u32(h + 16);
        s.extent = virtualSize ? virtualSize : rawSize;
        s.rawSize = std::min(rawSize, s.extent);
        s.rawOffset = u32(h + 20);
        image.sections.push_back(s);
    }

    // Descriptors up to the first without a name or an address table, the
    // loader's own end (a well-formed table ends with an all-zero one).
    std::vector<std::string> libraries;
    for (std::uint64_t rva = importRva; importRva != 0; rva += kImportDescriptor) {
        unsigned char d[kImportDescriptor];
        if (rva > std::numeric_limits<std::uint32_t>::max() || !image.readAt(static_cast<std::uint32_t>(rva), d, sizeof d))
            return out;
        const std::uint32_t nameRva = u32(d + 12), firstThunk = u32(d + 16);
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
