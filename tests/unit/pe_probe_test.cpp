#include <gtest/gtest.h>

#include <cstring>

#include "core/memory_pe_reader.h"
#include "core/pe_probe.h"

using namespace brontal;

namespace {

std::vector<unsigned char> image(std::uint16_t machine, std::int32_t lfanew = 0x80, size_t size = 0x200) {
    std::vector<unsigned char> b(size, 0);
    b[0] = 'M', b[1] = 'Z';
    std::memcpy(&b[60], &lfanew, 4);
    if (lfanew >= 0 && static_cast<size_t>(lfanew) + 6 <= size) {
        std::memcpy(&b[static_cast<size_t>(lfanew)], "PE\0\0", 4);
        std::memcpy(&b[static_cast<size_t>(lfanew) + 4], &machine, 2);
    }
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

TEST(PeProbe, AnythingElseIsNoPeImage) {
    EXPECT_EQ(probe({'h', 'e', 'l', 'l', 'o'}).kind, PeKind::NotPe);
    EXPECT_EQ(probe({}).kind, PeKind::NotPe);
    // 40 bytes starting with MZ: e_lfanew reads 0, the second read sees "MZ".
    std::vector<unsigned char> shortMz(40, 0);
    shortMz[0] = 'M', shortMz[1] = 'Z';
    EXPECT_EQ(probe(shortMz).kind, PeKind::NotPe);
    EXPECT_EQ(probe(image(0x8664, -8)).kind, PeKind::NotPe);        // negative: the seek fails
    EXPECT_EQ(probe(image(0x8664, 0x7FFFFFF0)).kind, PeKind::NotPe); // past the end
    auto noSignature = image(0x8664);
    noSignature[0x80] = 'X';
    EXPECT_EQ(probe(noSignature).kind, PeKind::NotPe);
}

// Files cut anywhere, and e_lfanew values the seek refuses, are the fuzz
// target's business (tests/fuzz/pe_probe_fuzz.cpp and its corpus).
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
