#pragma once
// Whether a file is a 64-bit PE image, from the machine field of its header.
// The file is read through PeReader, which behaves like ReadFile and
// SetFilePointer, so the decision can be tested without Windows.
#include <cstddef>
#include <cstdint>
#include <string>

namespace brontal {

struct PeReader {
    virtual ~PeReader() = default;
    // Bytes actually read (0 at the end or on error); the position advances.
    virtual std::size_t read(void* buf, std::size_t n) = 0;
    // From the start of the file; a negative offset fails and leaves the position.
    virtual bool seek(std::int32_t fromStart) = 0;
};

enum class PeKind { NotPe, I386, Amd64, Ia64, OtherMachine };

struct PeVerdict {
    PeKind kind = PeKind::NotPe;
    std::uint16_t machine = 0;
    bool is64() const { return kind == PeKind::Amd64 || kind == PeKind::Ia64; }
};

// Two reads (64 and 24 bytes) and one seek, never more. A file too short for
// a field the verdict rests on (MZ, e_lfanew, the PE signature, the machine
// field), or an e_lfanew the seek refuses, is NotPe.
PeVerdict probePe(PeReader& file);
// The verdict for the machine field of an image's header.
PeVerdict machineVerdict(std::uint16_t machine);
std::string unknownArchitectureMessage(std::uint16_t machine);
std::string bitnessText(bool is64);

} // namespace brontal
