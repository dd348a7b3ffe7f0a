#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "core/memory_pe_reader.h"
#include "core/missing_library.h"
#include "core/pe_imports.h"

using namespace brontal;

namespace {

// Headers, then one section at RVA 0x1000 (file offset 0x200): the import descriptors, then the names.
struct Pe {
    static constexpr std::size_t kOptional = 0x58, kRaw = 0x200;
    bool plus = false;
    std::vector<unsigned char> b = std::vector<unsigned char>(0x400, 0);
    std::size_t sectionHeader = 0;

    Pe(bool pe32Plus, const std::vector<std::string>& libraries) : plus(pe32Plus) {
        const std::size_t optionalSize = plus ? 240 : 224;
        sectionHeader = kOptional + optionalSize;
        b[0] = 'M', b[1] = 'Z', b[60] = 0x40;
        std::memcpy(&b[0x40], "PE\0\0", 4);
        put16(0x44, plus ? 0x8664 : 0x014C);
        put16(0x46, 1);
        put16(0x54, static_cast<std::uint16_t>(optionalSize));
        put16(kOptional, plus ? 0x20B : 0x10B);
        put32(kOptional + 60, 0x200);                     // SizeOfHeaders
        put32(kOptional + (plus ? 108 : 92), 16);          // NumberOfRvaAndSizes
        put32(importEntry(), 0x1000);
        put32(sectionHeader + 8, 0x200);                   // VirtualSize
        put32(sectionHeader + 12, 0x1000);
        put32(sectionHeader + 16, 0x200);                  // SizeOfRawData
        put32(sectionHeader + 20, kRaw);
        std::size_t name = 20 * (libraries.size() + 1);
        for (std::size_t i = 0; i < libraries.size(); ++i) {
            put32(kRaw + 20 * i + 12, static_cast<std::uint32_t>(0x1000 + name));
            put32(kRaw + 20 * i + 16, 0x1100);             // FirstThunk
            std::memcpy(&b[kRaw + name], libraries[i].c_str(), libraries[i].size() + 1);
            name += libraries[i].size() + 1;
        }
    }
    std::size_t importEntry() const { return kOptional + (plus ? 112 : 96) + 8; }
    void put16(std::size_t at, std::uint16_t v) { std::memcpy(&b[at], &v, 2); }
    void put32(std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); }
};

PeImports read(std::vector<unsigned char> bytes) {
    MemoryPeReader file(std::move(bytes));
    return readPeImports(file);
}

using Names = std::vector<std::string>;

// A search over a made-up disk: paths that exist, the imports and assemblies of some.
struct Disk {
    std::set<std::string> files;
    std::map<std::string, Names> imports, assemblies;
    LibrarySearch search(const std::string& own = "C:\\app", bool ownAndSystemOnly = true,
                         const std::string& system = "C:\\Windows\\System32") {
        LibrarySearch s;
        placeFolders({own, system, "C:\\Windows", "C:\\Downloads", {"C:\\Tools", "C:\\Windows"}, ownAndSystemOnly}, s);
        s.knownDlls = {"KERNEL32.dll"};
        s.fileExists = [this](const std::string& p) { return files.count(p) > 0; };
        s.importsOf = [this](const std::string& p) { return PeImports{ImportsStatus::Read, {}, imports[p]}; };
        s.component = own + "\\comp.dll";
        s.assembliesOf = [this](const std::string& p) { return assemblies[p]; };
        return s;
    }
};

} // namespace

// A two-library table of either width, changed as each case says, read as the loader maps it (the table ends
// at a descriptor without a name or thunks, raw data ends in zeros); a broken one is unreadable, never a crash.
TEST(PeImports, ReadsAsTheLoaderMapsTheImageAndABrokenTableIsUnreadable) {
    constexpr auto ok = ImportsStatus::Read;
    struct Case {
        const char* what; void (*change)(Pe&); ImportsStatus status = ImportsStatus::Unreadable; Names libraries = {};
    } cases[] = {
        {"as built", [](Pe&) {}, ok, {"A.dll", "B.dll"}},
        {"the second without an address table", [](Pe& p) { p.put32(Pe::kRaw + 20 + 16, 0); }, ok, {"A.dll"}},
        // Only the first descriptor is in the file; the terminator and the
        // name after it are zeros of the section: an empty name...
        {"raw data ends after one descriptor", [](Pe& p) { p.put32(p.sectionHeader + 16, 20); }},
        // ...unless the name lies among the headers, read from the file.
        {"name among the headers", [](Pe& p) {
             p.put32(p.sectionHeader + 16, 20);
             p.put32(Pe::kRaw + 12, 0x180);
             std::memcpy(&p.b[0x180], "H.dll", 6);
         }, ok, {"H.dll"}},
        {"one data directory", [](Pe& p) { p.put32(Pe::kOptional + (p.plus ? 108 : 92), 1); }, ok, {}},
        {"import table outside every section", [](Pe& p) { p.put32(p.importEntry(), 0x9000); }},
        {"name outside every section", [](Pe& p) { p.put32(Pe::kRaw + 12, 0x7FFFFFF0); }},
        {"empty name", [](Pe& p) { p.b[Pe::kRaw + 60] = 0; }},
        {"name longer than 260 bytes", [](Pe& p) { std::memset(&p.b[Pe::kRaw + 60], 'x', 0x200 - 60); }},
        {"97 sections", [](Pe& p) { p.put16(0x46, 97); }},
        {"unknown optional header", [](Pe& p) { p.put16(Pe::kOptional, 0x107); }},
        {"optional header too short", [](Pe& p) { p.put16(0x54, 64); }},
        {"raw data past the end of the file", [](Pe& p) { p.put32(p.sectionHeader + 20, 0x7FFFFF00); }},
        // 1100 descriptors of the same library, past the bound.
        {"no end to the descriptors", [](Pe& p) {
             p.b.resize(Pe::kRaw + 21 * 1100);
             p.put32(p.sectionHeader + 8, 21 * 1100);
             p.put32(p.sectionHeader + 16, 21 * 1100);
             for (std::size_t i = 0; i < 1100; ++i) {
                 p.put32(Pe::kRaw + 20 * i + 12, 0x1000 + 20 * 1100);
                 p.put32(Pe::kRaw + 20 * i + 16, 0x1100);
             }
             std::memcpy(&p.b[Pe::kRaw + 20 * 1100], "A.dll", 6);
         }},
    };
    for (bool plus : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << (plus ? ", PE32+" : ", PE32"));
            Pe pe(plus, {"A.dll", "B.dll"});
            c.change(pe);
            PeImports i = read(pe.b);
            EXPECT_EQ(i.status, c.status);
            EXPECT_EQ(i.verdict.is64(), plus);
            EXPECT_EQ(i.libraries, c.libraries);
        }
        // Cut anywhere: no image, unreadable, or (past the last byte the table needs) whole.
        const Pe whole(plus, {"A.dll", "B.dll"});
        for (std::size_t keep = 0; keep < whole.b.size(); ++keep) {
            PeImports i = read(std::vector<unsigned char>(whole.b.begin(), whole.b.begin() + keep));
            ASSERT_TRUE(i.status != ImportsStatus::Read || i.libraries == (Names{"A.dll", "B.dll"})) << keep;
        }
    }
    EXPECT_EQ(read(Pe(false, {}).b).status, ImportsStatus::Read);   // imports nothing
    EXPECT_EQ(read({'n', 'o'}).status, ImportsStatus::NotPe);
}


TEST(MissingLibrary, FirstLibraryTheLoadFindsNowhere) {
    Disk disk;
    const std::string sxs = "C:\\Windows\\WinSxS\\x86_vc90.crt_1fc8b3b9a1e18e3b_9.0.1.0_none_h";
    disk.files = {"C:\\Windows\\System32\\ole32.dll", "C:\\app\\helper.dll", "C:\\Windows\\System32\\sys.dll",
                  "C:\\Windows\\System32\\FOO.dll", "C:\\app\\loop.dll", "C:\\Windows\\win.dll",
                  "C:\\Downloads\\beside.dll", "C:\\Tools\\onpath.dll", sxs + "\\msvcr90.dll",
                  "C:\\app\\mfc.dll", "C:\\Windows\\System\\old16.dll"};
    disk.imports["C:\\app\\helper.dll"] = {"ole32.dll", "runtime.dll"};
    disk.imports["C:\\Windows\\System32\\sys.dll"] = {"gone.dll"};   // the system's: not followed
    disk.imports["C:\\app\\loop.dll"] = {"loop.dll", "ole32.dll"};
    disk.imports["C:\\app\\mfc.dll"] = {"msvcr90.dll"};
    disk.assemblies["C:\\app\\comp.dll"] = {sxs};
    struct Case { Names imports; std::string missing; bool outsideOnly = false; } cases[] = {
        {{"ole32.dll", "sys.dll", "MSVBVM60.DLL", "other.dll"}, "MSVBVM60.DLL"},
        {{"api-ms-win-crt-runtime-l1-1-0.dll", "EXT-MS-win-foo.dll", "kernel32.DLL"}, ""},   // sets, a known DLL
        {{"FOO"}, ""},                                     // no extension: FOO.dll
        {{"helper.dll", "later.dll"}, "runtime.dll"},      // what the component's own library lacks, first
        {{"loop.dll"}, ""},                                // a library importing itself ends
        {{"C:\\elsewhere\\x.dll"}, "C:\\elsewhere\\x.dll"},   // a path is there or nowhere
        {{"msvcr90.dll"}, ""},                             // in an assembly of the component's manifest
        {{"mfc.dll"}, "msvcr90.dll"},                      // ...which is not the manifest of its library
        {{"win.dll"}, "win.dll", true},                    // the Windows folder is not searched (on the PATH)
        {{"old16.dll"}, "old16.dll"},
        {{"ole32.dll", "beside.dll"}, "beside.dll", true},   // only beside the program
        {{"onpath.dll"}, "onpath.dll", true},              // only on the PATH
    };
    for (const Case& c : cases) {
        MissingLibrary m = missingLibrary(c.imports, disk.search());
        EXPECT_EQ(m.name, c.missing) << c.imports[0];
        EXPECT_EQ(m.outsideOnly, c.outsideOnly) << c.imports[0];
    }
    // Where the flags of that search are missing, the altered search path
    // looks in the Windows folders and the PATH too; the program's folder
    // stays outside.
    for (const char* found : {"win.dll", "old16.dll", "onpath.dll"})
        EXPECT_EQ(missingLibrary({found}, disk.search("C:\\app", false)).name, "") << found;
    EXPECT_TRUE(missingLibrary({"beside.dll"}, disk.search("C:\\app", false)).outsideOnly);
    // A component living in the system folder shares its libraries with the system.
    EXPECT_EQ(missingLibrary({"sys.dll"}, disk.search("C:\\Windows\\System32\\")).name, "");
    // A component beside the program: that folder is its own, searched.
    EXPECT_EQ(missingLibrary({"beside.dll"}, disk.search("C:\\Downloads")).name, "");
}

TEST(MissingLibrary, PathFolders) {
    EXPECT_EQ(pathFolders("C:\\a;;\"C:\\b c\";C:\\d\\;"), (Names{"C:\\a", "C:\\b c", "C:\\d\\"}));
    EXPECT_EQ(pathFolders(""), Names{});
}

TEST(MissingLibrary, ReasonForEachKindOfImage) {
    const std::string image64 = "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits";
    Disk disk;
    disk.files = {"C:\\Windows\\Sysnative\\ole32.dll", "C:\\Windows\\System32\\ole32.dll",
                  "C:\\Windows\\Sysnative\\only64.dll", "C:\\Windows\\System32\\only32.dll",
                  "C:\\Downloads\\beside.dll"};
    const auto read = ImportsStatus::Read, unreadable = ImportsStatus::Unreadable;
    const PeVerdict i386 = machineVerdict(0x014C), amd64 = machineVerdict(0x8664);
    struct Case { PeImports component; bool windows64; std::string reason; } cases[] = {
        {{read, i386, {"ole32.dll", "only32.dll", "MSVBVM60.DLL"}}, true, "Biblioteca ausente: MSVBVM60.DLL"},
        {{read, i386, {"only64.dll"}}, true, "Biblioteca ausente: only64.dll"},
        {{read, i386, {"beside.dll"}}, true, "Biblioteca fora das pastas pesquisadas: beside.dll"},
        {{read, i386, {"ole32.dll"}}, false, ""},   // all there: the file tells no reason
        {{read, amd64, {"ole32.dll", "only64.dll"}}, true, image64},
        // The width first, then what a 64-bit program would lack too.
        {{read, amd64, {"ole32.dll", "only32.dll"}}, true, image64 + "\nBiblioteca ausente: only32.dll"},
        {{read, amd64, {"vcruntime140.dll"}}, false, image64},   // no 64-bit folders to look in
        {{unreadable, amd64, {}}, true, image64},
        {{read, machineVerdict(0x0200), {"x.dll"}}, true, image64},
        {{unreadable, i386, {}}, true, ""},
        {{read, machineVerdict(0xAA64), {"x.dll"}}, true, ""},
        {{ImportsStatus::NotPe, {}, {}}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.component.verdict.machine << " on 64-bit " << c.windows64);
        EXPECT_EQ(loadFailureText(c.component, c.windows64, [&](bool is64) {
                      return disk.search("C:\\app", true, is64 ? "C:\\Windows\\Sysnative" : "C:\\Windows\\System32");
                  }),
                  c.reason);
    }
}
