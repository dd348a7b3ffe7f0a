// The report window after a real verification, and its line for the Windows versions Wine presents.
#include <string>
#include <vector>

#include "command_run.h"
#include "scenario.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\relatorio";
constexpr char kName[] = "BrontalRelatorio.dll";

// Wine presents the Windows version its registry names to programs started afterwards.
void presentWindows(const wchar_t* version) {
    if (!version) RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
    else RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ, version,
                         static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
}

struct Report : e2e::ProductTest {
    std::string prefix = "win64";
    // The component, and the copies to find: a 64-bit one in the real System32
    // (through the alias), 32-bit ones in SysWOW64 and a subfolder.
    std::vector<std::pair<const wchar_t*, std::wstring>> copies = {
        {L"BrontalTest32.dll", L"C:\\brontal\\relatorio\\BrontalRelatorio.dll"},
        {L"BrontalTest64.dll", L"C:\\Windows\\Sysnative\\BrontalRelatorio.dll"},
        {L"BrontalTest32.dll", L"C:\\Windows\\SysWOW64\\BrontalRelatorio.dll"},
        {L"BrontalTest32.dll", L"C:\\Windows\\SysWOW64\\brontal_sub\\BrontalRelatorio.dll"}};

    void SetUp() override {
        if (e2e::prefixKind() != prefix) GTEST_SKIP() << "run in the " << prefix << " prefix";
        for (const auto& [fixture, copy] : copies) ASSERT_TRUE(e2e::putFixture(fixture, copy));
    }
    void TearDown() override {
        ProductTest::TearDown();
        for (const auto& copy : copies) DeleteFileW(copy.second.c_str());
        presentWindows(nullptr);
    }
    // Starts the program on the component, verified if asked, and opens its report.
    e2e::Ui startAndOpenReport(bool verified) {
        startIn(kFolder);
        selectFile(kName);
        if (verified) verifyAndWait();
        return openReport();
    }
    e2e::Ui openReport() {
        click(c("btnFile"));
        e2e::Ui report = app->waitForForm("Form3", 10000);
        EXPECT_TRUE(report && e2e::waitUntil([&] { return GetForegroundWindow() == report.hwnd(); }, 3000))
            << "the report window did not come up";
        return report;
    }
    // Clicks an entry of the report's folder list and waits for the copy's bitness.
    void showsCopy(const e2e::Ui& report, int index, const char* bits) {
        e2e::clickListItem(report["lstPastas"], index);
        EXPECT_TRUE(e2e::waitUntil([&] { return report["txtBitness2"].text() == bits; }, 3000))
            << "entry " << index << ": " << report["txtBitness2"].text();
    }
};

TEST_F(Report, AfterAVerificationListsEachCopyCopiesItAllAndLeavesTheMainWindowItsPlace) {
    e2e::Ui report = startAndOpenReport(true);
    ASSERT_TRUE(report);
    const std::string size = text("txtKB"), date = text("lblFileData");
    EXPECT_FALSE(app->main().visible());
    // Wine's own default is Windows 7 SP1.
    EXPECT_EQ(report["txtSisOp"].text(), "Sistema operacional Windows 7 SP1 (v6.1.7601) / 64 bits");
    EXPECT_EQ(report["lstPastas"].items(), (std::vector<std::string>{"C:\\Windows\\System32", "C:\\Windows\\SysWOW64",
                                                                     "C:\\Windows\\SysWOW64\\brontal_sub"}));
    // The System32 entry is read from the real System32: the 64-bit copy.
    showsCopy(report, 0, "64 bits");
    showsCopy(report, 2, "32 bits");
    EXPECT_EQ(report["txtKB2"].text(), size);
    EXPECT_EQ(report["txtData2"].text(), date);

    ASSERT_TRUE(e2e::setClipboardText(L""));
    click(report["btnCopyAll"]);
    const std::string head = "Arquivo referência: " + std::string(kName) + "\r\nEndereço: C:\\brontal\\relatorio\\" +
                             kName + "\r\n" + date + " - 32 bits - " + size + "\r\n\r\nEncontrado nas pastas: \r\n";
    std::string clip;
    EXPECT_TRUE(e2e::waitUntil([&] { return (clip = e2e::clipboardText().value_or("")).rfind(head, 0) == 0; }, 5000))
        << "the clipboard holds: " << clip;
    EXPECT_NE(clip.find("\r\n\r\nC:\\Windows\\System32\r\n"), std::string::npos);
    EXPECT_NE(clip.find(" - 64 bits - "), std::string::npos) << "the System32 copy is the 64-bit one";
    // From a command line the same file gives the same text, byte for byte.
    EXPECT_EQ(e2e::runProgram(e2e::productExe(), L"/verificar " + std::wstring(kFolder) + L"\\" + e2e::widen(kName)).out,
              clip);

    // Dragged by its background, it hands the main window the place it was left at.
    const RECT before = report.screenRect(), line = report["txtSisOp"].screenRect();
    e2e::drag({line.left + 4, line.bottom + 12}, -40, -32);
    const POINT moved{before.left - 40, before.top - 32};
    EXPECT_TRUE(e2e::waitUntil([&] { return report.topLeft() == moved; }, 3000)) << "left at " << report.topLeft();
    PostMessageW(report.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(e2e::waitUntil([&] { return app->main().visible(); }, 3000));
    EXPECT_EQ(app->main().topLeft(), moved);

    // The next report is read afresh: nothing of the last one is kept.
    report = openReport();
    ASSERT_TRUE(report);
    EXPECT_EQ(report["txtTitFile"].text(), kName);
    EXPECT_EQ(report["txtKB2"].text(), "");
}

// The version as the system has it, not as told a program without a manifest, and a server's product type.
TEST_F(Report, OperatingSystemLineNamesTheWindowsWinePresents) {
    for (auto [version, line] : {std::pair{L"win10", "Sistema operacional Windows 10  (v10.0.18362) / 64 bits"},
                                 {L"win2003", "Sistema operacional Windows Server 2003 SP2 (v5.2.3790) / 64 bits"}}) {
        // Read when the program starts: each version gets a program of its own.
        presentWindows(version);
        if (e2e::Ui report = startAndOpenReport(false)) EXPECT_EQ(report["txtSisOp"].text(), line);
    }
}

// On 32-bit Windows the line says so, and a System32 copy is read without an alias.
struct Report32 : Report {
    Report32() {
        prefix = "win32";
        copies = {copies[0], {L"BrontalTest32.dll", L"C:\\Windows\\System32\\BrontalRelatorio.dll"}};
    }
};

TEST_F(Report32, SaysThirtyTwoBitsAndReadsTheSystem32CopyDirectly) {
    e2e::Ui report = startAndOpenReport(true);
    ASSERT_TRUE(report);
    std::string line = report["txtSisOp"].text();
    EXPECT_EQ(line.substr(line.size() - 10), " / 32 bits") << line;
    ASSERT_EQ(report["lstPastas"].items(), std::vector<std::string>{"C:\\Windows\\System32"});
    showsCopy(report, 0, "32 bits");
    EXPECT_EQ(report["txtKB2"].text(), text("txtKB"));
}

} // namespace
