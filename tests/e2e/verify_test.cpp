// The verify action against the real registry (through the "reg" stand-in),
// the load test, and the search of the common folders.
#include "scenario.h"

namespace {

using e2e::ProductTest;

constexpr wchar_t kFolder[] = L"C:\\brontal\\verificar";
constexpr wchar_t kSysWow64Copy[] = L"C:\\Windows\\SysWOW64\\BrontalTest32.dll";

// Registers a fixture the way an installer would, outside the program.
bool regsvr32(const std::wstring& program, const std::wstring& switches, const std::wstring& path) {
    std::wstring line = L"\"" + program + L"\" " + switches + L" \"" + path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code == 0;
}

const std::wstring kRegsvr32 = L"C:\\Windows\\SysWOW64\\regsvr32.exe";

struct Verify : ProductTest {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        for (const wchar_t* name : {L"BrontalTest32.dll", L"BrontalTest64.dll", L"BrontalNeedsLib32.dll"})
            ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\" + name, std::wstring(kFolder) + L"\\" + name));
        ASSERT_TRUE(regsvr32(kRegsvr32, L"/s", std::wstring(kFolder) + L"\\BrontalTest32.dll"));
    }
    static void TearDownTestSuite() {
        regsvr32(kRegsvr32, L"/u /s", std::wstring(kFolder) + L"\\BrontalTest32.dll");
        DeleteFileW(kSysWow64Copy);
    }
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        start(kFolder);
        ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\verificar\\"));
    }
};

// A registered 32-bit component with a copy in SysWOW64: found, loaded, and
// its copy's facts in that folder's slot only.
TEST_F(Verify, RegisteredComponentWithACopyInACommonFolder) {
    ASSERT_TRUE(e2e::copyFile(std::wstring(kFolder) + L"\\BrontalTest32.dll", kSysWow64Copy));
    selectFile("BrontalTest32.dll");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits localizado no Registro.");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 32768u);
    EXPECT_EQ(c("imgCharge").tip(), "Componente carregado na memória.");
    EXPECT_EQ(c("imgCharge").picture(), c("imgCharge3").picture());
    EXPECT_TRUE(c("btnVer").enabled());
    EXPECT_TRUE(c("FileList").enabled());

    EXPECT_EQ(text("lblSysWOW64KB"), text("txtKB"));
    EXPECT_EQ(text("lblSysWOW64data"), text("lblFileData"));
    EXPECT_EQ(text("lblSysWOW64b"), "32");
    EXPECT_EQ(c("imgSysWOW64").picture(), c("imgPasta2").picture());
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x80000011u);
    for (const char* row : {"lblSystem32", "lblCommonFiles", "lblCommonFilesX86"}) {
        for (const char* column : {"data", "KB", "b"}) {
            std::string label = std::string(row) + column;
            EXPECT_EQ(text(label.c_str()), "---") << label;
        }
    }
    e2e::Ui hits = c("lstArquivos");
    ASSERT_EQ(hits.count(), 1);
    EXPECT_EQ(CompareStringOrdinal(e2e::widen(hits.item(0)).c_str(), -1, kSysWow64Copy, -1, TRUE), CSTR_EQUAL)
        << hits.item(0);
    DeleteFileW(kSysWow64Copy);
}

// Not loaded, and the tip's second line says why.
TEST_F(Verify, Unregistered64BitComponentIsNeitherFoundNorLoaded) {
    selectFile("BrontalTest64.dll");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 192u);
    EXPECT_EQ(c("imgCharge").tip(), "Componente não carregado na memória.\n"
                                    "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits");
    EXPECT_EQ(c("imgCharge").picture(), c("imgCharge2").picture());
    // Its name lies in no common folder: every slot ends at "---".
    for (const char* label : {"lblSystem32KB", "lblSysWOW64KB", "lblCommonFilesKB", "lblCommonFilesX86KB"})
        EXPECT_EQ(text(label), "---") << label;
    EXPECT_EQ(c("lstArquivos").count(), 0);

    selectFile("BrontalNeedsLib32.dll");
    verifyAndWait();
    EXPECT_EQ(c("imgCharge").tip(), "Componente não carregado na memória.\nBiblioteca ausente: BrontalAusente.dll");
    EXPECT_EQ(c("imgCharge").picture(), c("imgCharge2").picture());
}

} // namespace
