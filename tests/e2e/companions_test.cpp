// What lies around the file panel on the main window and the windows that
// stand in for it: the press effect of the folder shortcuts, the copy-name
// option and the clipboard, Esc with and without a folder search, the fixed
// window size, the command prompt, the About, Help and notice windows, and
// closing the program with a companion window open.
#include "scenario.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <cwctype>
#include <map>
#include <set>

namespace {

using e2e::ProductTest;
using e2e::twipsToPixels;

constexpr wchar_t kFolder[] = L"C:\\brontal\\companions";
// A name of its own, so that no other scenario's copy is found by the search.
constexpr char kComponent[] = "BrontalParar.dll";

constexpr std::uint32_t systemColor(int n) { return 0x80000000u + static_cast<std::uint32_t>(n); }

// ---------------------------------------------------------------------------
// Processes of the prefix, to see what the program starts and to end it.

std::map<DWORD, std::wstring> processes() {
    std::map<DWORD, std::wstring> all;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return all;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry)) {
        std::wstring name = entry.szExeFile;
        for (wchar_t& ch : name) ch = static_cast<wchar_t>(towlower(ch));
        all[entry.th32ProcessID] = name;
    }
    CloseHandle(snap);
    return all;
}

// The processes named one of names that were not there before.
std::vector<DWORD> newProcesses(const std::map<DWORD, std::wstring>& before, const std::set<std::wstring>& names) {
    std::vector<DWORD> found;
    for (const auto& [pid, name] : processes())
        if (!before.count(pid) && names.count(name)) found.push_back(pid);
    return found;
}

struct WindowsOf {
    DWORD pid;
    std::vector<HWND> found;
    static BOOL CALLBACK visit(HWND hwnd, LPARAM param) {
        auto* s = reinterpret_cast<WindowsOf*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && IsWindowVisible(hwnd)) s->found.push_back(hwnd);
        return TRUE;
    }
};

std::vector<HWND> visibleWindowsOf(DWORD pid) {
    WindowsOf seek{pid, {}};
    EnumWindows(&WindowsOf::visit, reinterpret_cast<LPARAM>(&seek));
    return seek.found;
}

// Ends one process that a scenario caused to start: politely through its
// windows first, then for good.
void endProcess(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return;
    for (HWND w : visibleWindowsOf(pid)) PostMessageW(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 3000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

// The shell's folder windows come from these programs under Wine.
const std::set<std::wstring> kFolderViewers{L"explorer.exe", L"winefile.exe"};

// ---------------------------------------------------------------------------
// Input and state the driver does not offer.

void sendMouse(DWORD flags, POINT at = {}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        // The system maps back with dx * width / 65536: round up so that the
        // pointer lands on the pixel asked for.
        in.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(at.x) * 65536 + w - 1) / w);
        in.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(at.y) * 65536 + h - 1) / h);
    }
    SendInput(1, &in, sizeof in);
}

void moveMouse(POINT to) {
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to);
    Sleep(30);
}

POINT centreOf(const e2e::Ui& ui) {
    RECT r = ui.screenRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Drags a window by a point of its surface, in small steps as a hand would.
void dragBy(POINT from, int dx, int dy) {
    moveMouse(from);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(60);
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        moveMouse({from.x + dx * i / kSteps, from.y + dy * i / kSteps});
        Sleep(30);
    }
    sendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(100);
}

bool setClipboardText(const std::wstring& text) {
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(50)) {
        if (!OpenClipboard(nullptr)) continue;
        EmptyClipboard();
        bool ok = false;
        if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
            if (void* p = GlobalLock(mem)) {
                memcpy(p, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
                GlobalUnlock(mem);
                ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
            }
            if (!ok) GlobalFree(mem);
        }
        CloseClipboard();
        return ok;
    }
    return false;
}

// The control of the window's thread that holds the keyboard focus.
HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool checked(const e2e::Ui& box) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box.hwnd(), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

POINT topLeft(const e2e::Ui& window) {
    RECT r = window.screenRect();
    return {r.left, r.top};
}

// The system's close command, as the window's close box sends it.
void closeBox(const e2e::Ui& window) { PostMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }

// ---------------------------------------------------------------------------

struct StandIn;

struct Companions : ProductTest {
    void standInFor(const StandIn& which);

    std::map<DWORD, std::wstring> before;

    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        ASSERT_TRUE(e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll",
                                  std::wstring(kFolder) + L"\\" + e2e::widen(kComponent)));
    }
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        before = processes();
        start(kFolder);
        ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\companions\\"));
    }
    void TearDown() override {
        // Whatever the shell opened for the program goes with the test.
        ProductTest::TearDown();
        for (DWORD pid : newProcesses(before, {L"explorer.exe", L"winefile.exe", L"cmd.exe", L"conhost.exe"}))
            endProcess(pid);
    }

    // Closes the folder windows the shell opened since the test began, and
    // gives the main window the front again.
    void closeFolderWindows() {
        for (DWORD pid : newProcesses(before, kFolderViewers)) endProcess(pid);
        e2e::bringToFront(app->main().hwnd());
    }

    // Clicks a folder shortcut and waits until the shell has had its turn.
    void openShortcut(const char* label) {
        e2e::bringToFront(app->main().hwnd());
        click(c(label));
        e2e::waitUntil([&] { return !newProcesses(before, kFolderViewers).empty(); }, 5000);
        e2e::pause(300);
        closeFolderWindows();
    }
};

TEST_F(Companions, PressingAFolderShortcutShiftsLabelAndIconUntilRelease) {
    e2e::Ui label = c("lblSystem32"), icon = c("imgSystem32");
    const POINT labelAt = label.posInParent(), iconAt = icon.posInParent();
    const int step = twipsToPixels(15);
    ASSERT_GE(step, 1);

    SetCursorPos(centreOf(label).x, centreOf(label).y);
    Sleep(50);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(e2e::waitUntil([&] { return label.posInParent().x != labelAt.x; }, 3000)) << "the press did not move it";
    e2e::pause(200);
    // Held down: both stand one step lower and further right.
    EXPECT_EQ(label.posInParent().x, labelAt.x + step);
    EXPECT_EQ(label.posInParent().y, labelAt.y + step);
    EXPECT_EQ(icon.posInParent().x, iconAt.x + step);
    EXPECT_EQ(icon.posInParent().y, iconAt.y + step);
    EXPECT_EQ(twipsToPixels(std::stoi(text("lblPosLeft1"))), labelAt.x);
    EXPECT_EQ(twipsToPixels(std::stoi(text("lblPosTop2"))), iconAt.y);

    sendMouse(MOUSEEVENTF_LEFTUP);
    // Both go back in one handler; read them once it is through.
    auto restored = [&] {
        POINT l = label.posInParent(), i = icon.posInParent();
        return l.x == labelAt.x && l.y == labelAt.y && i.x == iconAt.x && i.y == iconAt.y;
    };
    EXPECT_TRUE(e2e::waitUntil(restored, 3000))
        << "label at " << label.posInParent().x << "," << label.posInParent().y << " (was " << labelAt.x << ","
        << labelAt.y << "), icon at " << icon.posInParent().x << "," << icon.posInParent().y << " (was " << iconAt.x
        << "," << iconAt.y << ")";

    // The release over the label is a click: the shell shows the folder.
    EXPECT_TRUE(e2e::waitUntil([&] { return !newProcesses(before, kFolderViewers).empty(); }, 5000))
        << "no folder window was started";
    closeFolderWindows();

    // Pressed by its icon, the pair moves just the same.
    SetCursorPos(centreOf(icon).x, centreOf(icon).y);
    Sleep(50);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            POINT l = label.posInParent(), i = icon.posInParent();
            return l.x == labelAt.x + step && l.y == labelAt.y + step && i.x == iconAt.x + step && i.y == iconAt.y + step;
        },
        3000));
    sendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(e2e::waitUntil(restored, 3000));
    EXPECT_TRUE(app->messageBoxes().empty());
}

TEST_F(Companions, CopyOptionPutsTheSelectedNameOnTheClipboardOnly) {
    e2e::Ui option = c("chkCopy");
    e2e::Ui caption = c("lblCheckTest");
    EXPECT_FALSE(checked(option));
    EXPECT_EQ(text("lblCheckValue"), "0");
    EXPECT_EQ(caption.foreColor(), systemColor(16));
    EXPECT_EQ(option.foreColor(), systemColor(16));
    EXPECT_EQ(caption.text(), "Copiar nome do arquivo ao abrir pasta");

    // Off: a selected file and a shortcut leave the clipboard alone.
    selectFile(kComponent);
    ASSERT_TRUE(setClipboardText(L"antes"));
    openShortcut("lblSystem32");
    EXPECT_EQ(e2e::clipboardText(), "antes");

    click(option);
    ASSERT_TRUE(waitText("lblCheckValue", "1"));
    EXPECT_TRUE(checked(option));
    EXPECT_EQ(caption.foreColor(), systemColor(18));
    EXPECT_EQ(option.foreColor(), systemColor(18));

    // On, with a file chosen: its name is there to paste into the folder's search.
    openShortcut("imgSysWOW64");
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::clipboardText() == kComponent; }, 3000))
        << "the clipboard holds " << e2e::clipboardText().value_or("nothing");

    // On, with the placeholder showing: the clipboard keeps what it held.
    click(c("btnLimpar"));
    ASSERT_TRUE(waitText("txtFile", text("lblTxtFileIni")));
    ASSERT_TRUE(setClipboardText(L"marcador"));
    openShortcut("lblCommonFiles");
    EXPECT_EQ(e2e::clipboardText(), "marcador");

    click(option);
    ASSERT_TRUE(waitText("lblCheckValue", "0"));
    EXPECT_FALSE(checked(option));
    EXPECT_EQ(caption.foreColor(), systemColor(16));
    EXPECT_EQ(option.foreColor(), systemColor(16));
    EXPECT_TRUE(app->messageBoxes().empty());
}

// Trees of folders in the searched folders. Walking a wide tree takes the
// search long enough for a key to reach it while it runs; copies in many
// branches of the last tree tell a whole search from a stopped one, which
// only follows the first branch at each level of the trees it has not begun.
constexpr wchar_t kSlowTree[] = L"C:\\Program Files\\Common Files\\BrontalArvore";
constexpr wchar_t kCopyTree[] = L"C:\\Program Files (x86)\\Common Files\\BrontalArvore";
constexpr int kSlowWidth = 40;
constexpr int kCopyBranches = 12;

std::wstring branch(const wchar_t* root, int i) { return std::wstring(root) + L"\\r" + std::to_wstring(i); }
std::wstring twig(const wchar_t* root, int i, int j) { return branch(root, i) + L"\\f" + std::to_wstring(j); }
std::wstring copyIn(int i) { return branch(kCopyTree, i) + L"\\" + e2e::widen(kComponent); }

bool plantTrees() {
    bool ok = e2e::makeFolders(kSlowTree) && e2e::makeFolders(kCopyTree);
    for (int i = 0; i < kSlowWidth; ++i) {
        CreateDirectoryW(branch(kSlowTree, i).c_str(), nullptr);
        for (int j = 0; j < kSlowWidth; ++j) CreateDirectoryW(twig(kSlowTree, i, j).c_str(), nullptr);
    }
    for (int i = 0; i < kCopyBranches; ++i) {
        CreateDirectoryW(branch(kCopyTree, i).c_str(), nullptr);
        ok = ok && e2e::copyFile(std::wstring(kFolder) + L"\\" + e2e::widen(kComponent), copyIn(i));
    }
    return ok;
}

void removeTrees() {
    for (int i = 0; i < kSlowWidth; ++i) {
        for (int j = 0; j < kSlowWidth; ++j) RemoveDirectoryW(twig(kSlowTree, i, j).c_str());
        RemoveDirectoryW(branch(kSlowTree, i).c_str());
    }
    RemoveDirectoryW(kSlowTree);
    for (int i = 0; i < kCopyBranches; ++i) {
        DeleteFileW(copyIn(i).c_str());
        RemoveDirectoryW(branch(kCopyTree, i).c_str());
    }
    RemoveDirectoryW(kCopyTree);
}

TEST_F(Companions, EscapeResetsTheSearchStateAndStopsARunningSearch) {
    struct Cleanup {
        ~Cleanup() { removeTrees(); }
    } cleanup;
    ASSERT_TRUE(plantTrees());

    // No search running: Esc only resets the state labels.
    e2e::pressKey(VK_ESCAPE);
    e2e::pause(200);
    EXPECT_EQ(text("lblStopSearch"), "0");
    EXPECT_EQ(text("lblTimerAguarde"), "0");
    EXPECT_TRUE(app->running());
    EXPECT_TRUE(app->messageBoxes().empty());
    EXPECT_TRUE(c("btnVer").enabled());

    // The stop it asked for is forgotten by the next search, which goes to the end.
    selectFile(kComponent);
    click(c("btnVer"));
    ASSERT_TRUE(waitText("lblStopSearch", "1", 60000)) << "the folder search did not start";
    ULONGLONG began = GetTickCount64();
    ASSERT_TRUE(e2e::waitUntil([&] { return text("lblStopSearch") == "0" && c("DirList").enabled(); }, 60000))
        << "the search did not end";
    ULONGLONG whole = GetTickCount64() - began;
    EXPECT_EQ(c("lstArquivos").count(), kCopyBranches) << "the whole search finds every copy";

    // Esc once the folder search runs: the tree being walked is abandoned and
    // the last one is only followed down its first branch.
    e2e::bringToFront(app->main().hwnd());
    click(c("btnVer"));
    ASSERT_TRUE(waitText("lblStopSearch", "1", 60000)) << "the folder search did not start";
    began = GetTickCount64();
    EXPECT_FALSE(c("DirList").enabled());
    e2e::pressKey(VK_ESCAPE);
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return text("lblStopSearch") == "0" && c("DirList").enabled() && c("FileList").enabled(); }, 30000))
        << "the search did not end";
    ULONGLONG stopped = GetTickCount64() - began;
    EXPECT_EQ(text("lblTimerAguarde"), "0");
    EXPECT_LE(c("lstArquivos").count(), 1) << "the stopped search walked the last tree";
    EXPECT_TRUE(c("btnVer").enabled());
    EXPECT_TRUE(c("DriveList").enabled());
    EXPECT_TRUE(app->messageBoxes().empty());
    std::fprintf(stderr, "whole folder search %llu ms, stopped one %llu ms\n", whole, stopped);
    EXPECT_LT(stopped, whole);
}

TEST_F(Companions, TheWindowKeepsItsSizeAndComesBackFromTheTaskbar) {
    e2e::Ui main = app->main();
    const SIZE fixed{twipsToPixels(5655), twipsToPixels(5670)};
    const POINT at = topLeft(main);
    ASSERT_EQ(main.size().cx, fixed.cx);
    ASSERT_EQ(main.size().cy, fixed.cy);

    // Sized from outside, larger and smaller, as a border drag would: it snaps back.
    for (SIZE asked : {SIZE{fixed.cx + 120, fixed.cy + 80}, SIZE{fixed.cx - 90, fixed.cy - 140}}) {
        SetWindowPos(main.hwnd(), nullptr, 0, 0, asked.cx, asked.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(e2e::waitUntil([&] { return main.size().cx == fixed.cx && main.size().cy == fixed.cy; }, 3000))
            << "left at " << main.size().cx << " x " << main.size().cy;
        EXPECT_EQ(topLeft(main).x, at.x);
        EXPECT_EQ(topLeft(main).y, at.y);
    }
    // Only one side at a time.
    MoveWindow(main.hwnd(), at.x, at.y, fixed.cx, fixed.cy + 50, TRUE);
    EXPECT_TRUE(e2e::waitUntil([&] { return main.size().cy == fixed.cy; }, 3000));
    EXPECT_EQ(main.size().cx, fixed.cx);

    // There is no sizing frame to drag; a maximise asked from outside snaps
    // back like any other size.
    EXPECT_FALSE(GetWindowLongW(main.hwnd(), GWL_STYLE) & WS_THICKFRAME);
    ShowWindow(main.hwnd(), SW_MAXIMIZE);
    e2e::pause(300);
    EXPECT_TRUE(e2e::waitUntil([&] { return main.size().cx == fixed.cx && main.size().cy == fixed.cy; }, 3000))
        << "maximised to " << main.size().cx << " x " << main.size().cy;
    ShowWindow(main.hwnd(), SW_RESTORE);
    SetWindowPos(main.hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(e2e::waitUntil([&] { return topLeft(main).x == at.x && topLeft(main).y == at.y; }, 3000));

    ShowWindow(main.hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(e2e::waitUntil([&] { return IsIconic(main.hwnd()) != FALSE; }, 3000));
    e2e::pause(300);
    EXPECT_TRUE(app->running());
    EXPECT_TRUE(IsIconic(main.hwnd())) << "the size handler leaves a minimised window minimised";
    ShowWindow(main.hwnd(), SW_RESTORE);
    ASSERT_TRUE(e2e::waitUntil([&] { return !IsIconic(main.hwnd()); }, 3000));
    EXPECT_TRUE(e2e::waitUntil([&] { return main.size().cx == fixed.cx && main.size().cy == fixed.cy; }, 3000));
    EXPECT_EQ(topLeft(main).x, at.x);
    EXPECT_EQ(topLeft(main).y, at.y);

    // Still working after it: a file is taken as before.
    e2e::bringToFront(main.hwnd());
    selectFile(kComponent);
    EXPECT_EQ(text("lblb"), "32");
}

TEST_F(Companions, CommandPromptButtonStartsCmdSilently) {
    ASSERT_EQ(c("btnCMD").tip(), " Prompt de Comando (CMD) - modo admin ");
    click(c("btnCMD"));
    std::vector<DWORD> started;
    EXPECT_TRUE(e2e::waitUntil(
        [&] {
            started = newProcesses(before, {L"cmd.exe"});
            return !started.empty();
        },
        10000))
        << "no cmd.exe was started";
    e2e::pause(500);
    EXPECT_TRUE(app->messageBoxes().empty()) << "the program has nothing to say about it";
    EXPECT_TRUE(app->running());
    for (DWORD pid : started) endProcess(pid);
    e2e::bringToFront(app->main().hwnd());
    EXPECT_TRUE(app->main().enabled());
    EXPECT_TRUE(app->messageBoxes().empty());
}

// About and Help take the main window's place, are dragged by their surface
// and hand the place back where they were left.
struct StandIn {
    const char* button;
    const char* form;
};

void Companions::standInFor(const StandIn& which) {
    e2e::Ui main = app->main();
    // Away from the centre first, so that "the main window's place" is not
    // simply where any window would come up.
    SetWindowPos(main.hwnd(), nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(e2e::waitUntil([&] { return topLeft(main).x == 150 && topLeft(main).y == 120; }, 3000));

    click(c(which.button));
    e2e::Ui window = app->waitForForm(which.form, 5000);
    ASSERT_TRUE(window) << which.form << " did not open";
    EXPECT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(main.hwnd()); }, 3000)) << "the main window hides";
    EXPECT_EQ(topLeft(window).x, 150);
    EXPECT_EQ(topLeft(window).y, 120);
    EXPECT_EQ(window.text(), "Brontal32");
    EXPECT_EQ(window.size().cx, twipsToPixels(5655));
    EXPECT_EQ(window.size().cy, twipsToPixels(5660));

    // Dragged by a point of its surface that no control covers.
    POINT grip{8, 8};
    ClientToScreen(window.hwnd(), &grip);
    HWND under = WindowFromPoint(grip);
    ASSERT_EQ(under, window.hwnd()) << "the grip lies on " << e2e::Ui(under).name();
    e2e::bringToFront(window.hwnd());
    dragBy(grip, 90, 60);
    EXPECT_TRUE(e2e::waitUntil([&] { return topLeft(window).x != 150; }, 3000)) << "the drag did not move it";
    POINT moved = topLeft(window);
    EXPECT_NEAR(moved.x, 240, 1);
    EXPECT_NEAR(moved.y, 180, 1);

    // The right button drags nothing.
    POINT grip2{8, 8};
    ClientToScreen(window.hwnd(), &grip2);
    moveMouse(grip2);
    sendMouse(MOUSEEVENTF_RIGHTDOWN);
    moveMouse({grip2.x + 40, grip2.y + 40});
    sendMouse(MOUSEEVENTF_RIGHTUP);
    e2e::pause(200);
    EXPECT_EQ(topLeft(window).x, moved.x);
    EXPECT_EQ(topLeft(window).y, moved.y);
    // Nor do both buttons held together.
    moveMouse(grip2);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    sendMouse(MOUSEEVENTF_RIGHTDOWN);
    moveMouse({grip2.x + 50, grip2.y + 30});
    moveMouse({grip2.x + 70, grip2.y + 50});
    sendMouse(MOUSEEVENTF_RIGHTUP);
    sendMouse(MOUSEEVENTF_LEFTUP);
    e2e::pause(200);
    EXPECT_EQ(topLeft(window).x, moved.x);
    EXPECT_EQ(topLeft(window).y, moved.y);

    closeBox(window);
    ASSERT_TRUE(e2e::waitUntil([&] { return IsWindowVisible(main.hwnd()) != FALSE; }, 5000))
        << "the main window did not come back";
    EXPECT_FALSE(app->form(which.form));
    EXPECT_EQ(topLeft(main).x, moved.x);
    EXPECT_EQ(topLeft(main).y, moved.y);
    EXPECT_EQ(main.size().cx, twipsToPixels(5655));
    EXPECT_EQ(main.size().cy, twipsToPixels(5670));
    EXPECT_TRUE(main.enabled());
    EXPECT_TRUE(app->running());
}

TEST_F(Companions, AboutTakesTheMainPlaceAndGivesItBackWhereMoved) { standInFor({"btnAbout", "Form2"}); }
TEST_F(Companions, HelpTakesTheMainPlaceAndGivesItBackWhereMoved) { standInFor({"btnHelp", "Form4"}); }

TEST_F(Companions, AdminNoticeOpensModallyOverTheMainWindowAndIgnoresEnterAndSpace) {
    e2e::Ui main = app->main();
    // Anywhere on the screen, not only at the start-up centre.
    SetWindowPos(main.hwnd(), nullptr, 200, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(e2e::waitUntil([&] { return topLeft(main).x == 200; }, 3000));

    click(c("lblAdminMode1"));
    e2e::Ui notice = app->waitForForm("Form8", 5000);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice.text(), "Brontal32");
    RECT m = main.screenRect(), n = notice.screenRect();
    EXPECT_NEAR(n.left, m.left + ((m.right - m.left) - (n.right - n.left)) / 2, 1) << "centred over the main window";
    EXPECT_NEAR(n.top, m.top + twipsToPixels(1460), 1);
    EXPECT_TRUE(IsWindowVisible(main.hwnd())) << "the main window stays where it is";
    EXPECT_FALSE(main.enabled()) << "modal: the main window waits";
    EXPECT_EQ(e2e::Product::control(notice, "Label3").text(), "ATENÇÃO!");
    EXPECT_EQ(e2e::Product::control(notice, "Label2(2)").text(), "Leia os ReadMes para entender melhor.");

    // The focus rests on the hidden button, which does nothing.
    e2e::Ui holder = e2e::Product::control(notice, "btnFoco");
    EXPECT_TRUE(e2e::waitUntil([&] { return focusOf(notice.hwnd()) == holder.hwnd(); }, 3000));
    RECT client{};
    GetClientRect(notice.hwnd(), &client);
    EXPECT_GE(holder.posInParent().y, client.bottom) << "the focus holder is out of sight";
    e2e::bringToFront(notice.hwnd());
    for (WORD key : {WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_RETURN)}) {
        e2e::pressKey(key);
        e2e::pause(300);
        EXPECT_TRUE(IsWindow(notice.hwnd()) && IsWindowVisible(notice.hwnd())) << "key " << key << " closed it";
        EXPECT_EQ(topLeft(notice).x, n.left);
        EXPECT_EQ(topLeft(notice).y, n.top);
    }
    EXPECT_EQ(focusOf(notice.hwnd()), holder.hwnd());
    EXPECT_FALSE(main.enabled());
    EXPECT_TRUE(app->messageBoxes().empty());

    closeBox(notice);
    EXPECT_TRUE(e2e::waitUntil([&] { return !app->form("Form8") && main.enabled(); }, 3000));
    EXPECT_EQ(topLeft(main).x, 200) << "the notice leaves the main window where it was";

    // Opened again, it stands in the same place.
    click(c("lblAdminMode1"));
    notice = app->waitForForm("Form8", 5000);
    ASSERT_TRUE(notice);
    EXPECT_EQ(topLeft(notice).x, n.left);
    EXPECT_EQ(topLeft(notice).y, n.top);
    closeBox(notice);
    EXPECT_TRUE(e2e::waitUntil([&] { return !app->form("Form8") && main.enabled(); }, 3000));
}

// The program's own end: closing the main window ends the process with exit
// code 0, not through a fault, whatever companion window is open.
void expectCleanEnd(const e2e::Product& app) {
    EXPECT_TRUE(e2e::waitUntil([&] { return !app.running(); }, 10000)) << "the process lives on";
}

struct ExitWatch {
    HANDLE process;
    explicit ExitWatch(DWORD pid) : process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid)) {}
    ~ExitWatch() {
        if (process) CloseHandle(process);
    }
    DWORD code() const {
        DWORD c = STILL_ACTIVE;
        if (process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &c);
        return c;
    }
};

TEST_F(Companions, ClosingTheMainWindowWithTheReportOpenEndsTheProgram) {
    ExitWatch watch(app->pid());
    ASSERT_TRUE(watch.process);
    selectFile(kComponent);
    click(c("btnFile"));
    e2e::Ui report = app->waitForForm("Form3", 5000);
    ASSERT_TRUE(report) << "no report window";
    EXPECT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(app->main().hwnd()); }, 3000));
    PostMessageW(app->main().hwnd(), WM_CLOSE, 0, 0);
    expectCleanEnd(*app);
    EXPECT_EQ(watch.code(), 0u);
}

TEST_F(Companions, ClosingTheMainWindowWithHelpOpenEndsTheProgram) {
    ExitWatch watch(app->pid());
    ASSERT_TRUE(watch.process);
    click(c("btnHelp"));
    ASSERT_TRUE(app->waitForForm("Form4", 5000)) << "no help window";
    ASSERT_TRUE(e2e::waitUntil([&] { return !IsWindowVisible(app->main().hwnd()); }, 3000));
    closeBox(app->main());
    expectCleanEnd(*app);
    EXPECT_EQ(watch.code(), 0u);
}

} // namespace
