#pragma once
// A PE file as the loader maps it, read through PeReader: the headers, the
// section table and the data directories, then bytes at image addresses.
// Shared by the readers of the import table and of the resources; every
// count and offset is bounded, any file may come this way.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/pe_probe.h"

namespace brontal {

// Windows limits an image to 96 sections.
constexpr std::size_t kMaxPeSections = 96;

class PeImage {
public:
    enum class Opened { NotPe, Unreadable, Read };
    explicit PeImage(PeReader& file) : file_(file) {}

    // Reads the headers. NotPe: no MZ or PE signature; Unreadable: an image
    // whose headers or section table cannot be read whole.
    Opened open();
    PeVerdict verdict() const { return verdict_; }
    // Data directories the optional header holds in the file (a count above
    // them is cut to them).
    std::size_t directoryCount() const { return directories_.size(); }
    std::uint32_t directoryRva(std::size_t index) const { return index < directories_.size() ? directories_[index] : 0; }
    // The optional header names at least this many directories, whether or
    // not they fit in it.
    std::uint32_t declaredDirectories() const { return declaredDirectories_; }

    // How many bytes from rva on belong to one mapped region (0: none).
    std::uint64_t mapped(std::uint32_t rva) const;
    // n bytes at rva, all within one region, the part of a section beyond its
    // raw data as zeros; false when they are not mapped or the file ends
    // before the raw data it promises.
    bool readAt(std::uint32_t rva, unsigned char* out, std::size_t n);

private:
    struct Section {
        std::uint32_t va = 0, extent = 0, rawOffset = 0, rawSize = 0;
    };
    std::size_t readFile(std::uint64_t offset, unsigned char* out, std::size_t n);
    bool readExact(std::uint64_t offset, unsigned char* out, std::size_t n) { return readFile(offset, out, n) == n; }

    PeReader& file_;
    PeVerdict verdict_;
    std::uint32_t headersSize_ = 0, declaredDirectories_ = 0;
    std::vector<std::uint32_t> directories_;
    std::vector<Section> sections_;
};

} // namespace brontal
