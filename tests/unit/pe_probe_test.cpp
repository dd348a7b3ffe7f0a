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

// A file cut anywhere from its PE signature to the end of the machine field
// lacks a byte the verdict rests on: no image, whatever the zeros would say.
TEST(PeProbe, FileCutBeforeTheMachineFieldEndsIsNoPeImage) {
    struct Case {
        std::uint16_t machine;
        PeKind whole;
    };
    const Case cases[] = {{0x014C, PeKind::I386},
                          {0x8664, PeKind::Amd64},
                          {0x0200, PeKind::Ia64},
                          {0xAA64, PeKind::OtherMachine},
                          {0x0000, PeKind::OtherMachine}};
    for (std::int32_t lfanew : {0x40, 0x80, 0xF8}) {
        for (const Case& c : cases) {
            const auto whole = image(c.machine, lfanew);
            for (std::size_t keep = static_cast<std::size_t>(lfanew); keep <= static_cast<std::size_t>(lfanew) + 6;
                 ++keep) {
                SCOPED_TRACE(testing::Message() << "machine 0x" << std::hex << c.machine << " e_lfanew 0x" << lfanew
                                                << " cut at 0x" << keep);
                MemoryPeReader cut(std::vector<unsigned char>(whole.begin(), whole.begin() + keep));
                PeVerdict v = probePe(cut);
                if (keep < static_cast<std::size_t>(lfanew) + 6) {
                    EXPECT_EQ(v.kind, PeKind::NotPe);
                    EXPECT_FALSE(v.is64());
                } else {
                    EXPECT_EQ(v.kind, c.whole); // the machine field is whole: judged as before
                    EXPECT_EQ(v.machine, c.machine);
                }
                EXPECT_LE(cut.reads, 2);
                EXPECT_LE(cut.seeks, 1);
            }
        }
    }
}

// "MZ" and a DOS header that ends before e_lfanew does: nothing to seek to.
TEST(PeProbe, DosHeaderCutBeforeLfanewEndsIsNoPeImage) {
    const auto whole = image(0x8664, 0x40);
    for (std::size_t keep = 0; keep < 64; ++keep) {
        SCOPED_TRACE(testing::Message() << "cut at " << keep);
        MemoryPeReader cut(std::vector<unsigned char>(whole.begin(), whole.begin() + keep));
        EXPECT_EQ(probePe(cut).kind, PeKind::NotPe);
        EXPECT_EQ(cut.seeks, 0);
    }
}

// An e_lfanew the seek refuses (negative, or 2^31 and up, which is the same
// 32 bits) must not leave the probe judging what follows the DOS header: here
// a whole AMD64 header sits right there, at offset 64.
TEST(PeProbe, LfanewTheSeekRefusesIsNoPeImage) {
    for (std::uint32_t lfanew : {0xFFFFFFF8u, 0xFFFFFFFFu, 0x80000000u, 0x80000040u, 0xC0000000u}) {
        SCOPED_TRACE(testing::Message() << "e_lfanew 0x" << std::hex << lfanew);
        auto bytes = image(0x8664, 0x40);
        std::memcpy(&bytes[60], &lfanew, 4);
        MemoryPeReader file(bytes);
        EXPECT_EQ(probePe(file).kind, PeKind::NotPe);
        EXPECT_EQ(file.seeks, 1);
        EXPECT_EQ(file.reads, 1);
    }
    // Just below 2^31 the seek succeeds and reads nothing: no image either.
    EXPECT_EQ(probe(image(0x8664, 0x7FFFFFFF)).kind, PeKind::NotPe);
}

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
