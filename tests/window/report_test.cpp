// The report window Form3 in this process, opened from the main window as the
// user opens it, over real files written into a temporary folder. The shell and
// the clipboard are stood in for, so what they are asked can be read exactly.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "core/file_facts.h"
#include "platform/text.h"
#include "platform/user_locale.h"
#include "report/report_window.h"
#include "ui/events.h"

using brontal::MainWindow;
using brontal::Services;
using brontal::report::ReportWindow;
namespace ui = brontal::ui;

namespace {

constexpr char kName[] = "brontal_relatorio.dll";

struct Recorder {
    std::vector<std::string> messages;
    std::vector<std::string> shell;   // "verb|file|params|dir|show"
    std::vector<std::string> clipboard;
    bool clipboardWorks = true;
};

Services fakeServices(Recorder& r) {
    Services s;
    s.isElevated = [] { return true; };
    s.beep = [] {};
    s.messageBox = [&r](HWND, const std::string& text, const std::string&, unsigned) {
        r.messages.push_back(text);
        return IDOK;
    };
    s.shellExecute = [&r](HWND, const std::string& verb, const std::string& file, const std::string& params,
                          const std::string& dir, int show) -> INT_PTR {
        r.shell.push_back(verb + "|" + file + "|" + params + "|" + dir + "|" + std::to_string(show));
        return 42;
    };
    s.setClipboardText = [&r](HWND, const std::string& text) {
        if (!r.clipboardWorks) return false;
        r.clipboard.push_back(text);
        return true;
    };
    return s;
}

// A header-only PE image of that machine, size bytes long, last written at
// 05/03/2019 14:07:33 local time.
void writeImage(const std::string& path, std::uint16_t machine, std::size_t size) {
    std::string bytes(size, '\0');
    bytes[0] = 'M', bytes[1] = 'Z';
    bytes[60] = 64;
    bytes.replace(64, 4, std::string("PE\0\0", 4));
    bytes[68] = static_cast<char>(machine & 0xFF);
    bytes[69] = static_cast<char>(machine >> 8);
    std::filesystem::create_directories(std::filesystem::path(brontal::widen(path)).parent_path());
    HANDLE h = CreateFileW(brontal::widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    SYSTEMTIME local{2019, 3, 0, 5, 14, 7, 33, 0}, utc;
    FILETIME ft;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    SystemTimeToFileTime(&utc, &ft);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

std::string fixtureDate() {
    return brontal::dateText({2019, 3, 5, 14, 7, 33}, brontal::platform::userDateSeparator(),
                             brontal::platform::userTimeSeparator());
}
std::string sizeOf(std::uint64_t bytes) { return brontal::sizeText(bytes, brontal::platform::userNumberFormat()); }

void pumpFor(std::chrono::milliseconds span) {
    auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        ui::processPendingEvents();
        Sleep(10);
    }
}

struct ReportTest : ::testing::Test {
    Recorder recorder;
    std::unique_ptr<MainWindow> main;
    std::string root;   // the temporary folder, without a trailing backslash

    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = brontal::narrow(temp) + "brontal_relatorio_" + std::to_string(GetCurrentProcessId());
        std::filesystem::remove_all(brontal::widen(root));
        writeImage(root + "\\Selecionado\\" + kName, 0x014C, 1536);
        main = std::make_unique<MainWindow>(fakeServices(recorder));
        main->load();
        main->show();
        ui::processPendingEvents();
        c("lbl64bits").setText("1");
    }
    void TearDown() override {
        main.reset();
        ui::processPendingEvents();
        std::error_code ignored;
        std::filesystem::remove_all(brontal::widen(root), ignored);
    }
    ui::Control& c(const char* name) { return (*main)[name]; }

    // Picks the file in the browser as the user would; then the hits as the
    // folder search leaves them.
    void selectFile(const std::vector<std::string>& hits) {
        main->setDirListPath(root + "\\Selecionado");
        ui::Control& files = c("FileList");
        int index = -1;
        for (int i = 0; i < files.count(); ++i)
            if (files.item(i) == kName) index = i;
        ASSERT_GE(index, 0);
        files.setSelectedIndex(index);
        files.onClick();
        for (const std::string& hit : hits) c("lstArquivos").addItem(hit);
    }
    ReportWindow& open() {
        c("btnFile").onClick();
        ui::processPendingEvents();
        auto* report = dynamic_cast<ReportWindow*>(main->reportWindow.get());
        if (!report) throw std::runtime_error("no report window");
        return *report;
    }
    static std::vector<std::string> items(ui::Control& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.count(); ++i) out.push_back(list.item(i));
        return out;
    }
    std::string header() {
        return std::string("Arquivo referência: ") + kName + "\r\nEndereço: " + root + "\\Selecionado\\" + kName +
               "\r\n" + fixtureDate() + " - 32 bits - " + sizeOf(1536) + "\r\n\r\n";
    }
};

TEST_F(ReportTest, TakesTheMainWindowsPlaceShowingTheSelectedFile) {
    main->moveTo(1800, 1200);
    selectFile({});
    ReportWindow& r = open();
    EXPECT_FALSE(main->visible());
    EXPECT_TRUE(r.visible());
    EXPECT_EQ(r.left(), 1800);
    EXPECT_EQ(r.top(), 1200);
    // Whole pixels: 5660 twips is 377 1/3 pixels at 96 DPI.
    EXPECT_NEAR(r.width(), 5655, 15);
    EXPECT_NEAR(r.height(), 5660, 15);
    r.setSize(7000, 3000);
    ui::processPendingEvents();
    EXPECT_NEAR(r.width(), 5655, 15);
    EXPECT_NEAR(r.height(), 5660, 15);

    EXPECT_EQ(r["lblTituloTopo"].text(), "Detalhes do arquivo selecionado:");
    EXPECT_EQ(r["lblTitData"].text(), "Data de criação: ");
    EXPECT_EQ(r["Label7"].text(), "Componente encontrado nas pastas:");
    EXPECT_EQ(r["lstPastas"].tip(), " Duplo clique para abrir pasta ");
    EXPECT_EQ(r["btnCopyAll"].tip(), " Copiar dados do arquivo ");
    EXPECT_EQ(r["txtTitFile"].text(), kName);
    EXPECT_EQ(r["txtKB"].text(), sizeOf(1536));
    EXPECT_EQ(r["txtData"].text(), fixtureDate());
    EXPECT_EQ(r["txtBitness"].text(), "32 bits");
    EXPECT_EQ(r["txtAddress"].text(), root + "\\Selecionado\\" + kName);
    EXPECT_EQ(r["lbl64bits"].text(), "64 bits");
    std::string system = r["txtSisOp"].text();
    EXPECT_EQ(system.rfind("Sistema operacional Windows ", 0), 0u) << system;
    EXPECT_NE(system.find(" (v"), std::string::npos) << system;
    EXPECT_EQ(system.substr(system.size() - 11), ") / 64 bits") << system;
}

TEST_F(ReportTest, WithoutHitsTheListSaysSoAndCannotBeUsed) {
    selectFile({});
    ReportWindow& r = open();
    EXPECT_EQ(items(r["lstPastas"]), std::vector<std::string>{"Componente não encontrado nas pastas comuns."});
    EXPECT_FALSE(r["lstPastas"].enabled());
    EXPECT_EQ(r["lblEncontrado"].text(), "");
    r.showCopyFacts(0);
    r.openListedFolder(0);
    EXPECT_EQ(r["txtKB2"].text(), "");
    EXPECT_TRUE(recorder.shell.empty());
}

TEST_F(ReportTest, HitsBecomeTheirFoldersWithSystem32ForTheAlias) {
    selectFile({std::string("C:\\Windows\\Sysnative\\") + kName, std::string("C:\\Windows\\Sysnative\\drivers\\") + kName,
                root + "\\A\\" + kName, root + "\\B\\um\\" + kName, root + "\\B\\dois\\" + kName});
    ReportWindow& r = open();
    std::vector<std::string> expected = {"C:\\Windows\\System32", "C:\\Windows\\System32\\drivers", root + "\\A",
                                         root + "\\B\\um", root + "\\B\\dois"};
    EXPECT_EQ(items(r["lstPastas"]), expected);
    EXPECT_TRUE(r["lstPastas"].enabled());
    EXPECT_EQ(r["lblEncontrado"].text(), "1");

    // The shell gets the folder as listed, never the alias.
    r["lstPastas"].setSelectedIndex(0);
    r["lstPastas"].onDblClick();
    r["lstPastas"].setSelectedIndex(3);
    r["lstPastas"].onDblClick();
    EXPECT_EQ(recorder.shell, (std::vector<std::string>{"open|C:\\Windows\\System32|||1",
                                                        "open|" + root + "\\B\\um|||1"}));
}

TEST_F(ReportTest, ClickingAFolderShowsThatCopysFacts) {
    writeImage(root + "\\A\\" + kName, 0x8664, 2048);
    writeImage(root + "\\B\\" + kName, 0x014C, 640);
    writeImage(root + "\\C\\" + kName, 0xAA64, 1024);
    std::filesystem::create_directories(brontal::widen(root + "\\E"));
    {
        std::ofstream text(std::filesystem::path(brontal::widen(root + "\\E\\" + kName)), std::ios::binary);
        text << "não sou um executável";
    }
    selectFile({root + "\\A\\" + kName, root + "\\B\\" + kName, root + "\\C\\" + kName, root + "\\D\\" + kName,
                root + "\\E\\" + kName});
    ReportWindow& r = open();
    ui::Control& list = r["lstPastas"];
    auto click = [&](int i) {
        list.setSelectedIndex(i);
        list.onClick();
    };
    click(0);
    EXPECT_EQ(r["txtKB2"].text(), sizeOf(2048));
    EXPECT_EQ(r["txtData2"].text(), fixtureDate());
    EXPECT_EQ(r["txtBitness2"].text(), "64 bits");
    click(1);
    EXPECT_EQ(r["txtKB2"].text(), sizeOf(640));
    EXPECT_EQ(r["txtBitness2"].text(), "32 bits");
    EXPECT_TRUE(recorder.messages.empty());

    // An unknown machine is asked about and shown as 32-bit, leaving the bits label.
    r["lblb"].setText("x");
    click(2);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"Arquitetura desconhecida: -21916"});
    EXPECT_EQ(r["txtBitness2"].text(), "32 bits");
    EXPECT_EQ(r["lblb"].text(), "x");
    // A file that is no image empties the report's own bits label, not the main window's.
    click(4);
    EXPECT_EQ(r["txtBitness2"].text(), "32 bits");
    EXPECT_EQ(r["lblb"].text(), "");
    EXPECT_EQ(c("lblb").text(), "32");

    // Gone since the search: no facts of another folder stand for it.
    click(3);
    EXPECT_EQ(r["txtKB2"].text(), "");
    EXPECT_EQ(r["txtData2"].text(), "");
    EXPECT_EQ(r["txtBitness2"].text(), "");
    EXPECT_EQ(r["lblMensagem"].text(), "Não foi possível ler o arquivo.");
    EXPECT_EQ(c("lblb").text(), "32");
}

TEST_F(ReportTest, System32IsReadThroughTheAliasOnlyOn64BitWindows) {
    // A 32-bit process writing to System32 in a 64-bit prefix lands in
    // SysWOW64: the listed System32 copy then exists only as this process sees
    // System32, not through the alias.
    std::string probe = std::string("C:\\Windows\\System32\\") + kName;
    writeImage(probe, 0x014C, 3072);
    struct Cleanup {
        std::string path;
        ~Cleanup() { DeleteFileW(brontal::widen(path).c_str()); }
    } cleanup{probe};
    ASSERT_FALSE(std::filesystem::exists(brontal::widen(std::string("C:\\Windows\\Sysnative\\") + kName)));

    selectFile({std::string("C:\\Windows\\Sysnative\\") + kName});
    c("lbl64bits").setText("0");
    {
        ReportWindow& r = open();
        EXPECT_EQ(r["lbl64bits"].text(), "32 bits");
        r["lstPastas"].setSelectedIndex(0);
        r["lstPastas"].onClick();
        EXPECT_EQ(r["txtKB2"].text(), sizeOf(3072));
        EXPECT_EQ(r["txtBitness2"].text(), "32 bits");
        r.copyAll();
        ASSERT_EQ(recorder.clipboard.size(), 1u);
        EXPECT_NE(recorder.clipboard[0].find("C:\\Windows\\System32\r\n" + fixtureDate() + " - 32 bits - " +
                                             sizeOf(3072) + "\r\n"),
                  std::string::npos);
        r.close();
        ui::processPendingEvents();
    }
    c("lbl64bits").setText("1");
    ReportWindow& r = open();
    r["lstPastas"].setSelectedIndex(0);
    r["lstPastas"].onClick();
    EXPECT_EQ(r["txtKB2"].text(), "");
}

TEST_F(ReportTest, CopyWithoutFoldersIsSevenLines) {
    selectFile({});
    ReportWindow& r = open();
    r["btnCopyAll"].onClick();
    ASSERT_EQ(recorder.clipboard.size(), 1u);
    EXPECT_EQ(recorder.clipboard[0], header() + "Componente não encontrado nas pastas comuns.\r\n\r\nRodando em " +
                                         r["txtSisOp"].text());
}

TEST_F(ReportTest, CopyReadsEachFolderAgainAtCopyTime) {
    writeImage(root + "\\A\\" + kName, 0x8664, 2048);
    selectFile({root + "\\A\\" + kName});
    ReportWindow& r = open();
    r["lstPastas"].setSelectedIndex(0);
    r["lstPastas"].onClick();
    EXPECT_EQ(r["txtBitness2"].text(), "64 bits");
    std::string tail = "\r\n\r\nRodando em " + r["txtSisOp"].text();

    r.copyAll();
    ASSERT_EQ(recorder.clipboard.size(), 1u);
    EXPECT_EQ(recorder.clipboard[0], header() + "Encontrado nas pastas: \r\n\r\n" + root + "\\A\r\n" + fixtureDate() +
                                         " - 64 bits - " + sizeOf(2048) + tail);

    // Changed, then a second folder that has lost its copy: the copy still completes.
    writeImage(root + "\\A\\" + kName, 0x014C, 4096);
    r["lstPastas"].addItem(root + "\\Z");
    r.copyAll();
    ASSERT_EQ(recorder.clipboard.size(), 2u);
    EXPECT_EQ(recorder.clipboard[1], header() + "Encontrado nas pastas: \r\n\r\n" + root + "\\A\r\n" + fixtureDate() +
                                         " - 32 bits - " + sizeOf(4096) + "\r\n\r\n" + root + "\\Z\r\n" +
                                         "Não foi possível ler o arquivo nesta pasta." + tail);
    EXPECT_EQ(r["lblMensagem"].text(), "Dados copiados.");
}

TEST_F(ReportTest, CopyOfTwoFoldersAndTheShortLivedMessage) {
    writeImage(root + "\\A\\" + kName, 0x8664, 2048);
    writeImage(root + "\\B\\sub\\" + kName, 0x0200, 1024);
    selectFile({root + "\\A\\" + kName, root + "\\B\\sub\\" + kName});
    ReportWindow& r = open();

    ui::Control& button = r["btnCopyAll"];
    int left = button.left(), top = button.top();
    button.onMouseDown({1, 0, 0});
    EXPECT_EQ(button.left(), left + 15);
    EXPECT_EQ(button.top(), top + 15);
    button.onMouseDown({1, 0, 0}); // a second press before the release must not move the way home
    button.onMouseUp({1, 0, 0});
    EXPECT_EQ(button.left(), left);
    EXPECT_EQ(button.top(), top);
    button.onClick();

    ASSERT_EQ(recorder.clipboard.size(), 1u);
    EXPECT_EQ(recorder.clipboard[0], header() + "Encontrado nas pastas: \r\n\r\n" + root + "\\A\r\n" + fixtureDate() +
                                         " - 64 bits - " + sizeOf(2048) + "\r\n\r\n" + root + "\\B\\sub\r\n" +
                                         fixtureDate() + " - 64 bits - " + sizeOf(1024) + "\r\n\r\nRodando em " +
                                         r["txtSisOp"].text());
    EXPECT_EQ(r["lblMensagem"].text(), "Dados copiados.");
    EXPECT_EQ(r.timer("TimerMensagem").interval(), 1000);
    pumpFor(std::chrono::milliseconds(500));
    EXPECT_EQ(r["lblMensagem"].text(), "Dados copiados.");
    pumpFor(std::chrono::milliseconds(900));
    EXPECT_EQ(r["lblMensagem"].text(), "");
    EXPECT_FALSE(r.timer("TimerMensagem").enabled());

    // A clipboard held by another program is no copy.
    recorder.clipboardWorks = false;
    r.copyAll();
    EXPECT_EQ(r["lblMensagem"].text(), "Não foi possível copiar os dados.");
}

TEST_F(ReportTest, ClosingGivesTheMainWindowTheReportsPlaceAndReopeningReadsAfresh) {
    main->moveTo(600, 450);
    selectFile({});
    ReportWindow& first = open();
    first.moveTo(2100, 1650);
    first.close();
    ui::processPendingEvents();
    EXPECT_TRUE(main->visible());
    EXPECT_EQ(main->left(), 2100);
    EXPECT_EQ(main->top(), 1650);
    EXPECT_EQ(main->reportWindow, nullptr);

    writeImage(root + "\\A\\" + kName, 0x8664, 2048);
    c("lstArquivos").addItem(root + "\\A\\" + kName);
    c("lbl64bits").setText("0");
    ReportWindow& second = open();
    EXPECT_EQ(second.left(), 2100);
    EXPECT_EQ(items(second["lstPastas"]), std::vector<std::string>{root + "\\A"});
    EXPECT_TRUE(second["lstPastas"].enabled());
    EXPECT_EQ(second["lblEncontrado"].text(), "1");
    EXPECT_EQ(second["lbl64bits"].text(), "32 bits");
    EXPECT_EQ(second["txtKB2"].text(), "");
    EXPECT_EQ(second["lblMensagem"].text(), "");
}

} // namespace
