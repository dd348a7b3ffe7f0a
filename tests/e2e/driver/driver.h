#pragma once
// Drives the real Brontal32.exe from another process, as a user would: it
// starts the program, finds its windows and controls by the names the window
// layer publishes as window properties, clicks and types with SendInput, reads
// texts, states, positions and colours, answers message boxes and ends the
// program when the test is over.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Polls cond every 25 ms until it holds or timeoutMs have passed.
bool waitUntil(const std::function<bool()>& cond, DWORD timeoutMs);
void pause(DWORD ms);
// With BRONTAL_E2E_HOLD_MS set, stops there that long so that a person can
// look at (or take a picture of) the test display.
void holdForLook(const char* moment);

// Twips of the program at the screen's resolution.
int screenDpi();
int twipsToPixels(int twips);

// The colour a published colour value stands for: &H80000000 + n is system
// colour n, anything else 0x00BBGGRR.
COLORREF resolveColor(std::uint32_t oleColor);

// A window of the program under test, read from outside.
class Ui {
public:
    Ui() = default;
    explicit Ui(HWND hwnd) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    std::string name() const;                   // the published control or form name
    std::string text() const;                   // WM_GETTEXT
    std::string tip() const;                    // the published tooltip
    std::string picture() const;                // the published picture id
    std::optional<std::uint32_t> foreColor() const;
    std::optional<std::uint32_t> backColor() const;
    bool enabled() const;
    bool visible() const;                       // its own style bit
    RECT screenRect() const;
    POINT posInParent() const;                  // pixels, in the parent's client area
    SIZE size() const;

    // List boxes.
    int count() const;
    std::string item(int index) const;
    int selectedIndex() const;
    int find(std::string_view text) const;      // exact, case-insensitive; -1 when absent
    std::vector<std::string> items() const;

private:
    HWND hwnd_ = nullptr;
};

// Input through the system's input queue, as from the user.
void clickAt(POINT screen);
void click(const Ui& control);
void doubleClick(const Ui& control);
void clickListItem(const Ui& list, int index);
void doubleClickListItem(const Ui& list, int index);
void pressKey(WORD virtualKey);
void pressAltKey(WORD virtualKey);   // Alt+F4 and the like, to the foreground window
void mouseButtons(DWORD flags);      // MOUSEEVENTF_LEFTDOWN and the like, where the pointer is
// Presses the buttons at from, moves by (dx, dy) in small steps as a hand
// would and lets go.
void drag(POINT from, int dx, int dy, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
void bringToFront(HWND window);

std::optional<std::string> clipboardText();
bool setClipboardText(const std::wstring& text);

// The lower-case executable names of every process of this Wine prefix.
std::vector<std::string> runningPrograms();

// Pixels of the screen inside a window: whether any has the colour.
bool showsColor(const Ui& window, COLORREF color);

bool registryKeyExists(HKEY root, const std::wstring& subkey, REGSAM view);

// The program, started by the test and ended with it.
class Product {
public:
    struct Options {
        std::wstring exe;
        std::wstring currentDirectory;   // empty: the driver's own
        // The current folder of drive C: while the program runs on another
        // drive (the "=C:" variable a shell keeps); empty: left as it is.
        std::wstring driveCFolder;
    };
    explicit Product(Options options);
    ~Product();
    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    bool running() const;
    // The exit code once the program has ended within timeoutMs; nothing otherwise.
    std::optional<DWORD> waitForExit(DWORD timeoutMs) const;
    DWORD pid() const { return process_.dwProcessId; }
    void terminate();

    // The visible top-level window of the program published under name
    // ("Form1", "Form6", ...); waits up to timeoutMs.
    Ui waitForForm(std::string_view formName, DWORD timeoutMs = 15000) const;
    Ui form(std::string_view formName) const;   // no wait; empty when absent
    bool loaded(std::string_view formName) const;   // the window exists, shown or hidden
    // How many verifications, folder searches or registration requests the
    // main window has finished (ui::kVerificationsDoneProp and the like): take
    // it before an action, then wait for it to grow.
    unsigned finished(const wchar_t* countProp) const;
    Ui main() const { return main_; }
    // A control of the main window (or of form) by its published name.
    Ui operator[](std::string_view controlName) const { return control(main_, controlName); }
    static Ui control(const Ui& form, std::string_view controlName);

    // Message boxes of the program (#32770 dialogs).
    Ui waitForMessageBox(DWORD timeoutMs = 10000) const;
    std::vector<Ui> messageBoxes() const;
    static std::string messageBoxText(const Ui& box);
    static void pressOk(const Ui& box);

private:
    std::vector<HWND> topLevelWindows() const;

    PROCESS_INFORMATION process_{};
    Ui main_;
};

// Where the test finds its inputs: the program and the fixture files of the
// build, as Windows paths.
std::wstring productExe();
// The same program over a heap that poisons and checks freed memory.
std::wstring checkedProductExe();
std::wstring fixturesDir();

// Copies a file, replacing what is there; false on failure.
bool copyFile(const std::wstring& from, const std::wstring& to);
bool makeFolders(const std::wstring& folder);

} // namespace e2e
