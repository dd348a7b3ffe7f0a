// Where the load test looks for a component's libraries, and whether its
// reason names the library the loader really lacks, proved by the loader:
// a library beside the program is never taken, and every library a reason
// names, put where the load looks, makes the component load. Run from the
// command line (the window's tip shares the load and the reason), in the
// 64-bit prefix, under the English group's character set for the
// accented name of an import (code page 1252).
#include <gtest/gtest.h>

#include <set>

#include "command_run.h"
#include "driver.h"
#include "json.h"
#include "scenario.h"

namespace {

constexpr wchar_t kRoot[] = L"C:\\brontal\\pesquisa";
const std::wstring kProgramCopy = std::wstring(kRoot) + L"\\Brontal32.exe";
const std::string kImage64 = "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits";

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::wstring library() { return e2e::fixturesDir() + L"\\library\\BrontalLib.dll"; }
bool strictUtf8(const std::string& s) {
    const int n = static_cast<int>(s.size());
    return s.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), n, nullptr, 0) > 0;
}

struct Verified {
    bool parsed = false, loads = false;
    std::string failure;   // "" for null
};

// The copy of the program verifies a file, as a script would: the JSON must be UTF-8 a strict reader takes.
Verified verify(const std::wstring& file, const std::wstring& folder) {
    e2e::CommandRun run = e2e::runProgram(kProgramCopy, L"/verificar \"" + file + L"\" /json", folder);
    EXPECT_TRUE(strictUtf8(run.out)) << run.out;
    std::optional<testjson::Value> v = testjson::parse(run.out);
    EXPECT_TRUE(v) << run.out << run.err;
    if (!v) return {};
    return {true, (*v)["loads"].boolean, (*v)["loadFailure"].text};
}

struct LoadSearch : ::testing::Test {
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        ASSERT_TRUE(e2e::makeFolders(kRoot));
        ASSERT_TRUE(e2e::copyFile(e2e::productExe(), kProgramCopy));
    }
};

// zzplant.dll in the system folder and beside the program (which is also the
// current folder): the system's is loaded, the one beside the program never,
// nor when the genuine one lies beside the component instead. Only beside the
// program, or only on the PATH, it is not found, and the reason says where
// it lies.
TEST_F(LoadSearch, ALibraryBesideTheProgramIsNeverLoaded) {
    const std::wstring folder = std::wstring(kRoot) + L"\\componente", component = folder + L"\\Planta.dll";
    const std::wstring beside = std::wstring(kRoot) + L"\\zzplant.dll", own = folder + L"\\zzplant.dll";
    const std::wstring system = L"C:\\Windows\\SysWOW64\\zzplant.dll", onPath = std::wstring(kRoot) + L"\\caminho";
    ASSERT_TRUE(e2e::putFixture(L"BrontalPlant32.dll", component));
    ASSERT_TRUE(e2e::copyFile(library(), beside) && e2e::copyFile(library(), system));
    for (const std::wstring& marker : {beside, own, system}) DeleteFileW((marker + L".loaded").c_str());

    Verified v = verify(component, kRoot);
    EXPECT_TRUE(v.loads);
    EXPECT_TRUE(exists(system + L".loaded")) << "the system's copy was not the one loaded";
    EXPECT_FALSE(exists(beside + L".loaded")) << "the copy beside the program was loaded";

    DeleteFileW((system + L".loaded").c_str());   // the system folder is the other groups' too
    ASSERT_TRUE(DeleteFileW(system.c_str()) && e2e::copyFile(library(), own));
    v = verify(component, kRoot);
    EXPECT_TRUE(v.loads);
    EXPECT_TRUE(exists(own + L".loaded")) << "the component's own copy was not the one loaded";
    EXPECT_FALSE(exists(beside + L".loaded")) << "the copy beside the program was loaded";

    ASSERT_TRUE(DeleteFileW(own.c_str()));
    v = verify(component, kRoot);
    EXPECT_FALSE(v.loads);
    EXPECT_EQ(v.failure, "Biblioteca fora das pastas pesquisadas: zzplant.dll");
    EXPECT_FALSE(exists(beside + L".loaded")) << "the copy beside the program was loaded";

    wchar_t path[8192];
    DWORD n = GetEnvironmentVariableW(L"PATH", path, 8192);
    ASSERT_TRUE(n > 0 && n < 8192 && e2e::makeFolders(onPath) &&
                MoveFileExW(beside.c_str(), (onPath + L"\\zzplant.dll").c_str(), MOVEFILE_REPLACE_EXISTING));
    SetEnvironmentVariableW(L"PATH", (std::wstring(path) + L";" + onPath).c_str());
    v = verify(component, kRoot);
    SetEnvironmentVariableW(L"PATH", path);
    EXPECT_FALSE(v.loads);
    EXPECT_EQ(v.failure, "Biblioteca fora das pastas pesquisadas: zzplant.dll");
}

// For each component whose reason names a library: the library put in the
// component's folder, the component verified again, until it loads; the
// names are the libraries expected, each once (a model that looks where the
// load does not names one it already has). One whose DllMain refuses, and
// one whose library lies in a side-by-side assembly, blame none.
TEST_F(LoadSearch, EveryLibraryAReasonNamesMakesTheComponentLoadOnceSupplied) {
    ASSERT_EQ(GetACP(), 1252u) << "the import names below are code page 1252";
    const std::wstring folder = std::wstring(kRoot) + L"\\razoes";
    struct Case { const wchar_t* fixture; std::set<std::string> named; } cases[] = {
        {L"BrontalNeedsLib32.dll", {"BrontalAusente.dll"}},
        {L"BrontalAnsi32.dll", {"BrontalAusente.dll", "zzplânt.dll"}},   // its table: "zzpl\xE2nt.dll"
    };
    for (const Case& c : cases) {
        const std::wstring own = folder + L"\\" + c.fixture;
        for (const std::string& name : c.named) DeleteFileW((own + L"\\" + e2e::widen(name)).c_str());
        ASSERT_TRUE(e2e::putFixture(c.fixture, own + L"\\" + c.fixture));
        std::set<std::string> named;
        Verified v = verify(own + L"\\" + c.fixture, kRoot);
        for (std::size_t step = 0; v.parsed && !v.loads && step <= c.named.size(); ++step) {
            const std::string prefix = "Biblioteca ausente: ";
            ASSERT_EQ(v.failure.rfind(prefix, 0), 0u) << e2e::narrow(c.fixture) << ": " << v.failure;
            const std::string name = v.failure.substr(prefix.size());
            ASSERT_TRUE(named.insert(name).second) << e2e::narrow(c.fixture) << " again: " << name;
            const std::wstring from =
                name == "BrontalAusente.dll" ? e2e::fixturesDir() + L"\\absent\\BrontalAusente.dll" : library();
            ASSERT_TRUE(e2e::copyFile(from, own + L"\\" + e2e::widen(name))) << name;
            v = verify(own + L"\\" + c.fixture, kRoot);
        }
        EXPECT_TRUE(v.loads) << e2e::narrow(c.fixture) << ": " << v.failure;
        EXPECT_EQ(named, c.named) << e2e::narrow(c.fixture);
    }

    ASSERT_TRUE(e2e::putFixture(L"BrontalNoInit32.dll", folder + L"\\BrontalNoInit32.dll"));
    Verified refuses = verify(folder + L"\\BrontalNoInit32.dll", kRoot);
    EXPECT_TRUE(refuses.parsed && !refuses.loads);
    EXPECT_EQ(refuses.failure, "");

    // BrontalSxs.dll only in the assembly its manifest names, under WinSxS:
    // the loader takes it from there (its marker appears), and it is not blamed.
    const std::wstring assembly = L"x86_brontal.test.assembly_0123456789abcdef_1.0.0.0_none_deadbeef";
    const std::wstring winsxs = L"C:\\Windows\\WinSxS\\" + assembly, sxs = winsxs + L"\\BrontalSxs.dll";
    const std::wstring manifest = L"C:\\Windows\\WinSxS\\manifests\\" + assembly + L".manifest";
    ASSERT_TRUE(e2e::makeFolders(winsxs) && e2e::copyFile(library(), sxs) &&
                e2e::copyFile(e2e::fixturesDir() + L"\\library\\BrontalSxs.manifest", manifest));
    DeleteFileW((sxs + L".loaded").c_str());
    ASSERT_TRUE(e2e::putFixture(L"BrontalSxs32.dll", folder + L"\\BrontalSxs32.dll"));
    Verified sideBySide = verify(folder + L"\\BrontalSxs32.dll", kRoot);
    EXPECT_TRUE(exists(sxs + L".loaded")) << "the loader did not take the assembly's library";
    EXPECT_TRUE(sideBySide.parsed && !sideBySide.loads);
    EXPECT_EQ(sideBySide.failure, "");
    DeleteFileW(manifest.c_str());
    DeleteFileW((sxs + L".loaded").c_str());
    DeleteFileW(sxs.c_str());
    RemoveDirectoryW(winsxs.c_str());
}

// A 64-bit component missing a library: its width first, then the library,
// which the 64-bit loader (regsvr32's) lacks too, until it is supplied.
TEST_F(LoadSearch, A64BitComponentTellsItsWidthFirst) {
    const std::wstring folder = std::wstring(kRoot) + L"\\largo", component = folder + L"\\BrontalNeedsLib64.dll";
    ASSERT_TRUE(e2e::putFixture(L"BrontalNeedsLib64.dll", component));
    DeleteFileW((folder + L"\\BrontalAusente.dll").c_str());
    Verified v = verify(component, kRoot);
    EXPECT_FALSE(v.loads);
    EXPECT_EQ(v.failure, kImage64 + "\nBiblioteca ausente: BrontalAusente.dll");
    EXPECT_EQ(e2e::runProgram(kProgramCopy, L"/registrar \"" + component + L"\"", kRoot).exitCode, 3u);
    const std::wstring absent64 = e2e::fixturesDir() + L"\\absent64\\BrontalAusente.dll";
    ASSERT_TRUE(e2e::copyFile(absent64, folder + L"\\BrontalAusente.dll"));
    EXPECT_EQ(verify(component, kRoot).failure, kImage64);
    EXPECT_EQ(e2e::runProgram(kProgramCopy, L"/registrar \"" + component + L"\"", kRoot).exitCode, 0u);
    EXPECT_EQ(e2e::runProgram(kProgramCopy, L"/desregistrar \"" + component + L"\"", kRoot).exitCode, 0u);
}

} // namespace
