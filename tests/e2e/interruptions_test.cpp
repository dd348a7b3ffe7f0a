// The program closed, pressed and interrupted as an impatient user would: in
// the middle of the registry wait, the folder search and the search reduced by
// a stop, and with each of its other windows open. The program under test is
// the build over the checking heap, so a use of freed memory fails the test
// instead of passing by luck. A large tree in one of the common folders makes
// every folder search last seconds, long enough to act while it runs.
#include "scenario.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using e2e::ProductTest;

constexpr wchar_t kFolder[] = L"C:\\brontal\\interromper";
constexpr wchar_t kHeapReport[] = L"C:\\brontal\\interromper-heap.txt";
// The tree lives in a common folder only while these scenarios run; the rest
// of the time it waits outside, so other searches in this prefix stay quick.
constexpr wchar_t kTreeInUse[] = L"C:\\Program Files (x86)\\Common Files\\brontal-arvore";
constexpr wchar_t kTreeAside[] = L"C:\\brontal\\arvore-guardada";
constexpr int kTreeBranches = 80, kTreeLeaves = 80;

int countOf(const std::vector<std::string>& programs, const std::string& name) {
    return static_cast<int>(std::count(programs.begin(), programs.end(), name));
}

struct Interruptions : ProductTest {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        for (const wchar_t* name : {L"BrontalTest32.dll", L"BrontalTest64.dll"})
            ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\" + name, std::wstring(kFolder) + L"\\" + name));
        if (GetFileAttributesW(kTreeAside) != INVALID_FILE_ATTRIBUTES) {
            ASSERT_TRUE(MoveFileW(kTreeAside, kTreeInUse));
            return;
        }
        for (int b = 0; b < kTreeBranches; ++b)
            for (int l = 0; l < kTreeLeaves; ++l)
                ASSERT_TRUE(e2e::makeFolders(std::wstring(kTreeInUse) + L"\\ramo" + std::to_wstring(b) + L"\\folha" +
                                             std::to_wstring(l)));
    }
    static void TearDownTestSuite() { MoveFileW(kTreeInUse, kTreeAside); }

    std::vector<std::string> before;

    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        DeleteFileW(kHeapReport);
        SetEnvironmentVariableW(L"BRONTAL_HEAP_REPORT", kHeapReport);
        before = e2e::runningPrograms();
        start(kFolder, e2e::checkedProductExe());
        ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\interromper\\"));
        selectFile("BrontalTest32.dll");
    }

    // Starts a verification as a click would, through the button's own message.
    void clickVerify() { PostMessageW(c("btnVer").hwnd(), BM_CLICK, 0, 0); }
    void closeByMessage() { PostMessageW(app->main().hwnd(), WM_CLOSE, 0, 0); }
    void closeByAltF4() {
        e2e::bringToFront(app->main().hwnd());
        e2e::pressAltKey(VK_F4);
    }
    bool searching() const { return text("lblStopSearch") == "1"; }

    // Ended by itself within 5 s, cleanly, leaving no child program behind.
    void expectCleanEnd() {
        std::optional<DWORD> code = app->waitForExit(5000);
        ASSERT_TRUE(code) << "still running 5 s after the close";
        EXPECT_EQ(*code, 0u);
        EXPECT_EQ(GetFileAttributesW(kHeapReport), INVALID_FILE_ATTRIBUTES) << "the checking heap found a fault";
        std::vector<std::string> after = e2e::runningPrograms();
        for (const char* child : {"cmd.exe", "reg.exe", "regsvr32.exe"})
            EXPECT_LE(countOf(after, child), countOf(before, child)) << child << " left running";
    }
};

TEST_F(Interruptions, ClosedDuringTheRegistryWait) {
    // Queued behind the click, the close is taken by the wait's first look at
    // pending events.
    clickVerify();
    closeByMessage();
    expectCleanEnd();
}

TEST_F(Interruptions, ClosedDuringATickOfTheRegistryWait) {
    // The hidden worker exists for exactly as long as the registry wait; a
    // close sent while it exists lands in one of its timer's ticks (or, on a
    // very quick machine, in the search that follows).
    clickVerify();
    ASSERT_TRUE(e2e::waitUntil([&] { return app->loaded("Form7"); }, 60000)) << "the registry wait did not begin";
    closeByAltF4();
    expectCleanEnd();
}

TEST_F(Interruptions, ClosedDuringTheFolderSearch) {
    clickVerify();
    ASSERT_TRUE(e2e::waitUntil([&] { return searching(); }, 180000)) << "the folder search did not begin";
    closeByMessage();
    expectCleanEnd();
}

TEST_F(Interruptions, ClosedByAltF4DuringTheFolderSearch) {
    clickVerify();
    ASSERT_TRUE(e2e::waitUntil([&] { return searching(); }, 180000)) << "the folder search did not begin";
    closeByAltF4();
    expectCleanEnd();
}

TEST_F(Interruptions, ClosedDuringTheSearchReducedByAStop) {
    clickVerify();
    ASSERT_TRUE(e2e::waitUntil([&] { return searching(); }, 180000)) << "the folder search did not begin";
    // Esc and the close, queued in that order: the stop is taken first and
    // the close while the search unwinds and goes through the slots left.
    PostMessageW(c("FileList").hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    closeByMessage();
    expectCleanEnd();
}

TEST_F(Interruptions, ClosedWithAnotherWindowOpen) {
    struct Case {
        const char* button;
        const char* form;
    };
    for (const Case& k : {Case{"btnFile", "Form3"}, Case{"btnHelp", "Form4"}, Case{"btnAbout", "Form2"},
                          Case{"btnReg", "Form6"}}) {
        SCOPED_TRACE(k.form);
        if (!app) SetUp();
        e2e::click(c(k.button));
        ASSERT_TRUE(app->waitForForm(k.form, 10000)) << k.form << " did not open";
        closeByMessage();
        expectCleanEnd();
        app.reset();
    }
}

// The answers on screen belong to the file on screen: while a verification
// runs, the browser takes no other file.
TEST_F(Interruptions, NoOtherFileCanBePickedWhileAVerificationRuns) {
    e2e::Ui files = c("FileList");
    clickVerify();
    ASSERT_TRUE(e2e::waitUntil([&] { return searching(); }, 180000)) << "the folder search did not begin";
    EXPECT_FALSE(files.enabled());
    EXPECT_FALSE(c("DirList").enabled());
    e2e::clickListItem(files, files.find("BrontalTest64.dll"));
    ASSERT_TRUE(e2e::waitUntil([&] { return c("btnVer").enabled() && c("DirList").enabled() && !searching(); },
                               180000))
        << "the verification did not end";
    EXPECT_EQ(text("txtFile"), "BrontalTest32.dll");
    EXPECT_EQ(text("lblb"), "32");
    EXPECT_EQ(text("txtRegistrado"), "Componente 32 bits não localizado no Registro.");
    EXPECT_TRUE(files.enabled());
}

} // namespace
