// With the keyboard alone and through a screen reader's eyes: every command named, reached by Tab, worked by
// Space; Esc closes the question and the report; nothing out of sight is a visible window.
#include "scenario.h"

#include <oleacc.h>

#include <set>

#include "accessibility.h"

namespace {

using e2e::Ui;

constexpr wchar_t kFolder[] = L"C:\\brontal\\teclado";
constexpr char kComponent[] = "BrontalTeclado.dll";

// The main window's commands in Tab order (the README lists them); btnVer waits for a file.
const std::vector<std::string> kTabOrder = {
    "DriveList", "DirList", "FileList", "btnFile", "txtFile", "txtKB", "btnLimpar", "txtRegistrado",
    "lblSystem32", "lblSysWOW64", "lblCommonFiles", "lblCommonFilesX86", "chkCopy", "lblAdminMode1",
    "btnVer", "btnReg", "btnUnreg", "btnCMD", "btnRegistro", "btnHelp", "btnAbout"};
const char* const kIconButtons[] = {"btnVer", "btnReg", "btnUnreg", "btnCMD", "btnRegistro", "btnHelp", "btnAbout"};

std::string trimmed(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

void key(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

struct Keyboard : e2e::ProductTest {
    std::set<HWND> before;   // top-level windows that were there: the folder window opened is closed after

    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", std::wstring(kFolder) + L"\\" + e2e::widen(kComponent)));
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) before.insert(w);
        startIn(kFolder);
    }
    void TearDown() override {
        if (app) closeOthers();
        ProductTest::TearDown();
    }
    // Windows of other programs opened since the start (a folder window); closes them when asked.
    std::set<HWND> others(bool close = false) const {
        std::set<HWND> found;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (before.count(w) || !IsWindowVisible(w) || pid == app->pid() || pid == GetCurrentProcessId()) continue;
            found.insert(w);
            if (close) PostMessageW(w, WM_CLOSE, 0, 0);
        }
        return found;
    }
    bool closeOthers() const {
        return e2e::waitUntil([&] { return others(true).empty(); }, 10000);
    }

    // The control of the program that has the keyboard focus.
    HWND focused() const {
        GUITHREADINFO info{sizeof info};
        DWORD thread = GetWindowThreadProcessId(app->main().hwnd(), nullptr);
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    }
    // Tab once, and the focus has moved.
    HWND tab(HWND from) {
        e2e::pressKey(VK_TAB);
        HWND to = nullptr;
        e2e::waitUntil([&] { return (to = focused()) != from && to; }, 3000);
        return to;
    }
    // Tabs until the control named has the focus; false when a whole round passes without it.
    bool tabTo(HWND form, const std::string& name) {
        e2e::bringToFront(form);
        HWND at = focused();
        std::string seen;
        for (int i = 0; i < 40; ++i) {
            if (!at) {
                // Another program's window (the folder one, going away) took the activation: take it back.
                e2e::bringToFront(form);
                if (!(at = focused())) break;
            }
            if (Ui(at).name() == name) return true;
            seen += Ui(at).name() + " ";
            at = tab(at);
        }
        ADD_FAILURE() << "Tab never reached " << name << "; it went by " << seen;
        return false;
    }

    // Every control Tab can reach on the form is heard with a name, a role and as focusable.
    void expectNamed(const Ui& form) {
        SCOPED_TRACE(form.name());
        // The focus holders of the question and the notice are out of sight, and heard as well.
        std::vector<Ui> stops = e2e::tabStops(form, true);
        EXPECT_FALSE(stops.empty());
        for (const Ui& stop : stops) {
            std::optional<e2e::Heard> heard = e2e::hear(stop.hwnd());
            ASSERT_TRUE(heard) << stop.name() << " answers no screen reader";
            EXPECT_NE(heard->name, "") << stop.name();
            EXPECT_NE(heard->role, 0) << stop.name();
            EXPECT_TRUE(heard->state & STATE_SYSTEM_FOCUSABLE) << stop.name();
        }
        EXPECT_TRUE(e2e::visibleOutsideParent(form).empty())
            << e2e::visibleOutsideParent(form).front().name() << " is a visible window out of sight";
    }
};

TEST_F(Keyboard, EveryCommandIsNamedAndReachedByTabAndNothingOutOfSightIsShown) {
    Ui main = app->main();
    expectNamed(main);
    for (const char* button : kIconButtons) {
        std::optional<e2e::Heard> heard = e2e::hear(c(button).hwnd());
        ASSERT_TRUE(heard) << button;
        EXPECT_EQ(heard->name, trimmed(c(button).tip())) << button;
        EXPECT_EQ(heard->role, ROLE_SYSTEM_PUSHBUTTON) << button;
        EXPECT_EQ(c(button).text(), "") << "the name is not drawn on the icon";
    }
    for (const char* picture : {"btnFile", "btnLimpar", "lblSystem32", "lblAdminMode1"}) {
        std::optional<e2e::Heard> heard = e2e::hear(c(picture).hwnd());
        ASSERT_TRUE(heard) << picture;
        EXPECT_EQ(heard->role, ROLE_SYSTEM_PUSHBUTTON) << picture;
        EXPECT_EQ(heard->name, trimmed(c(picture).tip())) << picture;
    }
    EXPECT_EQ(e2e::hear(c("chkCopy").hwnd())->name, c("lblCheckTest").text()) << "named by its caption";
    EXPECT_EQ(e2e::hear(c("txtFile").hwnd())->name, "Nome do arquivo");
    // State kept out of sight is no visible window; the texts the program keeps there still read.
    for (const char* hidden : {"lblStandBy1", "lblTxtFileIni", "lstArquivos", "btnStop", "List1", "lblAdminMode0"})
        EXPECT_FALSE(c(hidden).visible()) << hidden;
    EXPECT_EQ(text("lblStandBy1"), "Procurando na pasta");

    // From start-up, one whole round of Tab: every command once, in order, each a visible window.
    std::vector<std::string> expected;
    for (const std::string& name : kTabOrder)
        if (c(name.c_str()).enabled()) expected.push_back(name);   // btnVer waits for a file at first
    // The window itself has the focus at first (so no box shows a selection): the first Tab takes the first command.
    e2e::bringToFront(main.hwnd());
    HWND at = focused();
    ASSERT_TRUE(at == main.hwnd() || Ui(at).name() == expected.front()) << Ui(at).name();
    if (at == main.hwnd()) at = tab(at);
    std::vector<std::string> visited{Ui(at).name()};
    for (size_t i = 1; i < expected.size() + 1; ++i) {
        at = tab(at);
        ASSERT_TRUE(at) << "the focus left the window";
        EXPECT_TRUE(IsWindowVisible(at)) << Ui(at).name() << " took the focus out of sight";
        visited.push_back(Ui(at).name());
    }
    expected.push_back(expected.front());   // and round again
    EXPECT_EQ(visited, expected);

    selectFile(kComponent);
    ASSERT_TRUE(tabTo(main.hwnd(), "btnLimpar"));
    EXPECT_TRUE(tabTo(main.hwnd(), "btnVer")) << "the verify button joins the round";
}

TEST_F(Keyboard, SpaceWorksEachPictureAsItsClickAndEscClosesTheQuestionAndTheReport) {
    Ui main = app->main();
    selectFile(kComponent);
    // Held, the picture goes down as under the mouse; let go, it comes back and clears the panel.
    ASSERT_TRUE(tabTo(main.hwnd(), "btnLimpar"));
    Ui clear = c("btnLimpar");
    const POINT place = clear.posInParent();
    key(VK_SPACE, true);
    EXPECT_TRUE(e2e::waitUntil([&] { return clear.posInParent().x == place.x + e2e::twipsToPixels(15); }, 3000))
        << "not pressed: at " << clear.posInParent();
    EXPECT_EQ(text("txtFile"), kComponent) << "nothing done before the release";
    key(VK_SPACE, false);
    EXPECT_TRUE(waitText("txtFile", text("lblTxtFileIni")));
    EXPECT_EQ(clear.posInParent(), place);

    // A folder shortcut: the folder opens, the name goes to the clipboard with the option on.
    selectFile(kComponent);
    ASSERT_TRUE(tabTo(main.hwnd(), "chkCopy"));
    e2e::pressKey(VK_SPACE);
    ASSERT_TRUE(waitText("lblCheckValue", "1"));
    ASSERT_TRUE(e2e::setClipboardText(L"antes"));
    ASSERT_TRUE(tabTo(main.hwnd(), "lblSystem32"));
    e2e::pressKey(VK_RETURN);
    EXPECT_TRUE(e2e::waitUntil([&] { return !others().empty(); }, 30000)) << "Enter opened no folder";
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::clipboardText() == kComponent; }, 3000))
        << "the clipboard holds " << e2e::clipboardText().value_or("nothing");
    EXPECT_TRUE(closeOthers()) << "the folder window does not close";

    // The "+": the notice, named like the rest.
    ASSERT_TRUE(tabTo(main.hwnd(), "lblAdminMode1"));
    e2e::pressKey(VK_SPACE);
    Ui notice = app->waitForForm("Form8", 5000);
    ASSERT_TRUE(notice) << "Space did not open the notice";
    expectNamed(notice);
    e2e::bringToFront(notice.hwnd());
    e2e::pressKeys({VK_MENU, VK_F4});
    ASSERT_TRUE(e2e::waitUntil([&] { return !app->form("Form8") && main.enabled(); }, 5000));

    // The question: heard, then Esc answers "Não" and nothing is registered.
    const wchar_t* const testClass = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";
    ASSERT_FALSE(e2e::registryKeyExists(HKEY_CLASSES_ROOT, testClass, KEY_WOW64_32KEY));
    unsigned requests = app->finished(brontal::ui::kRegistrationsDoneProp);
    ASSERT_TRUE(tabTo(main.hwnd(), "btnReg"));
    e2e::pressKey(VK_SPACE);
    Ui question = app->waitForForm("Form6", 5000);
    ASSERT_TRUE(question);
    expectNamed(question);
    e2e::bringToFront(question.hwnd());
    e2e::pressKey(VK_ESCAPE);
    EXPECT_TRUE(e2e::waitUntil([&] { return !app->form("Form6", false) && main.enabled(); }, 5000))
        << "Esc did not close the question";
    EXPECT_TRUE(e2e::waitUntil([&] { return app->finished(brontal::ui::kRegistrationsDoneProp) > requests; }, 5000))
        << "the request did not end";
    EXPECT_FALSE(app->form("Form9", false)) << "no result window: nothing ran";
    EXPECT_FALSE(e2e::registryKeyExists(HKEY_CLASSES_ROOT, testClass, KEY_WOW64_32KEY)) << "registered";
    EXPECT_TRUE(answers());

    // The report by Space, its copy-all by Space, closed by Esc.
    ASSERT_TRUE(tabTo(main.hwnd(), "btnFile"));
    e2e::pressKey(VK_SPACE);
    Ui report = app->waitForForm("Form3", 5000);
    ASSERT_TRUE(report) << "Space did not open the report";
    expectNamed(report);
    ASSERT_TRUE(e2e::setClipboardText(L"antes"));
    ASSERT_TRUE(tabTo(report.hwnd(), "btnCopyAll"));
    e2e::pressKey(VK_SPACE);
    EXPECT_TRUE(e2e::waitUntil(
        [&] { return e2e::clipboardText().value_or("").find(kComponent) != std::string::npos; }, 5000))
        << "the report was not copied";
    e2e::pressKey(VK_ESCAPE);
    EXPECT_TRUE(e2e::waitUntil([&] { return !app->form("Form3", false) && main.visible(); }, 5000))
        << "Esc did not close the report";

    // About and Help are heard too.
    for (auto [button, form] : {std::pair{"btnAbout", "Form2"}, std::pair{"btnHelp", "Form4"}}) {
        ASSERT_TRUE(tabTo(main.hwnd(), button));
        e2e::pressKey(VK_SPACE);
        Ui window = app->waitForForm(form, 5000);
        ASSERT_TRUE(window) << form;
        expectNamed(window);
        PostMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(e2e::waitUntil([&] { return IsWindowVisible(main.hwnd()) != FALSE; }, 5000));
    }
}

} // namespace
