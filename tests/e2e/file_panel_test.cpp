// The selected-file panel with the probe and size fixtures: bitness, sizes in
// the user's locale, the date, the unknown-machine message box and the
// message line of the report button.
#include <file_fixtures.h>

#include <algorithm>
#include <vector>

#include "scenario.h"

namespace {

using e2e::ProductTest;

constexpr wchar_t kFolder[] = L"C:\\brontal\\arquivos";

struct FilePanelBase : ProductTest {
    static void SetUpTestSuite() {
        std::string failure = fixtures::writeFileFixtures("C:\\brontal\\arquivos");
        // Without a UTF-8 character set on the Unix side the two names outside
        // ASCII cannot exist; they come last and are tested in English.
        const char* locale = std::getenv("BRONTAL_E2E_LOCALE");
        if (!failure.empty() && locale && std::string(locale) == "brazil")
            EXPECT_EQ(failure, std::string("cannot create ") + fixtures::kAccented);
        else
            EXPECT_EQ(failure, "");
    }
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        // Started in the fixture folder, the browser opens there.
        start(kFolder);
        ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\arquivos\\"));
    }
    std::string sizeOf(const std::string& name) {
        selectFile(name);
        return text("txtKB");
    }
};

struct FilePanel : FilePanelBase {};

TEST_F(FilePanel, FactsOfTheSelectedFile) {
    struct Case {
        const char* name;
        const char* bits;
    };
    const Case cases[] = {{fixtures::kPe32, "32"},  {fixtures::kPe64, "64"},  {fixtures::kPeIa64, "64"},
                          {fixtures::kText, "32"},  {fixtures::kShortMz, "32"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        selectFile(k.name);
        EXPECT_EQ(c("txtFile").tip(), std::string(" ") + k.name + " ");
        EXPECT_EQ(c("txtFile").foreColor(), 0u) << "a chosen name is black";
        EXPECT_EQ(text("lblb"), k.bits);
        EXPECT_EQ(c("lblb").tip(), std::string(" ") + k.bits + " bits ");
        EXPECT_EQ(text("lblFileData"), fixtures::kFixtureDateText);
        EXPECT_EQ(text("lblFileAddress"), k.name);
        EXPECT_TRUE(c("btnVer").enabled());
    }
    selectFile(fixtures::kPe32);
    EXPECT_EQ(text("txtKB"), "1,00 kB");
    EXPECT_EQ(c("txtKB").tip(), " 1,00 kB ");
    EXPECT_TRUE(app->messageBoxes().empty());

    // Sizes in the Brazilian locale: two decimals, comma and dot grouping.
    EXPECT_EQ(sizeOf(fixtures::kSize1536), "1,50 kB");
    EXPECT_EQ(sizeOf(fixtures::kSize0), "0,00 kB");
    EXPECT_EQ(sizeOf(fixtures::kSize5), "0,00 kB");
    EXPECT_EQ(sizeOf(fixtures::kSize128), "0,12 kB") << "0.125 goes to the even hundredth";
    EXPECT_EQ(sizeOf(fixtures::kSize1264128), "1.234,50 kB");
    // Beyond 2 GiB the true length counts, not a wrapped 32-bit one.
    EXPECT_EQ(sizeOf(fixtures::kHuge), "2.097.156,00 kB");
    EXPECT_EQ(text("lblb"), "32");
}

TEST_F(FilePanel, AnUnknownMachineIsReportedThenShownAs32Bits) {
    e2e::Ui files = c("FileList");
    e2e::clickListItem(files, files.find(fixtures::kPeArm64));
    e2e::Ui box = app->waitForMessageBox();
    ASSERT_TRUE(box) << "no message box for the ARM64 file";
    EXPECT_EQ(box.text(), "Brontal32");
    EXPECT_EQ(e2e::Product::messageBoxText(box), "Arquitetura desconhecida: -21916");
    e2e::Product::pressOk(box);
    ASSERT_TRUE(waitText("lblb", "32"));
    EXPECT_EQ(c("lblb").tip(), " 32 bits ");
    EXPECT_TRUE(e2e::waitUntil([&] { return app->messageBoxes().empty(); }, 3000));
}

// The refusal itself is the message line's, whose three-second clear the
// window tests follow through its timer; here: nothing opens.
TEST_F(FilePanel, ReportButtonWithNothingSelectedOpensNothing) {
    ASSERT_EQ(text("txtFile"), "");
    ASSERT_TRUE(finishes(brontal::ui::kVerificationsDoneProp, [&] {
        click(c("btnFile"));
        click(c("btnVer"));   // refused too, and counted once it has been
    }));
    EXPECT_FALSE(app->form("Form3")) << "the report window stays closed";
    EXPECT_TRUE(app->main().visible());
}

struct FileNames : FilePanelBase {};

TEST_F(FileNames, NamesOutsideAsciiAreShownAndProbed) {
    for (auto [name, bits] : {std::pair{fixtures::kAccented, "32"}, std::pair{fixtures::kOutsideAnsi, "64"}}) {
        SCOPED_TRACE(name);
        selectFile(name);
        EXPECT_EQ(c("txtFile").tip(), std::string(" ") + name + " ");
        EXPECT_EQ(text("lblFileAddress"), name);
        EXPECT_EQ(text("lblb"), bits);
        EXPECT_EQ(text("txtKB"), "1.00 kB");
        EXPECT_EQ(text("lblFileData"), fixtures::kFixtureDateText);
    }
}

struct SizeTextEnglish : FilePanelBase {};

TEST_F(SizeTextEnglish, PointDecimalsAndCommaGrouping) {
    EXPECT_EQ(sizeOf(fixtures::kSize1536), "1.50 kB");
    EXPECT_EQ(sizeOf(fixtures::kSize0), "0.00 kB");
    EXPECT_EQ(sizeOf(fixtures::kSize1264128), "1,234.50 kB");
    EXPECT_EQ(c("txtKB").tip(), " 1,234.50 kB ");
}

} // namespace
