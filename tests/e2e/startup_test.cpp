// The program as it comes up, and System32: Sysnative on 64-bit Windows, a plain folder on 32-bit.
#include "scenario.h"

namespace {

using e2e::ProductTest;
using e2e::twipsToPixels;

struct StartUp : ProductTest {
    std::string prefix = "win64";
    void SetUp() override {
        if (e2e::prefixKind() != prefix) GTEST_SKIP() << "run in the " << prefix << " prefix";
        start();
    }
};

TEST_F(StartUp, ComesUpCentredOnDriveCAsAdministratorAndListsTheNativeSystem32) {
    e2e::Ui main = app->main(), list1 = c("List1");
    EXPECT_EQ(main.text(), "Brontal32");
    EXPECT_FALSE(GetWindowLongW(main.hwnd(), GWL_STYLE) & WS_MAXIMIZEBOX) << "the title bar offers no maximise button";
    EXPECT_NEAR(main.topLeft().x, (GetSystemMetrics(SM_CXSCREEN) - main.size().cx) / 2, 1);
    EXPECT_NEAR(main.topLeft().y, (GetSystemMetrics(SM_CYSCREEN) - main.size().cy) / 2, 1);
    // From drive Z: the browser moves to C: with an empty file box; Wine runs elevated.
    EXPECT_EQ(text("lblDirAddress"), "C:\\");
    EXPECT_EQ(text("txtFile"), "");
    EXPECT_TRUE(c("lblAdminMode2").visible());

    // System32 through the native listing over the file list: subfolders, never "." or "..".
    enterFolder("windows");
    enterFolder("system32");
    EXPECT_EQ(text("lblDirAddress"), "C:\\Windows\\Sysnative\\");
    EXPECT_EQ(list1.posInParent().y, twipsToPixels(75)) << "List1 lies over the file list";
    for (const char* entry : {"drivers", "kernel32.dll"}) EXPECT_GE(list1.find(entry), 0) << entry;
    for (const char* entry : {".", ".."}) EXPECT_LT(list1.find(entry), 0) << entry;
    // A click on an entry fills the panel from the native folder.
    e2e::clickListItem(list1, list1.find("kernel32.dll"));
    ASSERT_TRUE(waitText("txtFile", "kernel32.dll"));
    EXPECT_EQ(text("lblb"), "64") << "the 64-bit System32 copy, not its SysWOW64 namesake";

    enterFolder("windows");
    EXPECT_EQ(list1.posInParent().y, twipsToPixels(5520)) << "back where it was designed";
    EXPECT_EQ(text("txtFile"), "");
}

// Started on drive C: the browser stays in the program's folder, the file box shows its placeholder.
TEST(StartUpOnDriveC, TheBrowserStaysInTheProgramFolder) {
    if (e2e::prefixKind() != "win64") GTEST_SKIP() << "a 64-bit Windows scenario";
    e2e::Product app(e2e::Product::Options{e2e::productExe(), L"C:\\windows", {}});
    std::wstring exe = e2e::productExe();
    std::string folder = e2e::narrow(exe.substr(0, exe.rfind(L'\\') + 1));
    EXPECT_TRUE(e2e::waitUntil([&] { return app["lblDirAddress"].text() == folder; }, 5000))
        << app["lblDirAddress"].text() << " instead of " << folder;
    EXPECT_EQ(app["txtFile"].text(), "Selecione um componente a ser verificado");
    EXPECT_EQ(app["DriveList"].text().substr(0, 2), "c:");
}

// The 32-bit prefix: no SysWOW64, no Sysnative, two slots.
struct TwoSlotWindows : StartUp {
    TwoSlotWindows() { prefix = "win32"; }
};

TEST_F(TwoSlotWindows, System32IsAPlainFolderAndOnlyTwoSlotsAreSearched) {
    e2e::Ui list1 = c("List1");
    int designTop = list1.posInParent().y;
    enterFolder("windows");
    enterFolder("system32");
    EXPECT_EQ(text("lblDirAddress"), "C:\\windows\\system32\\");
    EXPECT_EQ(list1.posInParent().y, designTop) << "the listing stays where it was";

    selectFile("kernel32.dll");
    EXPECT_EQ(text("lblb"), "32");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    EXPECT_EQ(c("imgCharge").tip(), "Componente carregado na memória.");
    // Slot 0 is System32 itself; the SysWOW64 and (x86) rows are never used.
    EXPECT_EQ(text("lblSystem32b"), "32");
    EXPECT_EQ(text("lblSystem32KB"), text("txtKB"));
    EXPECT_EQ(text("lblSystem32data"), text("lblFileData"));
    for (const char* column : {"data", "KB", "b"}) {
        EXPECT_EQ(text((std::string("lblCommonFiles") + column).c_str()), "---") << column;
        for (const char* unused : {"lblSysWOW64", "lblCommonFilesX86"})
            EXPECT_EQ(text((unused + std::string(column)).c_str()), "") << unused << column;
    }
}

} // namespace
