#include "driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <stdexcept>

#include <tlhelp32.h>

#include "file_fixtures.h"
#include "ui/window_props.h"

#ifndef BRONTAL_E2E_EXE
#error BRONTAL_E2E_EXE is given by the build
#endif
#ifndef BRONTAL_E2E_FIXTURES
#error BRONTAL_E2E_FIXTURES is given by the build
#endif

namespace e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

// The build knows its paths as Unix paths; under Wine they are on drive Z:.
std::wstring windowsPathOf(const char* unixPath) {
    std::wstring path = widen(unixPath);
    if (path.size() > 1 && path[1] == L':') return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

LRESULT send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return -1;
    return static_cast<LRESULT>(result);
}

std::string atomText(HWND hwnd, const wchar_t* prop) {
    HANDLE value = GetPropW(hwnd, prop);
    if (!value) return {};
    wchar_t buf[256];
    UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(value)), buf, 256);
    return narrow(std::wstring_view(buf, n));
}

// Callbacks of the enumerations: the system calls them with its own calling
// convention, which a lambda does not have on this platform.
struct PropSeek {
    const wchar_t* name;
    bool found;
    std::uint32_t value;
    static BOOL CALLBACK visit(HWND, LPWSTR name, HANDLE data, ULONG_PTR param) {
        auto* s = reinterpret_cast<PropSeek*>(param);
        if (IS_INTRESOURCE(name) || lstrcmpW(name, s->name) != 0) return TRUE;
        s->found = true;
        s->value = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(data));
        return FALSE;
    }
};

std::string atomText(HWND hwnd, const wchar_t* prop);

struct WindowSeek {
    DWORD pid;
    std::vector<HWND> found;
    static BOOL CALLBACK visit(HWND hwnd, LPARAM param) {
        auto* s = reinterpret_cast<WindowSeek*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid) s->found.push_back(hwnd);
        return TRUE;
    }
};

struct NameSeek {
    std::wstring name;
    HWND found;
    static BOOL CALLBACK visit(HWND hwnd, LPARAM param) {
        auto* s = reinterpret_cast<NameSeek*>(param);
        HANDLE atom = GetPropW(hwnd, brontal::ui::kNameProp);
        if (!atom) return TRUE;
        wchar_t buf[256];
        UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(atom)), buf, 256);
        if (std::wstring_view(buf, n) == s->name) {
            s->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }
};

std::wstring className(HWND hwnd);

BOOL CALLBACK collectStatic(HWND hwnd, LPARAM param) {
    if (className(hwnd) == L"Static" && (GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

std::optional<std::uint32_t> colorProp(HWND hwnd, const wchar_t* prop) {
    // A colour of 0 (black) is stored as a null handle: tell it from "none"
    // by the property's presence in the window's list.
    PropSeek seek{prop, false, 0};
    EnumPropsExW(hwnd, &PropSeek::visit, reinterpret_cast<LPARAM>(&seek));
    if (!seek.found) {
        HANDLE value = GetPropW(hwnd, prop);
        if (value) return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(value));
        return std::nullopt;
    }
    return seek.value;
}

void sendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

std::wstring lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

std::wstring className(HWND hwnd) {
    wchar_t buf[64];
    int n = GetClassNameW(hwnd, buf, 64);
    return std::wstring(buf, n > 0 ? n : 0);
}

POINT listItemPoint(const Ui& list, int index) {
    int top = static_cast<int>(send(list.hwnd(), LB_GETTOPINDEX));
    int height = static_cast<int>(send(list.hwnd(), LB_GETITEMHEIGHT, 0));
    if (top < 0 || height <= 0) throw std::runtime_error("list box does not answer");
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    int rows = client.bottom / height;
    if (index < top || index >= top + rows) {
        // Scrolled into view the way the user would see it, without a click.
        send(list.hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(index));
        top = static_cast<int>(send(list.hwnd(), LB_GETTOPINDEX));
    }
    POINT p{8 + twipsToPixels(150), (index - top) * height + height / 2};
    ClientToScreen(list.hwnd(), &p);
    return p;
}

} // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool waitUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (cond()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(25);
    }
}

void pause(DWORD ms) { Sleep(ms); }

void holdForLook(const char* moment) {
    const char* ms = std::getenv("BRONTAL_E2E_HOLD_MS");
    if (!ms || std::atoi(ms) <= 0) return;
    std::fprintf(stderr, "holding at: %s\n", moment);
    std::fflush(stderr);
    // A marker for whoever waits outside: the moment has come.
    if (const char* mark = std::getenv("BRONTAL_E2E_HOLD_MARK")) {
        if (FILE* f = std::fopen(mark, "w")) {
            std::fputs(moment, f);
            std::fclose(f);
        }
    }
    Sleep(static_cast<DWORD>(std::atoi(ms)));
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int twipsToPixels(int twips) { return MulDiv(twips, screenDpi(), 1440); }

COLORREF resolveColor(std::uint32_t oleColor) {
    if (oleColor & 0x80000000u) return GetSysColor(static_cast<int>(oleColor & 0xFFu));
    return oleColor & 0x00FFFFFFu;
}

std::string Ui::name() const { return atomText(hwnd_, brontal::ui::kNameProp); }
std::string Ui::tip() const { return atomText(hwnd_, brontal::ui::kTipProp); }
std::string Ui::picture() const { return atomText(hwnd_, brontal::ui::kPictureProp); }
std::optional<std::uint32_t> Ui::foreColor() const { return colorProp(hwnd_, brontal::ui::kForeColorProp); }
std::optional<std::uint32_t> Ui::backColor() const { return colorProp(hwnd_, brontal::ui::kBackColorProp); }

std::string Ui::text() const {
    LRESULT n = send(hwnd_, WM_GETTEXTLENGTH);
    if (n <= 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    LRESULT got = send(hwnd_, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(got > 0 ? got : 0));
    return narrow(buf);
}

bool Ui::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
bool Ui::visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT Ui::screenRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
}

POINT Ui::posInParent() const {
    RECT r = screenRect();
    POINT p{r.left, r.top};
    if (HWND parent = GetParent(hwnd_); parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
        ScreenToClient(parent, &p);
    return p;
}

SIZE Ui::size() const {
    RECT r = screenRect();
    return {r.right - r.left, r.bottom - r.top};
}

int Ui::count() const { return static_cast<int>(send(hwnd_, LB_GETCOUNT)); }

std::string Ui::item(int index) const {
    LRESULT n = send(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (n < 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    LRESULT got = send(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(got > 0 ? got : 0));
    return narrow(buf);
}

int Ui::selectedIndex() const { return static_cast<int>(send(hwnd_, LB_GETCURSEL)); }

int Ui::find(std::string_view text) const {
    std::wstring wanted = lower(widen(text));
    for (int i = 0, n = count(); i < n; ++i)
        if (lower(widen(item(i))) == wanted) return i;
    return -1;
}

std::vector<std::string> Ui::items() const {
    std::vector<std::string> all;
    for (int i = 0, n = count(); i < n; ++i) all.push_back(item(i));
    return all;
}

namespace {

// Two single clicks on the same spot in quick succession are a double click
// to Windows: the second waits until it can no longer count as one.
POINT lastClick{-1000, -1000};
ULONGLONG lastClickTime = 0;

void separateFromLastClick(POINT screen) {
    bool nearby = std::abs(screen.x - lastClick.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                std::abs(screen.y - lastClick.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    ULONGLONG since = GetTickCount64() - lastClickTime;
    ULONGLONG window = GetDoubleClickTime() + 50;
    if (nearby && since < window) Sleep(static_cast<DWORD>(window - since));
}

void noteClick(POINT screen) {
    lastClick = screen;
    lastClickTime = GetTickCount64();
}

} // namespace

void clickAt(POINT screen) {
    separateFromLastClick(screen);
    SetCursorPos(screen.x, screen.y);
    Sleep(30);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(30);
    sendMouse(MOUSEEVENTF_LEFTUP);
    noteClick(screen);
    Sleep(30);
}

void click(const Ui& control) {
    RECT r = control.screenRect();
    clickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void doubleClickAt(POINT p) {
    separateFromLastClick(p);
    SetCursorPos(p.x, p.y);
    Sleep(30);
    for (int i = 0; i < 2; ++i) {
        sendMouse(MOUSEEVENTF_LEFTDOWN);
        Sleep(10);
        sendMouse(MOUSEEVENTF_LEFTUP);
        Sleep(10);
    }
    noteClick(p);
    Sleep(30);
}

void doubleClick(const Ui& control) {
    RECT r = control.screenRect();
    doubleClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void clickListItem(const Ui& list, int index) { clickAt(listItemPoint(list, index)); }

void doubleClickListItem(const Ui& list, int index) { doubleClickAt(listItemPoint(list, index)); }

void pressKey(WORD virtualKey) {
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = virtualKey;
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    }
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &in[0], sizeof(INPUT));
    Sleep(20);
    SendInput(1, &in[1], sizeof(INPUT));
    Sleep(30);
}

void pressAltKey(WORD virtualKey) {
    INPUT in[4]{};
    WORD keys[4] = {VK_MENU, virtualKey, virtualKey, VK_MENU};
    for (int k = 0; k < 4; ++k) {
        in[k].type = INPUT_KEYBOARD;
        in[k].ki.wVk = keys[k];
        in[k].ki.wScan = static_cast<WORD>(MapVirtualKeyW(keys[k], MAPVK_VK_TO_VSC));
        if (k >= 2) in[k].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    for (INPUT& i : in) {
        SendInput(1, &i, sizeof(INPUT));
        Sleep(20);
    }
}

void mouseButtons(DWORD flags) { sendMouse(flags); }

void drag(POINT from, int dx, int dy, DWORD down, DWORD up) {
    // The pauses pace the hand: each step is a move of its own.
    SetCursorPos(from.x, from.y);
    Sleep(30);
    sendMouse(down);
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        Sleep(30);
        SetCursorPos(from.x + dx * i / kSteps, from.y + dy * i / kSteps);
    }
    Sleep(30);
    sendMouse(up);
}

std::vector<std::string> runningPrograms() {
    std::vector<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        std::wstring name = entry.szExeFile;
        for (wchar_t& ch : name) ch = static_cast<wchar_t>(std::towlower(ch));
        names.push_back(narrow(name));
    }
    CloseHandle(snapshot);
    return names;
}

void bringToFront(HWND window) {
    SetForegroundWindow(window);
    Sleep(50);
}

std::optional<std::string> clipboardText() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(nullptr)) {
            std::optional<std::string> text;
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                    text = narrow(chars);
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
            return text;
        }
        Sleep(50);
    }
    return std::nullopt;
}

bool setClipboardText(const std::wstring& text) {
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(50)) {
        if (!OpenClipboard(nullptr)) continue;
        EmptyClipboard();
        bool ok = false;
        if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
            if (void* p = GlobalLock(mem)) {
                std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(p));
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

bool showsColor(const Ui& window, COLORREF color) {
    RECT r = window.screenRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool found = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* px = static_cast<const std::uint32_t*>(bits);
        std::uint32_t wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < w * h && !found; ++i) found = (px[i] & 0x00FFFFFFu) == wanted;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return found;
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
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(options.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        options.currentDirectory.empty() ? nullptr : options.currentDirectory.c_str(), &startup,
                        &process_))
        throw std::runtime_error("cannot start " + narrow(options.exe) + ": error " + std::to_string(GetLastError()));
    WaitForInputIdle(process_.hProcess, 15000);
    main_ = waitForForm("Form1", 20000);
    if (!main_) {
        terminate();
        throw std::runtime_error("the main window did not appear");
    }
}

Product::~Product() { terminate(); }

bool Product::running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Product::waitForExit(DWORD timeoutMs) const {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.hProcess, &code)) return std::nullopt;
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
    WindowSeek seek{process_.dwProcessId, {}};
    EnumWindows(&WindowSeek::visit, reinterpret_cast<LPARAM>(&seek));
    return seek.found;
}

Ui Product::form(std::string_view formName) const {
    for (HWND w : topLevelWindows())
        if (IsWindowVisible(w) && Ui(w).name() == formName) return Ui(w);
    return {};
}

unsigned Product::finished(const wchar_t* countProp) const {
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetPropW(main_.hwnd(), countProp)));
}

bool Product::loaded(std::string_view formName) const {
    for (HWND w : topLevelWindows())
        if (Ui(w).name() == formName) return true;
    return false;
}

Ui Product::waitForForm(std::string_view formName, DWORD timeoutMs) const {
    Ui found;
    waitUntil([&] { return (found = form(formName)) || !running(); }, timeoutMs);
    return found;
}

Ui Product::control(const Ui& form, std::string_view controlName) {
    NameSeek seek{widen(controlName), nullptr};
    EnumChildWindows(form.hwnd(), &NameSeek::visit, reinterpret_cast<LPARAM>(&seek));
    if (!seek.found) throw std::runtime_error("no control " + std::string(controlName) + " in " + form.name());
    return Ui(seek.found);
}

std::vector<Ui> Product::messageBoxes() const {
    std::vector<Ui> boxes;
    for (HWND w : topLevelWindows())
        if (IsWindowVisible(w) && className(w) == L"#32770") boxes.emplace_back(w);
    return boxes;
}

Ui Product::waitForMessageBox(DWORD timeoutMs) const {
    Ui found;
    waitUntil(
        [&] {
            auto boxes = messageBoxes();
            if (!boxes.empty()) found = boxes.front();
            return bool(found) || !running();
        },
        timeoutMs);
    return found;
}

std::string Product::messageBoxText(const Ui& box) {
    std::vector<HWND> statics;
    EnumChildWindows(box.hwnd(), &collectStatic, reinterpret_cast<LPARAM>(&statics));
    std::string text;
    for (HWND s : statics) {
        std::string part = Ui(s).text();
        if (part.empty()) continue;
        if (!text.empty()) text += "\n";
        text += part;
    }
    return text;
}

void Product::pressOk(const Ui& box) {
    HWND ok = GetDlgItem(box.hwnd(), IDOK);
    PostMessageW(box.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

std::wstring productExe() {
    // BRONTAL_E2E_PRODUCT points the driver at another copy of the program,
    // for example the one unpacked from the release zip.
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

bool makeFolders(const std::wstring& folder) { return fixtures::makeFolders(folder); }

} // namespace e2e
