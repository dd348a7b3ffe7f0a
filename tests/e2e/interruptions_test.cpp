// Closed in the registry wait, a search, a stopped one, with each window open, over the checking heap (a use
// of freed memory fails the test); a large tree in a common folder makes every search last seconds.
#include "scenario.h"

#include <algorithm>

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\interromper";

struct Interruptions : e2e::ProductTest {
    e2e::TreeInPlace tree{L"C:\\Program Files (x86)\\Common Files\\brontal-arvore", L"C:\\brontal\\arvore-guardada",
                          [](const std::wstring& at) { return e2e::makeTree(at, 80); }};
    std::vector<std::string> before;

    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        ASSERT_TRUE(tree.ready);
        for (const wchar_t* name : {L"BrontalTest32.dll", L"BrontalTest64.dll"})
            ASSERT_TRUE(e2e::putFixture(name, std::wstring(kFolder) + L"\\" + name));
        before = e2e::runningPrograms();
        startIn(kFolder, e2e::checkedProductExe());
        selectFile("BrontalTest32.dll");
    }

    // Starts a verification as a click would, through the button's own message.
    void clickVerify() { PostMessageW(c("btnVer").hwnd(), BM_CLICK, 0, 0); }
    bool searching() const { return text("lblStopSearch") == "1"; }
    void awaitSearch() {
        ASSERT_TRUE(e2e::waitUntil([&] { return searching(); }, 180000)) << "the folder search did not begin";
    }

    // Closed by WM_CLOSE or Alt+F4, it ends cleanly within 5 s, no child left behind.
    void closeAndExpectCleanEnd(bool altF4) {
        if (altF4) {
            e2e::bringToFront(app->main().hwnd());
            e2e::pressKeys({VK_MENU, VK_F4});
        } else {
            PostMessageW(app->main().hwnd(), WM_CLOSE, 0, 0);
        }
        std::optional<DWORD> code = app->waitForExit(5000);
        ASSERT_TRUE(code) << "still running 5 s after the close";
        EXPECT_EQ(*code, 0u) << "3: the checking heap found a fault (said in the debugger output)";
        std::vector<std::string> after = e2e::runningPrograms();
        for (std::string child : {"cmd.exe", "reg.exe", "regsvr32.exe"})
            EXPECT_LE(std::count(after.begin(), after.end(), child), std::count(before.begin(), before.end(), child))
                << child << " left running";
    }
};

TEST_F(Interruptions, ClosedAtAnyMomentItEndsCleanly) {
    enum Moment { RegistryWait, WorkerTick, Search, StoppedSearch, WindowOpen };
    struct Case { Moment moment; bool altF4; const char *button, *form; } cases[] = {
        {RegistryWait, false, "", ""}, {WorkerTick, true, "", ""}, {Search, false, "", ""}, {Search, true, "", ""},
        {StoppedSearch, false, "", ""}, {WindowOpen, false, "btnFile", "Form3"}, {WindowOpen, false, "btnHelp", "Form4"},
        {WindowOpen, false, "btnAbout", "Form2"}, {WindowOpen, false, "btnReg", "Form6"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << "moment " << k.moment << " " << k.form << (k.altF4 ? ", Alt+F4" : ""));
        if (!app) SetUp();
        if (k.moment == WindowOpen) {
            e2e::click(c(k.button));
            ASSERT_TRUE(app->waitForForm(k.form, 10000)) << k.form << " did not open";
        } else {
            // Queued behind the click: taken by the registry wait's first look at events.
            clickVerify();
        }
        // The hidden worker lives as long as the registry wait: a close sent then
        // lands in a tick of its timer (or, very quick, in the search).
        if (k.moment == WorkerTick)
            ASSERT_TRUE(e2e::waitUntil([&] { return bool(app->form("Form7", false)); }, 60000)) << "no registry wait";
        if (k.moment == Search || k.moment == StoppedSearch) ASSERT_NO_FATAL_FAILURE(awaitSearch());
        // Esc, then the close while the stopped search unwinds through the slots left.
        if (k.moment == StoppedSearch) PostMessageW(c("FileList").hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        closeAndExpectCleanEnd(k.altF4);
        app.reset();
    }
}

// The answers on screen belong to the file on screen: no other file while a verification runs.
TEST_F(Interruptions, NoOtherFileCanBePickedWhileAVerificationRuns) {
    e2e::Ui files = c("FileList");
    clickVerify();
    // In the registry wait (its hidden worker lives as long as the wait) as in the search.
    ASSERT_TRUE(e2e::waitUntil([&] { return bool(app->form("Form7", false)); }, 60000)) << "no registry wait";
    e2e::clickListItem(files, files.find("BrontalTest64.dll"));
    awaitSearch();
    EXPECT_FALSE(files.enabled());
    EXPECT_FALSE(c("DirList").enabled());
    e2e::clickListItem(files, files.find("BrontalTest64.dll"));
    ASSERT_TRUE(e2e::waitUntil([&] { return c("btnVer").enabled() && c("DirList").enabled() && !searching(); },
                               180000))
        << "the verification did not end";
    EXPECT_EQ(text("txtFile"), "BrontalTest32.dll");
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    EXPECT_TRUE(files.enabled());
}

// Esc and a click on the verify button at once, in a long search, with another
// file chosen in between: the click waits for the stopped verification to end,
// then verifies the file on screen, once; nothing of the old name is left.
TEST_F(Interruptions, AVerifyClickAfterEscVerifiesOnceTheStoppedOneHasEnded) {
    e2e::TreeInPlace third(L"C:\\Program Files\\Common Files\\brontal-arvore-3", L"C:\\brontal\\arvore-3-guardada",
                           [](const std::wstring& at) { return e2e::makeTree(at, 60); });
    ASSERT_TRUE(third.ready);
    // The old name's copy lies in the last slot, searched after the stop.
    const std::wstring copy = L"C:\\Program Files (x86)\\Common Files\\BrontalTest32.dll";
    struct Removed {
        const std::wstring& path;
        ~Removed() { DeleteFileW(path.c_str()); }
    } removed{copy};
    ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", copy));
    const unsigned before = app->finished(brontal::ui::kVerificationsDoneProp);
    clickVerify();
    // The second slot filled: the third slot's tree is being walked.
    ASSERT_TRUE(e2e::waitUntil([&] { return text("lblTimerAguarde") == "2"; }, 180000)) << "no third slot";
    HWND files = c("FileList").hwnd();
    PostMessageW(files, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(files, WM_KEYDOWN, VK_DOWN, 0);   // BrontalTest64.dll, once the stop gave the list back
    clickVerify();
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return app->finished(brontal::ui::kVerificationsDoneProp) >= before + 2 || !app->running(); }, 180000))
        << "the second verification did not end";
    ASSERT_TRUE(answers());
    EXPECT_EQ(app->finished(brontal::ui::kVerificationsDoneProp), before + 2) << "the stopped one and one more";
    EXPECT_EQ(text("txtFile"), "BrontalTest64.dll");
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    for (const char* label : {"lblSystem32KB", "lblSysWOW64KB", "lblCommonFilesKB", "lblCommonFilesX86KB"})
        EXPECT_EQ(text(label), "---") << label << ": an answer of the old name";
    EXPECT_EQ(c("lstArquivos").count(), 0);
}

} // namespace
