#pragma once
// Drives the real Brontal32.exe from outside as a user would, its windows found by their published names.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Polls cond every 25 ms until it holds or timeoutMs have passed.
bool waitUntil(const std::function<bool()>& cond, DWORD timeoutMs);

// Twips of the program, in pixels at the screen's resolution.
int twipsToPixels(int twips);

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
    std::uint32_t foreColor() const;            // the published colour value
    bool enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    bool visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }   // its own style bit
    RECT screenRect() const { RECT r{}; GetWindowRect(hwnd_, &r); return r; }
    POINT topLeft() const { return {screenRect().left, screenRect().top}; }
    POINT posInParent() const;                  // pixels, in the parent's client area
    SIZE size() const { RECT r = screenRect(); return {r.right - r.left, r.bottom - r.top}; }

    // List boxes.
    int count() const;
    std::string item(int index) const;
    int find(std::string_view text) const;      // exact, case-insensitive; -1 when absent
    std::vector<std::string> items() const;

    // A control of this form by its published name; throws when absent.
    Ui operator[](std::string_view controlName) const;

private:
    HWND hwnd_ = nullptr;
};

// Input through the system's input queue, as from the user.
void click(const Ui& control);
void clickListItem(const Ui& list, int index);
void doubleClickListItem(const Ui& list, int index);
// Presses the keys in order, lets them go in reverse: {VK_MENU, VK_F4}.
void pressKeys(std::initializer_list<WORD> keys);
inline void pressKey(WORD key) { pressKeys({key}); }
void mouseButtons(DWORD flags);      // MOUSEEVENTF_LEFTDOWN and the like, where the pointer is
// Presses the buttons at from, moves by (dx, dy) in small steps as a hand would, lets go.
void drag(POINT from, int dx, int dy, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
inline void bringToFront(HWND window) { SetForegroundWindow(window); Sleep(50); }   // and lets it settle

std::optional<std::string> clipboardText();
bool setClipboardText(const std::wstring& text);

// The lower-case executable names of every process of this Wine prefix.
std::vector<std::string> runningPrograms();

bool registryKeyExists(HKEY root, const std::wstring& subkey, REGSAM view);

// The program, started by the test and ended with it.
class Product {
public:
    struct Options {
        std::wstring exe;
        std::wstring currentDirectory;   // empty: the driver's own
        std::wstring driveCFolder;       // drive C:'s current folder (a shell's "=C:"); empty: as it is
        // After the program's quoted path. With arguments it starts as from
        // Explorer or a shortcut: without standard handles.
        std::wstring arguments;
        bool waitForMain = true;         // false: for a start that shows no main window
    };
    explicit Product(Options options);
    ~Product() { terminate(); }
    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;

    bool running() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code once the program has ended within timeoutMs; nothing otherwise.
    std::optional<DWORD> waitForExit(DWORD timeoutMs) const;
    DWORD pid() const { return process_.dwProcessId; }

    // The visible top-level window published under that name ("Form1", ...).
    Ui waitForForm(std::string_view formName, DWORD timeoutMs = 15000) const;
    Ui form(std::string_view formName, bool shownOnly = true) const;   // no wait; empty when absent
    // Verifications, searches or registrations finished (ui::kVerificationsDoneProp, ...).
    unsigned finished(const wchar_t* countProp) const;
    Ui main() const { return main_; }
    Ui operator[](std::string_view controlName) const { return main_[controlName]; }   // of the main window

    // Message boxes of the program (#32770 dialogs).
    std::vector<Ui> messageBoxes() const;

private:
    std::vector<HWND> topLevelWindows() const;
    void terminate();

    PROCESS_INFORMATION process_{};
    Ui main_;
};

// The program, the same over the checking heap, and the build's fixtures, as Windows paths.
std::wstring productExe();
std::wstring checkedProductExe();
std::wstring fixturesDir();

// Copies a file, replacing what is there; false on failure.
bool copyFile(const std::wstring& from, const std::wstring& to);
// Creates folder with its missing parents; true when it exists afterwards.
bool makeFolders(const std::wstring& folder);
// A copy of a fixture file of the build, under the path given.
inline bool putFixture(const wchar_t* fixture, const std::wstring& to) {
    return makeFolders(to.substr(0, to.rfind(L'\\'))) && copyFile(fixturesDir() + L"\\" + fixture, to);
}

} // namespace e2e
