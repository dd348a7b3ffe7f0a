// Any bytes at all: the probe must neither crash nor read more than its two
// reads and one seek, and its verdict must agree with the machine it reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "inspect/memory_pe_reader.h"
#include "inspect/pe_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brontal::MemoryPeReader file(std::vector<unsigned char>(data, data + size));
    brontal::PeVerdict verdict = brontal::probePe(file);
    if (file.reads > 2 || file.seeks > 1) std::abort();
    switch (verdict.kind) {
    case brontal::PeKind::NotPe:
        if (verdict.is64()) std::abort();
        break;
    case brontal::PeKind::I386:
        if (verdict.machine != 0x014C || verdict.is64()) std::abort();
        break;
    case brontal::PeKind::Amd64:
    case brontal::PeKind::Ia64:
        if (!verdict.is64()) std::abort();
        break;
    case brontal::PeKind::OtherMachine:
        if (verdict.is64() || brontal::unknownArchitectureMessage(verdict.machine).empty()) std::abort();
        break;
    }
    // Only a file that starts with "MZ" gets as far as the seek.
    if (file.seeks == 1 && (size < 2 || data[0] != 'M' || data[1] != 'Z')) std::abort();
    return 0;
}
