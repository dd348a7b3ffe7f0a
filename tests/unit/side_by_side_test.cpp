#include <gtest/gtest.h>

#include <cstring>

#include "core/memory_pe_reader.h"
#include "core/pe_manifest.h"
#include "core/side_by_side.h"

using namespace brontal;

namespace {

// A PE32 image whose one section (RVA 0x1000, file offset 0x200) holds the
// resources: type 24, ID 2, one language, then the manifest's bytes.
struct ResourcePe {
    static constexpr std::size_t kOptional = 0x58, kSection = kOptional + 224, kRaw = 0x200;
    std::vector<unsigned char> b = std::vector<unsigned char>(0x600, 0);
    ResourcePe(const std::string& manifest, std::uint32_t id = 2) {
        b[0] = 'M', b[1] = 'Z', b[60] = 0x40;
        std::memcpy(&b[0x40], "PE\0\0", 4);
        put16(0x44, 0x014C), put16(0x46, 1), put16(0x54, 224), put16(kOptional, 0x10B);
        put32(kOptional + 60, 0x200), put32(kOptional + 92, 16), put32(kOptional + 96 + 16, 0x1000);
        put32(kSection + 8, 0x400), put32(kSection + 12, 0x1000), put32(kSection + 16, 0x400), put32(kSection + 20, kRaw);
        directory(0x00, 24, 0x80000018), directory(0x18, id, 0x80000030), directory(0x30, 0x409, 0x48);
        put32(kRaw + 0x48, 0x1058), put32(kRaw + 0x4C, static_cast<std::uint32_t>(manifest.size()));
        std::memcpy(&b[kRaw + 0x58], manifest.data(), std::min<std::size_t>(manifest.size(), 0x400 - 0x58));
    }
    void directory(std::size_t at, std::uint32_t id, std::uint32_t target) {
        put16(kRaw + at + 14, 1), put32(kRaw + at + 16, id), put32(kRaw + at + 20, target);
    }
    void put16(std::size_t at, std::uint16_t v) { std::memcpy(&b[at], &v, 2); }
    void put32(std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); }
};

std::string manifestOf(const std::vector<unsigned char>& bytes) {
    MemoryPeReader file(bytes);
    return readPeManifest(file);
}

const char kManifest[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Own.Component" version="1.0.0.0"/>
  <!-- <dependency><dependentAssembly><assemblyIdentity name="Commented.Out" version="1.0.0.0"/></dependentAssembly></dependency> -->
  <dependency><dependentAssembly>
    <assemblyIdentity type="win32" name="Microsoft.VC90.CRT" version="9.0.21022.8" processorArchitecture="x86"
        publicKeyToken='1fc8b3b9a1e18e3b'></assemblyIdentity>
  </dependentAssembly></dependency>
  <asmv1:dependency><asmv1:dependentAssembly>
    <asmv1:assemblyIdentity language="*" processorArchitecture="*" version="6.0.0.0" name="Microsoft.Windows.Common-Controls" publicKeyToken="6595b64144ccf1df" type="win32"/>
  </asmv1:dependentAssembly></asmv1:dependency>
</assembly>)";

} // namespace

// The resource as the loader finds it; any other resource, or a tree that
// points outside itself or promises too much, is no manifest.
TEST(PeManifest, TheResourceOfType24AndId2) {
    EXPECT_EQ(manifestOf(ResourcePe("<assembly/>").b), "<assembly/>");
    struct Case { const char* what; void (*change)(ResourcePe&); } cases[] = {
        {"ID 1, a program's", [](ResourcePe& p) { p.put32(ResourcePe::kRaw + 0x18 + 16, 1); }},
        {"no manifest type", [](ResourcePe& p) { p.put32(ResourcePe::kRaw + 16, 16); }},
        {"two resource directories only", [](ResourcePe& p) { p.put32(ResourcePe::kOptional + 92, 2); }},
        {"the name is data, not a directory", [](ResourcePe& p) { p.put32(ResourcePe::kRaw + 20, 0x30); }},
        {"a language pointing back to the root", [](ResourcePe& p) { p.put32(ResourcePe::kRaw + 0x30 + 20, 0x80000000); }},
        {"data outside the image", [](ResourcePe& p) { p.put32(ResourcePe::kRaw + 0x48, 0x7FFFFFF0); }},
        {"larger than a manifest can be", [](ResourcePe& p) { p.put32(ResourcePe::kRaw + 0x4C, 64 * 1024 + 1); }},
        {"65535 entries", [](ResourcePe& p) { p.put16(ResourcePe::kRaw + 14, 0xFFFF); }},
        {"the file cut in the resources", [](ResourcePe& p) { p.b.resize(ResourcePe::kRaw + 0x40); }},
    };
    for (const Case& c : cases) {
        ResourcePe pe("<assembly/>");
        c.change(pe);
        EXPECT_EQ(manifestOf(pe.b), "") << c.what;
    }
}

TEST(SideBySide, TheDependentAssembliesOfAManifest) {
    std::vector<AssemblyIdentity> found = dependentAssemblies(manifestOf(ResourcePe(kManifest).b));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "Microsoft.VC90.CRT");
    EXPECT_EQ(found[0].version, "9.0.21022.8");
    EXPECT_EQ(found[0].architecture, "x86");
    EXPECT_EQ(found[0].publicKeyToken, "1fc8b3b9a1e18e3b");
    EXPECT_EQ(found[1].name, "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(found[1].language, "*");
    // UTF-16 with its byte-order mark.
    std::string wide = "\xFF\xFE";
    for (char c : std::string(kManifest)) wide += c, wide += '\0';
    EXPECT_EQ(dependentAssemblies(wide).size(), 2u);
    EXPECT_TRUE(dependentAssemblies("<dependentAssembly><assemblyIdentity name=\"cut").empty());
}

TEST(SideBySide, TheFolderTheLoaderTakesAnAssemblyFrom) {
    const std::vector<std::string> winsxs = {
        "x86_microsoft.vc90.crt_1fc8b3b9a1e18e3b_9.0.30729.6161_none_50934f2ebcb7eb57",
        "x86_microsoft.vc90.crt_1fc8b3b9a1e18e3b_9.0.30729.9625_none_508ef7e4bcbbe589",
        "x86_microsoft.vc90.crt_1fc8b3b9a1e18e3b_9.1.0.0_none_deadbeef",
        "amd64_microsoft.vc90.crt_1fc8b3b9a1e18e3b_9.0.30729.6161_none_08e61857a83bc251",
        "x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0.2600.2982_none_deadbeef",
        "x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0.2600.2982_ja-jp_deadbeef",
        "x86_brontal.private_none_1.0.0.0_none_deadbeef",
    };
    struct Case { AssemblyIdentity wanted; bool is64; std::string folder; } cases[] = {
        {{"Microsoft.VC90.CRT", "9.0.21022.8", "x86", "1FC8B3B9A1E18E3B"}, false, winsxs[1]},   // the highest 9.0
        {{"Microsoft.VC90.CRT", "9.0.30729.6161", "x86", "1fc8b3b9a1e18e3b"}, true, winsxs[0]},   // as asked
        {{"Microsoft.VC90.CRT", "9.0.21022.8", "*", "1fc8b3b9a1e18e3b"}, true, winsxs[3]},        // the image's width
        {{"Microsoft.VC90.CRT", "9.0.21022.8", "amd64", "1fc8b3b9a1e18e3b"}, false, winsxs[3]},
        {{"Microsoft.VC90.CRT", "8.0.50727.762", "x86", "1fc8b3b9a1e18e3b"}, false, ""},          // another major
        {{"Microsoft.VC90.CRT", "9.0.21022.8", "x86", "0000000000000000"}, false, ""},            // another key
        {{"Microsoft.Windows.Common-Controls", "6.0.0.0", "*", "6595b64144ccf1df", "*"}, false, winsxs[4]},
        {{"Microsoft.Windows.Common-Controls", "6.0.0.0", "*", "6595b64144ccf1df", "ja-JP"}, false, winsxs[5]},
        {{"Brontal.Private", "1.0.0.0", "x86", ""}, false, winsxs[6]},
        {{"Brontal.Private", "1.0", "x86", ""}, false, ""},                                        // no version
    };
    for (const Case& c : cases)
        EXPECT_EQ(assemblyFolder(winsxs, c.wanted, c.is64).value_or(""), c.folder) << c.wanted.name << c.wanted.version;
}
