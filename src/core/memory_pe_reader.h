#pragma once
// A PeReader over bytes in memory with the semantics of ReadFile and
// SetFilePointer; it counts its calls, for tests, benchmarks and fuzzing.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/pe_probe.h"

namespace brontal {

class MemoryPeReader final : public PeReader {
public:
    explicit MemoryPeReader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(void* buf, std::size_t n) override {
        ++reads;
        if (pos_ >= bytes_.size()) return 0;
        std::size_t got = std::min(n, bytes_.size() - pos_);
        std::memcpy(buf, bytes_.data() + pos_, got);
        pos_ += got;
        return got;
    }
    bool seek(std::int32_t fromStart) override {
        ++seeks;
        if (fromStart < 0) return false;
        pos_ = static_cast<std::size_t>(fromStart);
        return true;
    }
    int reads = 0, seeks = 0;

private:
    std::vector<unsigned char> bytes_;
    std::size_t pos_ = 0;
};

} // namespace brontal
