// The verify action: the real registry (through the "reg" stand-in), the load test, the folder search.
#include "scenario.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\verificar";
constexpr wchar_t kSysWow64Copy[] = L"C:\\Windows\\SysWOW64\\BrontalTest32.dll";

// Registers (or not) the 32-bit fixture from this 32-bit process: the same registry view.
bool callServer(const char* entry) {
    HMODULE server = LoadLibraryW((std::wstring(kFolder) + L"\\BrontalTest32.dll").c_str());
    auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(server, entry)));
    HRESULT result = call ? call() : E_FAIL;
    if (server) FreeLibrary(server);
    return result == S_OK;
}

struct Verify : e2e::ProductTest {
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        for (const wchar_t* name : {L"BrontalTest32.dll", L"BrontalTest64.dll", L"BrontalNeedsLib32.dll"})
            ASSERT_TRUE(e2e::putFixture(name, std::wstring(kFolder) + L"\\" + name));
        ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", kSysWow64Copy));
        ASSERT_TRUE(callServer("DllRegisterServer"));
        startIn(kFolder);
    }
    void TearDown() override {
        ProductTest::TearDown();
        callServer("DllUnregisterServer");
        DeleteFileW(kSysWow64Copy);
    }
};

// A registered 32-bit component, its copy in SysWOW64's slot only; an unregistered 64-bit one, nowhere.
TEST_F(Verify, RegisteredComponentWithACopyThenAnUnregistered64BitOne) {
    selectFile("BrontalTest32.dll");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits localizado no Registro.");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 32768u);
    EXPECT_EQ(c("imgCharge").tip(), "Componente carregado na memória.");
    EXPECT_EQ(c("imgCharge").picture(), c("imgCharge3").picture());
    EXPECT_EQ(text("lblSysWOW64KB"), text("txtKB"));
    EXPECT_EQ(text("lblSysWOW64data"), text("lblFileData"));
    EXPECT_EQ(text("lblSysWOW64b"), "32");
    EXPECT_EQ(c("lblSysWOW64KB").foreColor(), 0x80000011u) << "the blink ends in grey";
    EXPECT_EQ(c("imgSysWOW64").picture(), c("imgPasta2").picture());
    for (const char* row : {"lblSystem32", "lblCommonFiles", "lblCommonFilesX86"})
        for (const char* column : {"data", "KB", "b"})
            EXPECT_EQ(text((row + std::string(column)).c_str()), "---") << row << column;
    e2e::Ui hits = c("lstArquivos");
    ASSERT_EQ(hits.count(), 1);
    EXPECT_EQ(CompareStringOrdinal(e2e::widen(hits.item(0)).c_str(), -1, kSysWow64Copy, -1, TRUE), CSTR_EQUAL)
        << hits.item(0);

    selectFile("BrontalTest64.dll");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 192u);
    // Not loaded, and the tip's second line says why.
    EXPECT_EQ(c("imgCharge").tip(), "Componente não carregado na memória.\n"
                                    "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits");
    EXPECT_EQ(c("imgCharge").picture(), c("imgCharge2").picture());
    for (const char* label : {"lblSystem32KB", "lblSysWOW64KB", "lblCommonFilesKB", "lblCommonFilesX86KB"})
        EXPECT_EQ(text(label), "---") << label;
    EXPECT_EQ(hits.count(), 0);

    selectFile("BrontalNeedsLib32.dll");
    verifyAndWait();
    EXPECT_EQ(c("imgCharge").tip(), "Componente não carregado na memória.\nBiblioteca ausente: BrontalAusente.dll");
}

} // namespace

namespace {

// Two builds of one component under one name: the selected one and a copy in
// the 32-bit system folder of version 1.2.3.4, another in the 32-bit Common
// Files of 2.0.0.7, the one registered. The tips tell them apart; the message
// line's says the registry points at the other copy. In both widths of Windows.
struct VerifyVersions : e2e::ProductTest {
    const bool windows64 = e2e::prefixKind() == "win64";
    const std::wstring selected = L"C:\\brontal\\versoes\\Versionada.dll",
                       system = windows64 ? L"C:\\Windows\\SysWOW64\\Versionada.dll" : L"C:\\Windows\\System32\\Versionada.dll",
                       common = windows64 ? L"C:\\Program Files (x86)\\Common Files\\Versionada.dll"
                                          : L"C:\\Program Files\\Common Files\\Versionada.dll";
    // The slots of those two copies, and one with none.
    const std::string systemSlot = windows64 ? "lblSysWOW64" : "lblSystem32",
                      commonSlot = windows64 ? "lblCommonFilesX86" : "lblCommonFiles",
                      emptySlot = windows64 ? "lblSystem32KB" : "";
    void SetUp() override {
        ASSERT_TRUE(e2e::putFixture(L"BrontalVersion1.dll", selected));
        ASSERT_TRUE(e2e::putFixture(L"BrontalVersion1.dll", system));
        ASSERT_TRUE(e2e::putFixture(L"BrontalVersion2.dll", common));
        ASSERT_TRUE(callServerAt(common, "DllRegisterServer"));
        startIn(L"C:\\brontal\\versoes");
    }
    void TearDown() override {
        ProductTest::TearDown();
        callServerAt(common, "DllUnregisterServer");
        for (const std::wstring* copy : {&system, &common}) DeleteFileW(copy->c_str());
    }
    static bool callServerAt(const std::wstring& path, const char* entry) {
        HMODULE server = LoadLibraryW(path.c_str());
        auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(server, entry)));
        HRESULT result = call ? call() : E_FAIL;
        if (server) FreeLibrary(server);
        return result == S_OK;
    }
};

TEST_F(VerifyVersions, TipsTellTheCopiesApartAndWhichOneIsRegistered) {
    const std::string v1 = " Versão 1.2.3.4 - Brontal Testes Ltda ", v2 = " Versão 2.0.0.7 - Brontal Testes Ltda ";
    selectFile("Versionada.dll");
    EXPECT_EQ(c("txtFile").tip(), " Versionada.dll \n" + v1);
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits localizado no Registro.");
    EXPECT_EQ(c("txtRegistrado").tip(), "Registrado para outra cópia: " + e2e::narrow(common));
    for (const char* column : {"data", "KB", "b"}) {
        EXPECT_EQ(c((systemSlot + column).c_str()).tip(), v1) << column;
        EXPECT_EQ(c((commonSlot + column).c_str()).tip(), v2) << column;
    }
    if (!emptySlot.empty()) EXPECT_EQ(c(emptySlot.c_str()).tip(), "") << "no copy there";

    // The report: a folder entry's tip gains its copy's version.
    click(c("btnFile"));
    e2e::Ui report = app->waitForForm("Form3", 10000);
    ASSERT_TRUE(report);
    e2e::Ui folders = report["lstPastas"];
    auto folderOf = [](const std::wstring& path) { return e2e::narrow(path.substr(0, path.rfind(L'\\'))); };
    ASSERT_EQ(folders.items(), (std::vector<std::string>{folderOf(system), folderOf(common)}));
    e2e::clickListItem(folders, 1);
    EXPECT_TRUE(e2e::waitUntil([&] { return folders.tip() == " Duplo clique para abrir pasta \n" + v2; }, 3000))
        << folders.tip();
}

} // namespace
