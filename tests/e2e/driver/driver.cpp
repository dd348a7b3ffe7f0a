#include "driver.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include <tlhelp32.h>

#include "ui/window_props.h"

#ifndef BRONTAL_E2E_EXE
#error BRONTAL_E2E_EXE is given by the build
#endif

namespace e2e {
namespace {

// The build knows its paths as Unix paths; under Wine they are on drive Z:.
std::wstring windowsPathOf(const char* unixPath) {
    std::wstring path = widen(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

LRESULT send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

// A form publishes its controls' properties once it is asked (ui/window_props.h).
void observe(HWND hwnd) {
    HWND form = GetAncestor(hwnd, GA_ROOT);
    if (form && !GetPropW(form, brontal::ui::kObservedProp))
        send(form, RegisterWindowMessageW(brontal::ui::kObserveMessage));
}

std::string atomText(HWND hwnd, const wchar_t* prop) {
    observe(hwnd);
    HANDLE value = GetPropW(hwnd, prop);
    if (!value) return {};
    wchar_t buf[256];
    UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(value)), buf, 256);
    return narrow(std::wstring_view(buf, n));
}

// The enumerations' callback: a lambda lacks the system's calling convention here.
BOOL CALLBACK collect(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// The windows under parent, all levels; the top-level windows without one.
std::vector<HWND> windowsUnder(HWND parent = nullptr) {
    std::vector<HWND> found;
    if (parent) EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
    else EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

POINT centre(const Ui& control) {
    RECT r = control.screenRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT listItemPoint(const Ui& list, int index) {
    int top = static_cast<int>(send(list.hwnd(), LB_GETTOPINDEX));
    int height = static_cast<int>(send(list.hwnd(), LB_GETITEMHEIGHT, 0));
    if (top < 0 || height <= 0) throw std::runtime_error("list box does not answer");
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    if (index < top || index >= top + client.bottom / height) {
        // Scrolled into view the way the user would see it, without a click.
        send(list.hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(index));
        top = static_cast<int>(send(list.hwnd(), LB_GETTOPINDEX));
    }
    POINT p{8 + twipsToPixels(150), (index - top) * height + height / 2};
    ClientToScreen(list.hwnd(), &p);
    return p;
}

// Two clicks on one spot in quick succession make a double click: the next one waits that out.
POINT lastClick{-1000, -1000};
ULONGLONG lastClickTime = 0;

void clicksAt(POINT screen, int clicks) {
    bool nearby = std::abs(screen.x - lastClick.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                  std::abs(screen.y - lastClick.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    ULONGLONG since = GetTickCount64() - lastClickTime, window = GetDoubleClickTime() + 50;
    if (nearby && since < window) Sleep(static_cast<DWORD>(window - since));
    SetCursorPos(screen.x, screen.y);
    Sleep(30);
    for (int i = 0; i < clicks; ++i) {
        mouseButtons(MOUSEEVENTF_LEFTDOWN);
        Sleep(clicks > 1 ? 10 : 30);
        mouseButtons(MOUSEEVENTF_LEFTUP);
        Sleep(clicks > 1 ? 10 : 0);
    }
    lastClick = screen;
    lastClickTime = GetTickCount64();
    Sleep(30);
}

} // namespace

// UTF-8 never takes fewer bytes than UTF-16 takes units, nor more than three bytes a unit.
std::wstring widen(std::string_view utf8) {
    std::wstring out(utf8.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                                static_cast<int>(out.size()));
    return out.substr(0, static_cast<size_t>(n));
}

std::string narrow(std::wstring_view wide) {
    std::string out(wide.size() * 3, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                                static_cast<int>(out.size()), nullptr, nullptr);
    return out.substr(0, static_cast<size_t>(n));
}

bool waitUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    for (ULONGLONG end = GetTickCount64() + timeoutMs;; Sleep(25)) {
        if (cond()) return true;
        if (GetTickCount64() >= end) return false;
    }
}

int twipsToPixels(int twips) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, dpi > 0 ? dpi : 96, 1440);
}

std::string Ui::name() const { return atomText(hwnd_, brontal::ui::kNameProp); }
std::string Ui::tip() const { return atomText(hwnd_, brontal::ui::kTipProp); }
std::string Ui::picture() const { return atomText(hwnd_, brontal::ui::kPictureProp); }
std::uint32_t Ui::foreColor() const {
    observe(hwnd_);
    return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd_, brontal::ui::kForeColorProp)));
}

std::string Ui::text() const {
    std::wstring buf(static_cast<size_t>(std::max<LRESULT>(send(hwnd_, WM_GETTEXTLENGTH), 0)) + 1, L'\0');
    LRESULT got = send(hwnd_, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return narrow(std::wstring_view(buf.data(), static_cast<size_t>(std::max<LRESULT>(got, 0))));
}

POINT Ui::posInParent() const {
    POINT p = topLeft();
    if (HWND parent = GetParent(hwnd_); parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
        ScreenToClient(parent, &p);
    return p;
}

int Ui::count() const { return static_cast<int>(send(hwnd_, LB_GETCOUNT)); }

std::string Ui::item(int index) const {
    std::wstring buf(static_cast<size_t>(std::max<LRESULT>(send(hwnd_, LB_GETTEXTLEN, index), 0)) + 1, L'\0');
    LRESULT got = send(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    return narrow(std::wstring_view(buf.data(), static_cast<size_t>(std::max<LRESULT>(got, 0))));
}

int Ui::find(std::string_view text) const {
    std::wstring wanted = widen(text);
    for (int i = 0, n = count(); i < n; ++i)
        if (CompareStringOrdinal(widen(item(i)).c_str(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL) return i;
    return -1;
}

std::vector<std::string> Ui::items() const {
    std::vector<std::string> all;
    for (int i = 0, n = count(); i < n; ++i) all.push_back(item(i));
    return all;
}

void click(const Ui& control) { clicksAt(centre(control), 1); }
void clickListItem(const Ui& list, int index) { clicksAt(listItemPoint(list, index), 1); }
void doubleClickListItem(const Ui& list, int index) { clicksAt(listItemPoint(list, index), 2); }

void pressKeys(std::initializer_list<WORD> keys) {
    auto stroke = [](WORD key, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki = {key, static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), flags, 0, 0};
        SendInput(1, &in, sizeof in);
        Sleep(25);
    };
    for (WORD key : keys) stroke(key, 0);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) stroke(*it, KEYEVENTF_KEYUP);
}

void mouseButtons(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void drag(POINT from, int dx, int dy, DWORD down, DWORD up) {
    // The pauses pace the hand: each step is a move of its own.
    SetCursorPos(from.x, from.y);
    Sleep(30);
    mouseButtons(down);
    for (int i = 1; i <= 8; ++i) {
        Sleep(30);
        SetCursorPos(from.x + dx * i / 8, from.y + dy * i / 8);
    }
    Sleep(30);
    mouseButtons(up);
}

std::vector<std::string> runningPrograms() {
    std::vector<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        names.push_back(narrow(CharLowerW(entry.szExeFile)));
    CloseHandle(snapshot);
    return names;
}

// The program under test may hold the clipboard for a moment.
bool openClipboard() {
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(50))
        if (OpenClipboard(nullptr)) return true;
    return false;
}

std::optional<std::string> clipboardText() {
    if (!openClipboard()) return std::nullopt;
    std::optional<std::string> text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
        text = narrow(chars);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool setClipboardText(const std::wstring& text) {
    if (!openClipboard()) return false;
    EmptyClipboard();
    bool ok = false;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (void* p = mem ? GlobalLock(mem) : nullptr) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(p));
        GlobalUnlock(mem);
        ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    }
    if (mem && !ok) GlobalFree(mem);
    CloseClipboard();
    return ok;
}

bool registryKeyExists(HKEY root, const std::wstring& subkey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

Product::Product(Options options) {
    if (!options.driveCFolder.empty()) SetEnvironmentVariableW(L"=C:", options.driveCFolder.c_str());
    std::wstring commandLine = L"\"" + options.exe + L"\"";
    if (!options.arguments.empty()) commandLine += L" " + options.arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!options.arguments.empty()) startup.dwFlags = STARTF_USESTDHANDLES;   // all three null
    if (!CreateProcessW(options.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        options.currentDirectory.empty() ? nullptr : options.currentDirectory.c_str(), &startup,
                        &process_))
        throw std::runtime_error("cannot start " + narrow(options.exe) + ": error " + std::to_string(GetLastError()));
    WaitForInputIdle(process_.hProcess, 15000);
    if (!options.waitForMain) return;
    main_ = waitForForm("Form1", 20000);
    if (!main_) {
        terminate();
        throw std::runtime_error("the main window did not appear");
    }
}

std::optional<DWORD> Product::waitForExit(DWORD timeoutMs) const {
    DWORD code = 0;
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.hProcess, &code))
        return std::nullopt;
    return code;
}

void Product::terminate() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
}

std::vector<HWND> Product::topLevelWindows() const {
    std::vector<HWND> own;
    for (HWND w : windowsUnder()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == process_.dwProcessId) own.push_back(w);
    }
    return own;
}

Ui Product::form(std::string_view formName, bool shownOnly) const {
    for (HWND w : topLevelWindows())
        if ((!shownOnly || IsWindowVisible(w)) && Ui(w).name() == formName) return Ui(w);
    return {};
}

unsigned Product::finished(const wchar_t* countProp) const {
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetPropW(main_.hwnd(), countProp)));
}

Ui Product::waitForForm(std::string_view formName, DWORD timeoutMs) const {
    Ui found;
    waitUntil([&] { return (found = form(formName)) || !running(); }, timeoutMs);
    return found;
}

Ui Ui::operator[](std::string_view controlName) const {
    for (HWND w : windowsUnder(hwnd_))
        if (Ui(w).name() == controlName) return Ui(w);
    throw std::runtime_error("no control " + std::string(controlName) + " in " + name());
}

std::vector<Ui> Product::messageBoxes() const {
    std::vector<Ui> boxes;
    wchar_t kind[16];
    for (HWND w : topLevelWindows())
        if (IsWindowVisible(w) && GetClassNameW(w, kind, 16) && std::wstring_view(kind) == L"#32770")
            boxes.emplace_back(w);
    return boxes;
}

std::wstring productExe() {
    // Another copy of the program, such as the one unpacked from the release zip.
    wchar_t other[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"BRONTAL_E2E_PRODUCT", other, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return other;
    return windowsPathOf(BRONTAL_E2E_EXE);
}
std::wstring checkedProductExe() { return windowsPathOf(BRONTAL_E2E_CHECKED_EXE); }
std::wstring fixturesDir() { return windowsPathOf(BRONTAL_E2E_FIXTURES); }

bool copyFile(const std::wstring& from, const std::wstring& to) {
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool makeFolders(const std::wstring& folder) {
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace e2e
