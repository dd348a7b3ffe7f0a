#include <gtest/gtest.h>

#include <cstring>

#include "core/memory_pe_reader.h"
#include "core/pe_probe.h"

using namespace brontal;

namespace {

std::vector<unsigned char> image(std::uint16_t machine) {
    std::vector<unsigned char> b(0x200, 0);
    b[0] = 'M', b[1] = 'Z', b[60] = 0x80;
    std::memcpy(&b[0x80], "PE\0\0", 4);
    std::memcpy(&b[0x84], &machine, 2);
    return b;
}

PeVerdict probe(std::vector<unsigned char> bytes) {
    MemoryPeReader reader(std::move(bytes));
    return probePe(reader);
}

} // namespace

// Files cut anywhere, odd e_lfanew values, the read bound: the fuzz target's business (and its corpus).
TEST(PeProbe, TellsEachMachine) {
    for (auto [machine, kind] : {std::pair{0x014C, PeKind::I386}, {0x8664, PeKind::Amd64}, {0x0200, PeKind::Ia64},
                                 {0xAA64, PeKind::OtherMachine}})
        EXPECT_EQ(probe(image(static_cast<std::uint16_t>(machine))).kind, kind) << std::hex << machine;
    EXPECT_EQ(probe({'n', 'o'}).kind, PeKind::NotPe);
    EXPECT_EQ(unknownArchitectureMessage(0xAA64), "Arquitetura desconhecida: -21916");
    EXPECT_EQ(unknownArchitectureMessage(0x01C4), "Arquitetura desconhecida: 452");
}
