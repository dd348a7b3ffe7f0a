// Copy-all over real files: every folder read again, a copy gone unreadable, a refusing clipboard no copy.
#include "stand_ins.h"

#include <filesystem>
#include <fstream>

#include "core/file_facts.h"
#include "platform/text.h"
#include "report/report_window.h"

namespace {

using namespace window_test;
namespace fs = std::filesystem;

constexpr char kName[] = "brontal_relatorio.dll";

// A header-only 32-bit PE image, size bytes long.
void writeImage(const fs::path& path, std::size_t size) {
    std::string bytes(size, '\0');
    bytes[0] = 'M', bytes[1] = 'Z', bytes[60] = 64;
    bytes.replace(64, 6, std::string("PE\0\0\x4C\x01", 6));
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

struct ReportTest : FormsTest {
    fs::path root = fs::temp_directory_path() / ("brontal_relatorio_" + std::to_string(GetCurrentProcessId()));
    std::string folder(const char* name) { return brontal::narrow((root / name).wstring()); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

TEST_F(ReportTest, CopyReadsEveryFolderAgainAndSaysWhatBecameOfIt) {
    open();
    writeImage(root / "A" / kName, 1536);
    c("txtFile").setText(kName);
    for (const char* found : {"A", "Z"}) c("lstArquivos").addItem(folder(found) + "\\" + kName);   // Z's copy is gone
    brontal::report::ReportWindow report(*main);
    ui::Control& message = report["lblMensagem"];
    ui::Timer& clear = report.timer("TimerMensagem");
    auto factsOf = [&](int folderIndex) {
        report["lstPastas"].setSelectedIndex(folderIndex);
        report["lstPastas"].onClick();
        return report["txtData2"].text() + " - " + report["txtBitness2"].text() + " - " + report["txtKB2"].text();
    };
    const std::string before = factsOf(0);
    writeImage(root / "A" / kName, 4096);

    // A second press before the release must not become the place to go back to.
    ui::Control& button = report["btnCopyAll"];
    const int left = button.left();
    for (int press = 0; press < 2; ++press) button.onMouseDown({1, 0, 0});
    EXPECT_EQ(button.left(), left + 15);
    button.onMouseUp({1, 0, 0});
    EXPECT_EQ(button.left(), left);
    button.onClick();
    EXPECT_EQ(message.text(), "Dados copiados.");
    EXPECT_EQ(message.foreColor(), ui::kGreen);
    EXPECT_EQ(clear.interval(), 1000);
    ASSERT_TRUE(clear.enabled());
    clear.fire();
    EXPECT_EQ(message.text(), "");
    EXPECT_FALSE(clear.enabled());

    const std::string after = factsOf(0);
    ASSERT_NE(after, before);
    ASSERT_EQ(recorder.clipboard.size(), 1u);
    const std::string& copy = recorder.clipboard[0];
    EXPECT_NE(copy.find(folder("A") + "\r\n" + after + "\r\n"), std::string::npos) << copy;
    EXPECT_NE(copy.find(folder("Z") + "\r\nNão foi possível ler o arquivo nesta pasta."), std::string::npos) << copy;

    // Clicked, the gone copy leaves no facts of the folder clicked before.
    factsOf(1);
    for (const char* field : {"txtData2", "txtBitness2", "txtKB2"}) EXPECT_EQ(report[field].text(), "") << field;
    EXPECT_EQ(message.text(), "Não foi possível ler o arquivo.");
    EXPECT_EQ(message.foreColor(), ui::kDarkRed);

    recorder.clipboardWorks = false;   // held by another program
    report.copyAll();
    EXPECT_EQ(message.text(), "Não foi possível copiar os dados.");
    EXPECT_EQ(message.foreColor(), ui::kDarkRed);
}

} // namespace
