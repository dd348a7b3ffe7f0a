// The program as it comes up, and the System32 folder on both kinds of
// Windows: through the Sysnative listing on 64-bit Windows, as a plain folder
// on 32-bit Windows.
#include "scenario.h"

namespace {

using e2e::ProductTest;
using e2e::twipsToPixels;

constexpr std::uint32_t systemColor(int n) { return 0x80000000u + static_cast<std::uint32_t>(n); }

struct StartUp : ProductTest {
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "a 64-bit Windows scenario";
        start();
    }
};

TEST_F(StartUp, MainWindowComesUpCentredWithFixedSizeInAdministratorMode) {
    e2e::Ui main = app->main();
    EXPECT_EQ(main.text(), "Brontal32");
    SIZE size = main.size();
    EXPECT_EQ(size.cx, twipsToPixels(5655));
    EXPECT_EQ(size.cy, twipsToPixels(5670));
    LONG style = GetWindowLongW(main.hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the title bar offers no maximise button";
    RECT r = main.screenRect();
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2, 1);
    EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, 1);

    // Started from drive Z:, the browser moves to drive C: and the file box
    // is left empty.
    EXPECT_EQ(text("lblDirAddress"), "C:\\");
    EXPECT_EQ(text("txtFile"), "");
    EXPECT_EQ(text("lbl64bits"), "1");
    EXPECT_EQ(text("lblSysnative"), "0");

    // Wine runs everything elevated, so the administrator mode is shown.
    EXPECT_EQ(text("lblAdminMode"), "1");
    e2e::Ui admin = c("lblAdminMode2");
    EXPECT_TRUE(admin.visible());
    EXPECT_EQ(admin.text(), "Executando como administrador.");
    EXPECT_FALSE(c("lblAdminMode0").visible());

    e2e::Ui plus = c("lblAdminMode1");
    EXPECT_TRUE(plus.visible());
    EXPECT_EQ(plus.text(), "+");
    EXPECT_EQ(plus.posInParent().x, twipsToPixels(2430));
    EXPECT_EQ(plus.foreColor(), systemColor(12));
    EXPECT_EQ(plus.tip(), " Saiba mais ");

    EXPECT_TRUE(c("btnReg").enabled());
    EXPECT_TRUE(c("btnUnreg").enabled());
    EXPECT_EQ(c("btnCMD").tip(), " Prompt de Comando (CMD) - modo admin ");
    EXPECT_EQ(c("btnRegistro").tip(), " Registro do Windows (Regedit) - 32 bits ");
}

// Started on drive C: itself, with the current folder elsewhere on C:: the
// drive list already stands on C:, so the browser stays in the program's
// folder and the file box shows its placeholder.
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

struct System32Listing : StartUp {};

TEST_F(System32Listing, EnteringSystem32ShowsTheNativeFolderAndLeavingHidesIt) {
    e2e::Ui list1 = c("List1");
    e2e::Ui files = c("FileList");
    enterFolder("windows");
    ASSERT_EQ(text("lblDirAddress"), "C:\\windows\\");
    EXPECT_EQ(list1.posInParent().y, twipsToPixels(5520));

    enterFolder("system32");
    EXPECT_EQ(text("lblDirAddress"), "C:\\Windows\\Sysnative\\");
    EXPECT_EQ(text("lblSysnative"), "1");
    EXPECT_EQ(list1.posInParent().y, twipsToPixels(75)) << "List1 lies over the file list";
    EXPECT_TRUE(list1.enabled());
    RECT over = list1.screenRect(), under = files.screenRect();
    EXPECT_LT(over.top, under.top + twipsToPixels(100));

    // The native folder's entries, subfolders among them, never "." or "..".
    std::vector<std::string> entries = list1.items();
    ASSERT_FALSE(entries.empty());
    auto has = [&](const char* name) { return list1.find(name) >= 0; };
    EXPECT_TRUE(has("drivers"));
    EXPECT_TRUE(has("kernel32.dll"));
    EXPECT_FALSE(has("."));
    EXPECT_FALSE(has(".."));

    e2e::holdForLook("System32 listing in front");
    // A click on an entry of the listing fills the panel from the native folder.
    int kernel32 = list1.find("kernel32.dll");
    e2e::clickListItem(list1, kernel32);
    POINT at;
    GetCursorPos(&at);
    ASSERT_TRUE(waitText("txtFile", "kernel32.dll"))
        << "List1 selection " << list1.selectedIndex() << " of " << kernel32 << ", FileList selection "
        << files.selectedIndex() << ", under the pointer: " << e2e::Ui(WindowFromPoint(at)).name() << ", txtFile "
        << text("txtFile");
    EXPECT_EQ(text("lblb"), "64") << "the 64-bit System32 copy, not its SysWOW64 namesake";

    enterFolder("windows");
    EXPECT_EQ(text("lblDirAddress"), "C:\\windows\\");
    EXPECT_EQ(text("lblSysnative"), "0");
    EXPECT_EQ(list1.posInParent().y, twipsToPixels(5520));
    EXPECT_TRUE(files.enabled());
    EXPECT_EQ(text("txtFile"), "");
}

// The 32-bit prefix: no SysWOW64, no Sysnative, two slots.
struct TwoSlotWindows : ProductTest {
    void SetUp() override {
        if (e2e::prefixKind() != "win32") GTEST_SKIP() << "a 32-bit Windows scenario";
        start();
    }
};

TEST_F(TwoSlotWindows, System32IsAPlainFolderAndOnlyTwoSlotsAreSearched) {
    EXPECT_EQ(text("lbl64bits"), "0");
    EXPECT_EQ(text("lblAdminMode"), "1");
    e2e::Ui list1 = c("List1");
    int designTop = list1.posInParent().y;
    enterFolder("windows");
    enterFolder("system32");
    EXPECT_EQ(text("lblDirAddress"), "C:\\windows\\system32\\");
    EXPECT_EQ(text("lblSysnative"), "0");
    EXPECT_EQ(list1.posInParent().y, designTop) << "the listing stays where it was";
    EXPECT_GE(c("FileList").find("kernel32.dll"), 0);

    selectFile("kernel32.dll");
    EXPECT_EQ(text("lblb"), "32");
    verifyAndWait();
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    EXPECT_EQ(c("imgCharge").tip(), "Componente carregado na memória.");
    // Slot 0 is System32 itself; the SysWOW64 and (x86) rows are never used.
    EXPECT_EQ(text("lblSystem32b"), "32");
    EXPECT_EQ(text("lblSystem32KB"), text("txtKB"));
    EXPECT_EQ(text("lblSystem32data"), text("lblFileData"));
    EXPECT_EQ(text("lblCommonFilesdata"), "---");
    EXPECT_EQ(text("lblCommonFilesKB"), "---");
    EXPECT_EQ(text("lblCommonFilesb"), "---");
    for (const char* unused : {"lblSysWOW64data", "lblSysWOW64KB", "lblSysWOW64b", "lblCommonFilesX86data",
                               "lblCommonFilesX86KB", "lblCommonFilesX86b"})
        EXPECT_EQ(text(unused), "") << unused;
}

} // namespace
