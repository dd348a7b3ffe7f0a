// The About window, the Help window and the administrator-mode notice, in this
// process with the shell stood in for. Each test also leaves a capture of the
// window it looked at in screens\ beside this executable, so the look can be
// checked by eye after a run.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/files.h"
#include "ui/events.h"
#include "ui/units.h"
#include "windows/about_window.h"
#include "windows/readme_documents.h"

using brontal::MainWindow;
using brontal::Services;
namespace ui = brontal::ui;

namespace {

struct Recorder {
    std::vector<std::string> shell;   // "verb|file|params|dir|show"
    std::vector<INT_PTR> shellAnswers;
    int messageBoxes = 0;
};

Services fakeServices(Recorder& r, bool realShell = false) {
    Services s;
    s.isElevated = [] { return false; };
    s.beep = [] {};
    s.messageBox = [&r](HWND, const std::string&, const std::string&, unsigned) {
        ++r.messageBoxes;
        return IDOK;
    };
    auto real = Services::real().shellExecute;
    s.shellExecute = [&r, real, realShell](HWND owner, const std::string& verb, const std::string& file,
                                           const std::string& params, const std::string& dir, int show) {
        r.shell.push_back(verb + "|" + file + "|" + params + "|" + dir + "|" + std::to_string(show));
        INT_PTR answer = realShell ? real(owner, verb, file, params, dir, show) : 42;
        r.shellAnswers.push_back(answer);
        return answer;
    };
    s.setClipboardText = [](HWND, const std::string&) { return true; };
    return s;
}

// What the client area shows, as rows of 24-bit pixels read from the screen:
// the labels paint themselves, so a capture of the screen is what the user sees.
struct Capture {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;   // bottom-up rows, 4-byte aligned
    bool operator==(const Capture&) const = default;
};

Capture capture(HWND window) {
    ui::processPendingEvents();
    UpdateWindow(window);
    GdiFlush();
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    Capture c;
    c.width = client.right;
    c.height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, c.width, c.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, c.width, c.height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    int stride = (c.width * 3 + 3) & ~3;
    c.bgr.resize(static_cast<size_t>(stride) * static_cast<size_t>(c.height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(c.height), c.bgr.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return c;
}

// Leaves the capture as screens\<name>.bmp beside this executable.
void save(const Capture& c, const std::string& name) {
    std::string dir = brontal::platform::programFolder() + "\\screens";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string path = dir + "\\" + name + ".bmp";
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER head{};
    head.biSize = sizeof head;
    head.biWidth = c.width;
    head.biHeight = c.height;
    head.biPlanes = 1;
    head.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof head;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(c.bgr.size());
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&head, sizeof head, 1, f);
        std::fwrite(c.bgr.data(), 1, c.bgr.size(), f);
        std::fclose(f);
    }
}

struct FontSeen {
    std::wstring face;
    bool bold = false;
    int height = 0;   // pixels, negative: the character height
};

FontSeen fontOf(const ui::Control& c) {
    LOGFONTW lf{};
    GetObjectW(c.font(), sizeof lf, &lf);
    return {lf.lfFaceName, lf.lfWeight >= FW_BOLD, lf.lfHeight};
}

int pixelHeight(double points) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return -MulDiv(static_cast<int>(points * 100 + 0.5), dpi, 7200);
}

void expectFont(const ui::Control& c, const wchar_t* face, double points, bool bold) {
    FontSeen f = fontOf(c);
    EXPECT_EQ(f.face, face) << c.name();
    EXPECT_EQ(f.height, pixelHeight(points)) << c.name();
    EXPECT_EQ(f.bold, bold) << c.name();
}

// How wide the label's text is drawn in its own font, in pixels.
int textWidth(const ui::Control& c) {
    HDC dc = GetDC(c.hwnd());
    HGDIOBJ old = SelectObject(dc, c.font());
    std::wstring text;
    text.resize(512);
    text.resize(static_cast<size_t>(GetWindowTextW(c.hwnd(), text.data(), 512)));
    while (!text.empty() && text.back() == L' ') text.pop_back();   // a trailing blank need not show
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(c.hwnd(), dc);
    return size.cx;
}

// Whether a lies above b among the window's controls.
bool isAbove(const ui::Control& a, const ui::Control& b) {
    for (HWND w = GetWindow(a.hwnd(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b.hwnd()) return true;
    return false;
}

std::vector<int> place(const ui::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }

// Presses and releases the left button on a control as the mouse would.
void mouseClick(ui::Control& c, std::function<void()> whilePressed = {}) {
    SendMessageW(c.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    if (whilePressed) whilePressed();
    SendMessageW(c.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

std::string caption(HWND w) {
    char text[64] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

BOOL CALLBACK countVisible(HWND w, LPARAM p) {
    if (IsWindowVisible(w)) ++*reinterpret_cast<int*>(p);
    return TRUE;
}

int visibleWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &countVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct FormSearch {
    std::string name;
    ui::Form* found = nullptr;
};

BOOL CALLBACK findShownForm(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<FormSearch*>(p);
    ui::Form* f = ui::Form::fromHwnd(w);
    if (f && f->name() == s->name && f->isOpen() && f->visible()) {
        s->found = f;
        return FALSE;
    }
    return TRUE;
}

struct AuxWindowsTest : ::testing::Test {
    Recorder recorder;
    std::unique_ptr<MainWindow> main;
    void open(bool realShell = false) {
        main = std::make_unique<MainWindow>(fakeServices(recorder, realShell));
        main->load();
        main->show();
        ui::processPendingEvents();
    }
    ui::Control& c(const char* name) { return (*main)[name]; }
    ui::Form& about() { return *main->aboutWindow; }
    ui::Form& help() { return *main->helpWindow; }
};

TEST_F(AuxWindowsTest, AboutShowsProductVersionAuthorAndTheSiteInThreeParts) {
    open();
    c("btnAbout").onClick();
    ASSERT_TRUE(main->aboutWindow && about().isOpen());
    ui::Form& f = about();
    ui::processPendingEvents();
    save(capture(f.hwnd()), "about");

    EXPECT_FALSE(main->visible());
    EXPECT_EQ(caption(f.hwnd()), "Brontal32");
    EXPECT_EQ(f["Label4"].text(), "Verlind");
    EXPECT_EQ(f["Label1"].text(), "Brontal32");
    EXPECT_EQ(f["Label1"].foreColor(), 0x404000u);
    EXPECT_EQ(f["lblVersao"].text(), "Versão: 1.0   •  Agosto/2024");
    EXPECT_EQ(f["Label7"].text(), "Autor: ");
    EXPECT_EQ(f["Label8"].text(), "Ilvo Verlind");
    EXPECT_EQ(f["Label17"].text(), "");
    EXPECT_EQ(f["Label15"].text(), "Clique no link acima e conheça mais sobre meu trabalho. ");
    expectFont(f["Label4"], L"MS Sans Serif", 9.75, true);
    expectFont(f["Label1"], L"Arial", 11.25, true);
    expectFont(f["Label3"], L"Arial", 8.25, false);
    expectFont(f["lblVersao"], L"Arial", 9, false);
    expectFont(f["Label7"], L"Arial", 8.25, false);
    expectFont(f["Label8"], L"Arial", 8.25, true);
    expectFont(f["Label5"], L"MS Sans Serif", 9.75, true);
    expectFont(f["lblIlvo"], L"Arial", 9.75, true);
    expectFont(f["Label16"], L"MS Sans Serif", 9.75, true);
    EXPECT_EQ(f["Label5"].foreColor(), 0x808080u);
    EXPECT_EQ(f["lblIlvo"].foreColor(), 0x6B6B6Bu);
    EXPECT_EQ(f["Label16"].foreColor(), 0x6B6B6Bu);
    EXPECT_EQ(place(f["Label5"]), (std::vector<int>{1320, 3870, 495, 255}));
    EXPECT_EQ(place(f["lblIlvo"]), (std::vector<int>{1860, 3870, 1815, 255}));
    EXPECT_EQ(place(f["Label16"]), (std::vector<int>{3570, 3870, 495, 255}));
    EXPECT_EQ(place(f["btnSite"]), (std::vector<int>{2355, 3555, 855, 570}));
    EXPECT_FALSE(f["btnSite"].tip().empty());
    EXPECT_EQ(f["lblIlvo"].tip(), f["btnSite"].tip());

    // The three parts read as the address the link opens, the middle one in
    // capitals, on a domain that is reserved for examples.
    std::string middle = f["lblIlvo"].text();
    EXPECT_TRUE(std::none_of(middle.begin(), middle.end(), [](unsigned char ch) { return std::islower(ch); }));
    std::string shown = f["Label5"].text() + middle + f["Label16"].text();
    std::transform(shown.begin(), shown.end(), shown.begin(), [](unsigned char ch) { return std::tolower(ch); });
    std::string site = brontal::windows::kAuthorSite;
    EXPECT_EQ(site, "http://" + shown + "/");
    EXPECT_NE(shown.find("example."), std::string::npos);
    // Each part is whole on the screen: the next part starts where the label
    // before it is cut off, so a longer text would hide letters.
    EXPECT_LE(textWidth(f["Label5"]), ui::twipsToPixels(f["lblIlvo"].left() - f["Label5"].left()));
    EXPECT_LE(textWidth(f["lblIlvo"]), ui::twipsToPixels(f["Label16"].left() - f["lblIlvo"].left()));
    EXPECT_LE(textWidth(f["Label16"]), ui::twipsToPixels(f["Label16"].width()));
    EXPECT_LE(textWidth(f["Label3"]), ui::twipsToPixels(f["Label3"].width()));
    // Labels paint the window's surface over what lies beneath them: where
    // lblIlvo reaches under Label16, and where the line crosses the picture,
    // the part to be read has to lie above.
    EXPECT_TRUE(isAbove(f["Label16"], f["lblIlvo"]));
    for (const char* part : {"Label5", "lblIlvo", "Label16"}) EXPECT_TRUE(isAbove(f[part], f["btnSite"])) << part;

    mouseClick(f["lblIlvo"], [&] {
        EXPECT_EQ(f["btnSite"].left(), 2370);
        EXPECT_EQ(f["btnSite"].top(), 3570);
        EXPECT_EQ(f["lblIlvo"].left(), 1875);
        EXPECT_EQ(f["lblIlvo"].top(), 3885);
    });
    EXPECT_EQ(place(f["btnSite"]), (std::vector<int>{2355, 3555, 855, 570}));
    EXPECT_EQ(place(f["lblIlvo"]), (std::vector<int>{1860, 3870, 1815, 255}));
    ASSERT_EQ(recorder.shell.size(), 1u);
    EXPECT_EQ(recorder.shell[0], "open|" + site + "|||1");
    f.close();
}

TEST_F(AuxWindowsTest, HelpShowsItsTextsAndEachButtonOpensItsOwnDocument) {
    open();
    c("btnHelp").onClick();
    ASSERT_TRUE(main->helpWindow && help().isOpen());
    ui::Form& f = help();
    ui::processPendingEvents();
    save(capture(f.hwnd()), "help");

    EXPECT_FALSE(main->visible());
    EXPECT_EQ(caption(f.hwnd()), "Brontal32");
    EXPECT_EQ(f["ReadMe1"].text(), "ReadMe Informações e Considerações");
    EXPECT_EQ(f["Label7"].text(), "ReadMe Licença de Utilização");
    EXPECT_EQ(f["Label9"].text(), "ReadMe Características e Versão");
    EXPECT_EQ(f["Label2"].text(), "Consulte este ReadMe para considerações gerais sobre meus softwares.");
    EXPECT_EQ(f["Label4"].text(), "Consulte este ReadMe para informações sobre a licença de uso e atualização.");
    EXPECT_EQ(f["Label8"].text(), "Consulte este ReadMe para ver as características do software e da versão.");
    EXPECT_EQ(f["lblAtencao"].text(), "ATENÇÃO!");
    EXPECT_EQ(f["Label3"].text(),
              "Antes da utilização do software, considere ler os ReadMes. Eles podem lhe ajudar a sanar dúvidas "
              "sobre o aplicativo e como funciona o registro de componentes no sistema operacional.");
    for (const char* bold : {"ReadMe1", "Label7", "Label9", "lblAtencao", "Label3"})
        expectFont(f[bold], L"MS Sans Serif", 8.25, true);
    for (const char* plain : {"Label2", "Label4", "Label8"}) expectFont(f[plain], L"MS Sans Serif", 8.25, false);
    for (const char* heading : {"ReadMe1", "Label7", "Label9", "lblAtencao"})
        EXPECT_LE(textWidth(f[heading]), ui::twipsToPixels(f[heading].width())) << heading;
    EXPECT_EQ(place(f["lblLista"]), (std::vector<int>{361, 3345, 4693, 15}));
    EXPECT_EQ(place(f["Label5"]), (std::vector<int>{361, 4630, 4693, 15}));
    EXPECT_EQ(f["lblLista"].backColor(), 0x8000000Cu);

    // Each button, pressed and released as the mouse does it: it goes 15
    // twips right and down while held, comes back, and opens its document
    // from the ReadMe folder beside the program.
    std::string folder = brontal::platform::programFolder();
    const int tops[] = {360, 1275, 2175};
    int i = 0;
    for (const auto& doc : brontal::windows::kReadMeDocuments) {
        ui::Control& button = f[doc.button];
        EXPECT_EQ(button.tip(), " Clique para abrir ");
        EXPECT_EQ(place(button), (std::vector<int>{360, tops[i], 675, 675}));
        mouseClick(button, [&] {
            EXPECT_EQ(button.left(), 375);
            EXPECT_EQ(button.top(), tops[i] + 15);
        });
        EXPECT_EQ(place(button), (std::vector<int>{360, tops[i], 675, 675}));
        ++i;
    }
    std::string base = folder;
    if (base.back() == '\\') base.pop_back();
    EXPECT_EQ(recorder.shell, (std::vector<std::string>{
                                  "open|" + base + "\\ReadMe\\ReadMe_Informacoes-e-consideracoes.pdf|||1",
                                  "open|" + base + "\\ReadMe\\ReadMe_Licenca-de-utilizacao.pdf|||1",
                                  "open|" + base + "\\ReadMe\\ReadMe_Caracteristicas-da-versao.pdf|||1",
                              }));
    f.close();
}

TEST_F(AuxWindowsTest, HelpWithoutTheReadMeFolderChangesNothingOnTheScreen) {
    std::string readMe = brontal::platform::programFolder() + "\\ReadMe";
    ASSERT_EQ(GetFileAttributesA(readMe.c_str()), INVALID_FILE_ATTRIBUTES) << readMe << " must not exist here";
    open(/*realShell=*/true);
    c("btnHelp").onClick();
    ASSERT_TRUE(main->helpWindow && help().isOpen());
    ui::Form& f = help();
    ui::processPendingEvents();
    Capture before = capture(f.hwnd());
    int windowsBefore = visibleWindowsOfThisThread();
    int left = f.left(), top = f.top();

    for (const auto& doc : brontal::windows::kReadMeDocuments) mouseClick(f[doc.button]);
    // Anything the shell might show would come through the message queue.
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < until) {
        ui::processPendingEvents();
        Sleep(20);
    }

    ASSERT_EQ(recorder.shellAnswers.size(), 3u);
    for (INT_PTR answer : recorder.shellAnswers) EXPECT_LE(answer, 32) << "the shell found a document";
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(f.left(), left);
    EXPECT_EQ(f.top(), top);
    EXPECT_FALSE(main->visible());
    EXPECT_EQ(recorder.messageBoxes, 0);
    EXPECT_EQ(visibleWindowsOfThisThread(), windowsBefore);
    EXPECT_TRUE(capture(f.hwnd()) == before) << "the Help window looks different after the clicks";
    f.close();
}

TEST_F(AuxWindowsTest, AboutAndHelpKeepTheirSizeAndGiveTheMainWindowTheirPlace) {
    open();
    for (const char* button : {"btnAbout", "btnHelp"}) {
        SCOPED_TRACE(button);
        main->moveTo(1500, 1200);
        c(button).onClick();
        ui::Form& f = std::string(button) == "btnAbout" ? about() : help();
        ui::processPendingEvents();
        EXPECT_NEAR(f.left(), 1500, 15);
        EXPECT_NEAR(f.top(), 1200, 15);
        EXPECT_NEAR(f.width(), 5655, 15);
        EXPECT_NEAR(f.height(), 5660, 15);
        f.setSize(7000, 3000);
        ui::processPendingEvents();
        EXPECT_NEAR(f.width(), 5655, 15);
        EXPECT_NEAR(f.height(), 5660, 15);
        f.moveTo(2400, 1800);
        ui::processPendingEvents();
        f.close();
        ui::processPendingEvents();
        EXPECT_TRUE(main->visible());
        EXPECT_NEAR(main->left(), 2400, 15);
        EXPECT_NEAR(main->top(), 1800, 15);
    }
    EXPECT_FALSE(main->aboutWindow);
    EXPECT_FALSE(main->helpWindow);
}

// Runs checks on a modal window from inside its own message loop, then closes it.
class WhileModal {
public:
    WhileModal(std::string form, std::function<void(ui::Form&)> action)
        : form_(std::move(form)), action_(std::move(action)) {
        self() = this;
        timer_ = SetTimer(nullptr, 0, 20, &WhileModal::tick);
    }
    ~WhileModal() {
        KillTimer(nullptr, timer_);
        self() = nullptr;
    }
    bool ran = false;

private:
    static WhileModal*& self() {
        static WhileModal* current = nullptr;
        return current;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileModal* w = self();
        if (!w || w->busy_) return;
        FormSearch search{w->form_};
        EnumThreadWindows(GetCurrentThreadId(), &findShownForm, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return;
        w->busy_ = true;
        if (!w->ran) {
            w->ran = true;
            w->action_(*search.found);
        }
        search.found->close();
        w->busy_ = false;
    }
    std::string form_;
    std::function<void(ui::Form&)> action_;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
};

TEST_F(AuxWindowsTest, NoticeStandsOverTheMainWindowWithTheFocusOnItsHiddenButton) {
    open();
    bool first = true;
    for (POINT at : {POINT{1500, 1200}, POINT{6000, 300}}) {
        main->moveTo(at.x, at.y);
        ui::processPendingEvents();
        WhileModal watch("Form8", [&](ui::Form& f) {
            if (first) save(capture(f.hwnd()), "notice");
            first = false;
            EXPECT_FALSE(IsWindowEnabled(main->hwnd()));
            EXPECT_EQ(caption(f.hwnd()), "Brontal32");
            EXPECT_NEAR(f.left(), main->left() + (main->width() - f.width()) / 2, 15);
            EXPECT_NEAR(f.top(), main->top() + 1460, 15);
            RECT client;
            GetClientRect(f.hwnd(), &client);
            EXPECT_EQ(client.right, ui::twipsToPixels(3495));
            EXPECT_EQ(client.bottom, ui::twipsToPixels(2235));
            LONG style = GetWindowLongW(f.hwnd(), GWL_STYLE);
            EXPECT_FALSE(style & WS_MINIMIZEBOX);
            EXPECT_FALSE(style & WS_MAXIMIZEBOX);

            EXPECT_EQ(f["Label3"].text(), "ATENÇÃO!");
            expectFont(f["Label3"], L"MS Sans Serif", 8.25, true);
            EXPECT_EQ(f["Label2(0)"].text(),
                      "As operações no Brontal acontecem de maneira herdada, portanto, se você entra no programa "
                      "em modo administrador, as operações acontecerão nesse modo. ");
            EXPECT_EQ(f["Label2(1)"].text(), "De outra forma, as operações ocorrerão sem privilégios de admin.");
            EXPECT_EQ(f["Label2(2)"].text(), "Leia os ReadMes para entender melhor.");
            // The first paragraph's box reaches into the second one's first line.
            EXPECT_TRUE(isAbove(f["Label2(1)"], f["Label2(0)"]));
            for (const char* p : {"Label2(0)", "Label2(1)", "Label2(2)"}) {
                expectFont(f[p], L"MS Sans Serif", 8.25, false);
                EXPECT_EQ(f[p].foreColor(), 0x80000011u) << p;
            }

            // Enter and Space land on the hidden button, which does nothing.
            ui::Control& focus = f["btnFoco"];
            EXPECT_EQ(focus.text(), "Command1");
            EXPECT_EQ(GetFocus(), focus.hwnd());
            EXPECT_GE(focus.top(), 2235);
            Capture before = capture(f.hwnd());
            for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_SPACE}}) {
                PostMessageW(focus.hwnd(), WM_KEYDOWN, key, 1);
                PostMessageW(focus.hwnd(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
            }
            ui::processPendingEvents();
            EXPECT_TRUE(f.isOpen());
            EXPECT_EQ(GetFocus(), focus.hwnd());
            EXPECT_TRUE(capture(f.hwnd()) == before);
        });
        mouseClick(c("lblAdminMode1"));
        EXPECT_TRUE(watch.ran);
        EXPECT_TRUE(IsWindowEnabled(main->hwnd()));
    }
    EXPECT_TRUE(recorder.shell.empty());
}

} // namespace
