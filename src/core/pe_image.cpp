#include "core/pe_image.h"

#include <algorithm>
#include <limits>

#include "core/pe_bytes.h"

namespace brontal {
namespace {

constexpr std::uint16_t kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr std::size_t kSectionHeader = 40;
constexpr std::uint64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();   // what PeReader can seek to

} // namespace

std::size_t PeImage::readFile(std::uint64_t offset, unsigned char* out, std::size_t n) {
    if (offset > kMaxOffset || !file_.seek(static_cast<std::int32_t>(offset))) return 0;
    std::size_t got = 0;
    while (got < n) {
        std::size_t r = file_.read(out + got, n - got);
        if (r == 0 || r > n - got) break;
        got += r;
    }
    return got;
}

PeImage::Opened PeImage::open() {
    unsigned char dos[64];
    if (!readExact(0, dos, sizeof dos) || pe::u16(dos) != pe::kMz) return Opened::NotPe;
    const std::uint32_t lfanew = pe::u32(dos + 60);
    unsigned char header[24];
    std::size_t got = readFile(lfanew, header, sizeof header);
    if (got < 6 || pe::u32(header) != pe::kPeSignature) return Opened::NotPe;
    verdict_ = machineVerdict(pe::u16(header + 4));
    if (got < sizeof header) return Opened::Unreadable;
    const std::size_t sectionCount = pe::u16(header + 6), optionalSize = pe::u16(header + 20);

    // The optional header as far as its data directories reach (240 bytes in PE32+).
    unsigned char optional[240] = {};
    const std::size_t optionalRead = std::min(optionalSize, sizeof optional);
    if (optionalRead < 2 || !readExact(std::uint64_t{lfanew} + 24, optional, optionalRead)) return Opened::Unreadable;
    std::size_t countAt = 0, directoriesAt = 0;
    switch (pe::u16(optional)) {
    case kPe32: countAt = 92, directoriesAt = 96; break;
    case kPe32Plus: countAt = 108, directoriesAt = 112; break;
    default: return Opened::Unreadable;
    }
    if (optionalRead < countAt + 4) return Opened::Unreadable;
    headersSize_ = pe::u32(optional + 60);
    declaredDirectories_ = pe::u32(optional + countAt);
    for (std::size_t i = 0; i < declaredDirectories_ && directoriesAt + 8 * i + 8 <= optionalRead; ++i)
        directories_.push_back(pe::u32(optional + directoriesAt + 8 * i));

    if (sectionCount > kMaxPeSections) return Opened::Unreadable;
    unsigned char table[kMaxPeSections * kSectionHeader];
    if (!readExact(std::uint64_t{lfanew} + 24 + optionalSize, table, sectionCount * kSectionHeader))
        return Opened::Unreadable;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const unsigned char* h = table + i * kSectionHeader;
        Section s;
        s.va = pe::u32(h + 12);
        std::uint32_t virtualSize = pe::u32(h + 8), rawSize = pe::u32(h + 16);
        s.extent = virtualSize ? virtualSize : rawSize;
        s.rawSize = std::min(rawSize, s.extent);
        s.rawOffset = pe::u32(h + 20);
        sections_.push_back(s);
    }
    return Opened::Read;
}

std::uint64_t PeImage::mapped(std::uint32_t rva) const {
    for (const Section& s : sections_)
        if (rva >= s.va && rva - s.va < s.extent) return s.extent - (rva - s.va);
    return rva < headersSize_ ? headersSize_ - rva : 0;
}

bool PeImage::readAt(std::uint32_t rva, unsigned char* out, std::size_t n) {
    if (n > mapped(rva)) return false;
    for (const Section& s : sections_) {
        if (rva < s.va || rva - s.va >= s.extent) continue;
        std::uint32_t delta = rva - s.va;
        std::size_t backed =
            delta < s.rawSize ? static_cast<std::size_t>(std::min<std::uint64_t>(n, s.rawSize - delta)) : 0;
        if (backed && !readExact(std::uint64_t{s.rawOffset} + delta, out, backed)) return false;
        std::fill(out + backed, out + n, 0);
        return true;
    }
    return readExact(rva, out, n);
}

} // namespace brontal
