// The report window on the real program: the operating-system line under the
// Windows versions Wine can present, and the report after a real
// verification, with its folder list, a copy's facts, the copy-all text and
// the window's own place.
#include <string>
#include <vector>

#include "scenario.h"

namespace {

using e2e::ProductTest;

constexpr wchar_t kFolder[] = L"C:\\brontal\\relatorio";
constexpr char kName[] = "BrontalRelatorio.dll";
// The copies the search is to find: the 64-bit one in the real System32
// (reached through the alias), a 32-bit one in SysWOW64 and in a subfolder.
const std::wstring kCopies[] = {L"C:\\Windows\\Sysnative\\BrontalRelatorio.dll",
                                L"C:\\Windows\\SysWOW64\\BrontalRelatorio.dll",
                                L"C:\\Windows\\SysWOW64\\brontal_sub\\BrontalRelatorio.dll"};

// Wine presents the Windows version its registry names; a program started
// afterwards sees it.
void presentWindows(const wchar_t* version) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (version)
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(key, L"Version");
    RegCloseKey(key);
}

struct Report : ProductTest {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        ASSERT_TRUE(e2e::makeFolders(L"C:\\Windows\\SysWOW64\\brontal_sub"));
        std::wstring mine = std::wstring(kFolder) + L"\\" + e2e::widen(kName);
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll", mine));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest64.dll", kCopies[0]));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll", kCopies[1]));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll", kCopies[2]));
    }
    static void TearDownTestSuite() {
        for (const auto& copy : kCopies) DeleteFileW(copy.c_str());
        RemoveDirectoryW(L"C:\\Windows\\SysWOW64\\brontal_sub");
        presentWindows(nullptr);
    }
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
    }
    e2e::Ui openReport() {
        click(c("btnFile"));
        e2e::Ui report = app->waitForForm("Form3", 5000);
        EXPECT_TRUE(report) << "the report window did not open";
        return report;
    }
    std::string field(const e2e::Ui& report, const char* name) { return e2e::Product::control(report, name).text(); }
};

TEST_F(Report, OperatingSystemLineNamesTheWindowsWinePresents) {
    struct Case {
        const wchar_t* version;
        const char* line;
    };
    const Case cases[] = {
        // Wine's own default is Windows 7 SP1 (an explicit "win7" presents a
        // server product type under this Wine).
        {nullptr, "Sistema operacional Windows 7 SP1 (v6.1.7601) / 64 bits"},
        {L"win81", "Sistema operacional Windows 8.1  (v6.3.9600) / 64 bits"},
        {L"win10", "Sistema operacional Windows 10  (v10.0.18362) / 64 bits"},
        {L"winxp", "Sistema operacional Windows XP Professional SP3 (v5.1.2600) / 64 bits"},
        {L"win2003", "Sistema operacional Windows Server 2003 SP2 (v5.2.3790) / 64 bits"},
    };
    for (const Case& k : cases) {
        presentWindows(k.version);
        start(kFolder);
        selectFile(kName);
        e2e::Ui report = openReport();
        if (report) {
            EXPECT_EQ(field(report, "txtSisOp"), k.line) << (k.version ? e2e::narrow(k.version) : "default");
            EXPECT_EQ(field(report, "lbl64bits"), "64 bits");
        }
        app.reset();
    }
    presentWindows(nullptr);
}

TEST_F(Report, AfterAVerificationListsEachCopyAndReadsItsFactsAgain) {
    start(kFolder);
    selectFile(kName);
    verifyAndWait();
    ASSERT_EQ(c("lstArquivos").count(), 3);
    std::string size = text("txtKB"), date = text("lblFileData");

    e2e::Ui report = openReport();
    ASSERT_TRUE(report);
    EXPECT_FALSE(app->main().visible());
    e2e::Ui folders = e2e::Product::control(report, "lstPastas");
    EXPECT_EQ(folders.items(), (std::vector<std::string>{"C:\\Windows\\System32", "C:\\Windows\\SysWOW64",
                                                         "C:\\Windows\\SysWOW64\\brontal_sub"}));
    // The System32 entry is read from the real System32: the 64-bit copy.
    e2e::clickListItem(folders, 0);
    EXPECT_TRUE(e2e::waitUntil([&] { return field(report, "txtBitness2") == "64 bits"; }, 3000));
    e2e::clickListItem(folders, 2);
    EXPECT_TRUE(e2e::waitUntil([&] { return field(report, "txtBitness2") == "32 bits"; }, 3000));
    EXPECT_EQ(field(report, "txtKB2"), size);
    EXPECT_EQ(field(report, "txtData2"), date);

    click(e2e::Product::control(report, "btnCopyAll"));
    ASSERT_TRUE(e2e::waitUntil([&] { return field(report, "lblMensagem") == "Dados copiados."; }, 3000));
    auto clip = e2e::clipboardText();
    ASSERT_TRUE(clip.has_value());
    std::string head = "Arquivo referência: " + std::string(kName) + "\r\nEndereço: C:\\brontal\\relatorio\\" +
                       kName + "\r\n" + date + " - 32 bits - " + size + "\r\n\r\nEncontrado nas pastas: \r\n";
    EXPECT_EQ(clip->substr(0, head.size()), head);
    EXPECT_NE(clip->find("\r\n\r\nC:\\Windows\\System32\r\n"), std::string::npos);
    EXPECT_NE(clip->find(" - 64 bits - "), std::string::npos) << "the System32 copy is the 64-bit one";
    EXPECT_NE(clip->find("\r\n\r\nRodando em Sistema operacional "), std::string::npos);
    EXPECT_NE(clip->back(), '\n');
    EXPECT_TRUE(e2e::waitUntil([&] { return field(report, "lblMensagem").empty(); }, 2500));
}

TEST_F(Report, GivesTheMainWindowItsLastPlaceAndReadsItAfreshNextTime) {
    start(kFolder);
    selectFile(kName);
    e2e::Ui report = openReport();
    ASSERT_TRUE(report);
    RECT before = report.screenRect();
    // Dragged by its background, below the operating-system line.
    e2e::Ui line = e2e::Product::control(report, "txtSisOp");
    RECT l = line.screenRect();
    POINT grip{l.left + 4, l.bottom + 12};
    SetCursorPos(grip.x, grip.y);
    Sleep(50);
    INPUT down{}, up{};
    down.type = up.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &down, sizeof down);
    for (int step = 1; step <= 8; ++step) {
        SetCursorPos(grip.x - 5 * step, grip.y - 4 * step);
        Sleep(30);
    }
    SendInput(1, &up, sizeof up);
    ASSERT_TRUE(e2e::waitUntil([&] { return report.screenRect().left != before.left; }, 3000)) << "no drag";
    RECT moved = report.screenRect();
    EXPECT_EQ(moved.left, before.left - 40);
    EXPECT_EQ(moved.top, before.top - 32);

    PostMessageW(report.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(e2e::waitUntil([&] { return app->main().visible(); }, 3000));
    RECT main = app->main().screenRect();
    EXPECT_EQ(main.left, moved.left);
    EXPECT_EQ(main.top, moved.top);

    // Another file, another report: nothing of the first one is kept.
    click(c("btnLimpar"));
    click(c("btnFile"));
    EXPECT_FALSE(app->waitForForm("Form3", 1500)) << "no file, no report";
    selectFile(kName);
    report = openReport();
    ASSERT_TRUE(report);
    EXPECT_EQ(field(report, "txtTitFile"), kName);
    EXPECT_EQ(field(report, "txtKB2"), "");
}

// On 32-bit Windows the line says so, and a System32 copy is read from
// System32 itself (there is no alias to read it through).
struct Report32 : ProductTest {
    void SetUp() override {
        if (e2e::prefixKind() != "win32") GTEST_SKIP() << "run in the 32-bit prefix";
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll",
                                  std::wstring(kFolder) + L"\\" + e2e::widen(kName)));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll",
                                  L"C:\\Windows\\System32\\" + e2e::widen(kName)));
    }
    void TearDown() override {
        ProductTest::TearDown();
        DeleteFileW((L"C:\\Windows\\System32\\" + e2e::widen(kName)).c_str());
    }
};

TEST_F(Report32, SaysThirtyTwoBitsAndReadsTheSystem32CopyDirectly) {
    start(kFolder);
    selectFile(kName);
    verifyAndWait();
    click(c("btnFile"));
    e2e::Ui report = app->waitForForm("Form3", 5000);
    ASSERT_TRUE(report);
    std::string line = e2e::Product::control(report, "txtSisOp").text();
    EXPECT_EQ(line.substr(0, 20), "Sistema operacional ");
    EXPECT_EQ(line.substr(line.size() - 10), " / 32 bits") << line;
    e2e::Ui folders = e2e::Product::control(report, "lstPastas");
    ASSERT_EQ(folders.items(), std::vector<std::string>{"C:\\Windows\\System32"});
    e2e::clickListItem(folders, 0);
    EXPECT_TRUE(e2e::waitUntil(
        [&] { return e2e::Product::control(report, "txtBitness2").text() == "32 bits"; }, 3000));
    EXPECT_EQ(e2e::Product::control(report, "txtKB2").text(), text("txtKB"));
}

} // namespace
