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

TEST(PeProbe, TellsEachMachine) {
    EXPECT_EQ(probe(image(0x014C)).kind, PeKind::I386);
    EXPECT_FALSE(probe(image(0x014C)).is64());
    EXPECT_TRUE(probe(image(0x8664)).is64());
    EXPECT_TRUE(probe(image(0x0200)).is64());
    PeVerdict arm = probe(image(0xAA64));
    EXPECT_EQ(arm.kind, PeKind::OtherMachine);
    EXPECT_FALSE(arm.is64());
    EXPECT_EQ(unknownArchitectureMessage(0xAA64), "Arquitetura desconhecida: -21916");
    EXPECT_EQ(unknownArchitectureMessage(0x01C4), "Arquitetura desconhecida: 452");
}

// Anything else (text, files cut anywhere, e_lfanew values the seek refuses)
// is the fuzz target's business: tests/fuzz/pe_probe_fuzz.cpp and its corpus.
TEST(PeProbe, ReadsTwiceAndSeeksOnce) {
    MemoryPeReader pe(image(0x8664));
    probePe(pe);
    EXPECT_EQ(pe.reads, 2);
    EXPECT_EQ(pe.seeks, 1);
    MemoryPeReader text({'n', 'o'});
    probePe(text);
    EXPECT_EQ(text.reads, 1);
    EXPECT_EQ(text.seeks, 0);
}
