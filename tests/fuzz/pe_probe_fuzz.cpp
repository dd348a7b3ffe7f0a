// Any bytes: at most two reads and a seek, and a verdict that agrees with the machine and the bytes there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/memory_pe_reader.h"
#include "core/pe_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brontal::MemoryPeReader file(std::vector<unsigned char>(data, data + size));
    brontal::PeVerdict verdict = brontal::probePe(file);
    if (file.reads > 2 || file.seeks > 1) std::abort();
    using brontal::PeKind;   // is64() follows from the kind alone
    if (verdict.kind == PeKind::I386 && verdict.machine != 0x014C) std::abort();
    if (verdict.kind == PeKind::OtherMachine && brontal::unknownArchitectureMessage(verdict.machine).empty())
        std::abort();
    // Only a file that starts with "MZ" gets as far as the seek.
    if (file.seeks == 1 && (size < 2 || data[0] != 'M' || data[1] != 'Z')) std::abort();
    // Any verdict but NotPe rests on bytes the file holds: the whole DOS
    // header, an e_lfanew the seek takes (below 2^31), the signature there and
    // the whole machine field, which is the one reported.
    if (verdict.kind != PeKind::NotPe) {
        if (size < 64) std::abort();
        std::uint32_t lfanew = 0;
        for (int i = 3; i >= 0; --i) lfanew = lfanew << 8 | data[60 + i];
        if (lfanew >= 0x80000000u || lfanew + std::size_t{6} > size) std::abort();
        const std::uint8_t* header = data + lfanew;
        if (header[0] != 'P' || header[1] != 'E' || header[2] != 0 || header[3] != 0) std::abort();
        if (verdict.machine != static_cast<std::uint16_t>(header[4] | (header[5] << 8))) std::abort();
    }
    return 0;
}
