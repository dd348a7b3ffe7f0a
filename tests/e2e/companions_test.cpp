// Around the file panel: shortcuts, the copy-name option, the prompt, Esc, the size, About, Help, the notice.
#include "scenario.h"

#include <set>

namespace {

using e2e::twipsToPixels;

constexpr wchar_t kFolder[] = L"C:\\brontal\\companions";
// A name of its own, so that no other scenario's copy is found by the search.
constexpr char kComponent[] = "BrontalParar.dll";

struct Companions : e2e::ProductTest {
    std::set<HWND> before;

    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", std::wstring(kFolder) + L"\\" + e2e::widen(kComponent)));
        startIn(kFolder);
        before = otherWindows();
    }
    void TearDown() override {
        if (app) closeOtherWindows(before);
        ProductTest::TearDown();
    }
    // The visible top-level windows of other programs (folder windows, the prompt), but the known.
    std::set<HWND> otherWindows(const std::set<HWND>& known = {}) const {
        std::set<HWND> found;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (IsWindowVisible(w) && pid != app->pid() && pid != GetCurrentProcessId() && !known.count(w))
                found.insert(w);
        }
        return found;
    }
    bool closeOtherWindows(const std::set<HWND>& known) const {
        auto closeLeft = [&] {
            std::set<HWND> left = otherWindows(known);
            for (HWND w : left) PostMessageW(w, WM_CLOSE, 0, 0);
            return left.empty();
        };
        return e2e::waitUntil(closeLeft, 10000);
    }
    // Runs the action, waits until it has opened a window of another program
    // and the main window's handler is over, then closes that window.
    void expectOpens(const std::function<void()>& action) {
        const std::set<HWND> known = otherWindows();
        action();
        EXPECT_TRUE(e2e::waitUntil([&] { return !otherWindows(known).empty(); }, 30000)) << "no window was opened";
        EXPECT_TRUE(answers());
        EXPECT_TRUE(closeOtherWindows(known)) << "the window opened does not close";
        e2e::bringToFront(app->main().hwnd());
    }
    void moveMainTo(POINT at) {
        SetWindowPos(app->main().hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(e2e::waitUntil([&] { return app->main().topLeft() == at; }, 3000));
    }
};

// Copies in every branch tell a whole search from a stopped one, which follows each level's first branch only.
constexpr int kCopyBranches = 12;
bool makeCopies(const std::wstring& at) {
    bool made = true;
    for (int i = 0; made && i < kCopyBranches; ++i)
        made = e2e::putFixture(L"BrontalTest32.dll", at + L"\\r" + std::to_wstring(i) + L"\\" + e2e::widen(kComponent));
    return made;
}

TEST_F(Companions, ShortcutsCopyTheNameWhenAskedThePromptStartsAndEscStopsASearch) {
    selectFile(kComponent);
    // With the option off the clipboard is left alone.
    ASSERT_TRUE(e2e::setClipboardText(L"antes"));
    expectOpens([&] { click(c("lblSystem32")); });
    EXPECT_EQ(e2e::clipboardText(), "antes");
    // On, with a file chosen: its name is there to paste into the folder's search.
    click(c("chkCopy"));
    ASSERT_TRUE(waitText("lblCheckValue", "1"));
    expectOpens([&] { click(c("imgSysWOW64")); });
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::clipboardText() == kComponent; }, 3000))
        << "the clipboard holds " << e2e::clipboardText().value_or("nothing");
    // On, with the placeholder showing: the clipboard keeps what it held.
    click(c("btnLimpar"));
    ASSERT_TRUE(waitText("txtFile", text("lblTxtFileIni")));
    ASSERT_TRUE(e2e::setClipboardText(L"marcador"));
    expectOpens([&] { click(c("lblCommonFiles")); });
    EXPECT_EQ(e2e::clipboardText(), "marcador");
    // The prompt starts with nothing said about it.
    expectOpens([&] { click(c("btnCMD")); });
    EXPECT_TRUE(app->messageBoxes().empty());

    // The verify button is given back for the folder search that follows the
    // load test: an Esc from then on lands in it (the wide tree makes it last).
    e2e::TreeInPlace slow(L"C:\\Program Files\\Common Files\\BrontalArvore", L"C:\\brontal\\companions-lenta",
                          [](const std::wstring& at) { return e2e::makeTree(at, 60); }),
        copies(L"C:\\Program Files (x86)\\Common Files\\BrontalArvore", L"C:\\brontal\\companions-copias", makeCopies);
    ASSERT_TRUE(slow.ready && copies.ready);
    selectFile(kComponent);
    ASSERT_EQ(c("imgCharge").tip(), "") << "no load test yet";
    e2e::Ui hits = c("lstArquivos");
    auto verify = [&] { PostMessageW(c("btnVer").hwnd(), BM_CLICK, 0, 0); };
    auto escape = [&] { PostMessageW(c("FileList").hwnd(), WM_KEYDOWN, VK_ESCAPE, 0); };
    ASSERT_TRUE(finishes(brontal::ui::kVerificationsDoneProp, [&] {
        verify();
        EXPECT_TRUE(e2e::waitUntil([&] { return c("btnVer").enabled() && !c("imgCharge").tip().empty(); }, 180000))
            << "the load test did not end";
        escape();
    })) << "the stopped search did not end";
    EXPECT_LE(hits.count(), 1) << "the stopped search walked the last tree";
    for (const char* control : {"DriveList", "DirList", "FileList", "btnVer"})
        EXPECT_TRUE(c(control).enabled()) << control;
    // Esc with no search running asks for a stop that the next search
    // forgets: it goes to the end and finds every copy.
    ASSERT_TRUE(finishes(brontal::ui::kVerificationsDoneProp, [&] {
        escape();
        verify();
    })) << "the whole search did not end";
    EXPECT_EQ(hits.count(), kCopyBranches);
    EXPECT_TRUE(app->messageBoxes().empty());
}

TEST_F(Companions, TheWindowKeepsItsSizeAndAboutHelpAndTheNoticeStandWhereItIs) {
    e2e::Ui main = app->main();
    const SIZE fixed{twipsToPixels(5655), twipsToPixels(5670)};
    auto keepsItsSize = [&] { return main.size().cx == fixed.cx && main.size().cy == fixed.cy; };
    const POINT at = main.topLeft();
    ASSERT_TRUE(keepsItsSize());
    EXPECT_FALSE(GetWindowLongW(main.hwnd(), GWL_STYLE) & WS_THICKFRAME) << "no sizing frame to drag";
    // Sized from outside, larger or smaller, or maximised: it snaps back where it stands.
    for (SIZE asked : {SIZE{fixed.cx + 120, fixed.cy + 80}, SIZE{fixed.cx - 90, fixed.cy - 140}}) {
        SetWindowPos(main.hwnd(), nullptr, 0, 0, asked.cx, asked.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(e2e::waitUntil(keepsItsSize, 3000)) << "left at " << main.size().cx << " x " << main.size().cy;
        EXPECT_EQ(main.topLeft(), at);
    }
    ShowWindow(main.hwnd(), SW_MAXIMIZE);
    EXPECT_TRUE(e2e::waitUntil(keepsItsSize, 3000)) << "maximised to " << main.size().cx << " x " << main.size().cy;
    ShowWindow(main.hwnd(), SW_RESTORE);
    // Minimised it stays so, and comes back from the taskbar as it was.
    ASSERT_NO_FATAL_FAILURE(moveMainTo(at));
    ShowWindow(main.hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(answers());
    EXPECT_TRUE(IsIconic(main.hwnd())) << "the size handler undid the minimise";
    ShowWindow(main.hwnd(), SW_RESTORE);
    EXPECT_TRUE(e2e::waitUntil([&] { return !IsIconic(main.hwnd()) && keepsItsSize(); }, 3000));
    EXPECT_EQ(main.topLeft(), at);

    // About and Help take the main window's place (off centre, not where any
    // window comes up), are dragged by their surface, hand the place back.
    for (auto [button, form] : {std::pair{"btnAbout", "Form2"}, std::pair{"btnHelp", "Form4"}}) {
        SCOPED_TRACE(form);
        ASSERT_NO_FATAL_FAILURE(moveMainTo({150, 120}));
        e2e::bringToFront(main.hwnd());
        click(c(button));
        e2e::Ui window = app->waitForForm(form, 5000);
        ASSERT_TRUE(window) << form << " did not open";
        EXPECT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(main.hwnd()); }, 3000)) << "the main window hides";
        EXPECT_EQ(window.topLeft(), (POINT{150, 120}));
        POINT grip{8, 8};
        ClientToScreen(window.hwnd(), &grip);
        ASSERT_EQ(WindowFromPoint(grip), window.hwnd()) << "the grip lies on a control";
        e2e::bringToFront(window.hwnd());
        // Only the left button alone drags it; where it ends tells all three drags.
        e2e::drag(grip, 40, 40, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        e2e::drag(grip, 70, 50, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_LEFTUP);
        e2e::drag(grip, 90, 60);
        EXPECT_TRUE(e2e::waitUntil(
            [&] { return std::abs(window.topLeft().x - 240) <= 1 && std::abs(window.topLeft().y - 180) <= 1; }, 3000))
            << "left at " << window.topLeft();
        const POINT moved = window.topLeft();
        PostMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);   // as its close box does
        ASSERT_TRUE(e2e::waitUntil([&] { return IsWindowVisible(main.hwnd()) != FALSE; }, 5000))
            << "the main window did not come back";
        EXPECT_EQ(main.topLeft(), moved);
        EXPECT_TRUE(keepsItsSize());
        EXPECT_TRUE(main.enabled());
    }

    // The administrator notice waits modally, centred over the main window. Its
    // focus rests on a hidden button that does nothing: after Enter and Space
    // Alt+F4 closes the notice (had they closed it, Alt+F4 would end the program).
    ASSERT_NO_FATAL_FAILURE(moveMainTo({200, 90}));
    e2e::bringToFront(main.hwnd());
    click(c("lblAdminMode1"));
    e2e::Ui notice = app->waitForForm("Form8", 5000);
    ASSERT_TRUE(notice);
    const RECT m = main.screenRect(), n = notice.screenRect();
    EXPECT_NEAR(n.left, m.left + ((m.right - m.left) - (n.right - n.left)) / 2, 1) << "centred over the main window";
    EXPECT_NEAR(n.top, m.top + twipsToPixels(1460), 1);
    EXPECT_TRUE(IsWindowVisible(main.hwnd())) << "the main window stays where it is";
    EXPECT_FALSE(main.enabled()) << "modal: the main window waits";
    e2e::bringToFront(notice.hwnd());
    for (WORD key : {WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_RETURN)}) e2e::pressKey(key);
    e2e::pressKeys({VK_MENU, VK_F4});
    EXPECT_TRUE(e2e::waitUntil([&] { return !app->form("Form8") && main.enabled(); }, 5000));
    EXPECT_EQ(main.topLeft(), (POINT{200, 90})) << "the notice leaves the main window where it was";
    EXPECT_TRUE(app->messageBoxes().empty());
}

} // namespace
