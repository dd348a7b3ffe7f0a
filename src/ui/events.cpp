#include "ui/events.h"

#include <exception>
#include <string>
#include <vector>

#include "platform/text.h"
#include "ui/form.h"

namespace brontal::ui {
namespace {

constexpr UINT kRunLater = WM_APP + 1;

int dispatchDepth = 0;
std::vector<std::unique_ptr<Form>>& released() {
    static std::vector<std::unique_ptr<Form>> forms;
    return forms;
}

struct DispatchScope {
    DispatchScope() { ++dispatchDepth; }
    ~DispatchScope() { --dispatchDepth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

LRESULT CALLBACK laterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRunLater) {
        std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lp));
        try {
            if (fn && *fn) (*fn)();
        } catch (...) {
            reportFailure("a deferred call");
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND laterWindow() {
    static const HWND window = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = laterProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrontalLater";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    }();
    return window;
}

bool isPushButton(HWND hwnd) {
    wchar_t cls[16];
    if (!GetClassNameW(hwnd, cls, 16) || lstrcmpiW(cls, L"Button") != 0) return false;
    LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// Tab and Shift+Tab in the order the form made its controls. The system's
// dialog keys would follow the windows' stacking order, in which the labels
// and pictures drawn on the form lie under every box and button.
bool tabKey(Form& form, HWND root, const MSG& msg) {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    HWND focus = GetFocus();
    if (focus && focus != root) {
        MSG copy = msg;
        LRESULT wants = SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
        if (wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
    }
    Control* next = form.nextTabStop(focus, GetKeyState(VK_SHIFT) < 0);
    if (!next) return false;
    SetFocus(next->hwnd());
    // As a dialog does: a box reached by Tab has its text selected.
    if (SendMessageW(next->hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(next->hwnd(), EM_SETSEL, 0, -1);
    return true;
}

// Key preview, Enter on lists and buttons, Tab, then the other dialog keys.
bool preTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    Form* form = Form::fromHwnd(root);
    if (!form) return false;
    if (msg.message == WM_KEYDOWN) {
        if (form->keyPreview() && form->onKeyDown && form->onKeyDown(static_cast<int>(msg.wParam)))
            return true;
        if (!form->isOpen()) return true;
        if (msg.wParam == VK_RETURN) {
            if (Control* c = form->controlByHwnd(msg.hwnd)) {
                if (c->onKeyPress && c->onKeyPress(13)) return true;
                // A picture or label acting as a button presses on the key
                // and clicks on its release, as on the mouse's.
                if (c->actsAsButton()) return false;
            }
            if (isPushButton(msg.hwnd)) {
                SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
                return true;
            }
        }
        if (msg.wParam == VK_TAB && tabKey(*form, root, msg)) return true;
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

} // namespace

void dispatchMessage(MSG& msg) {
    DispatchScope scope;
    if (preTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void processPendingEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatchMessage(msg);
    }
}

int runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        dispatchMessage(msg);
        if (dispatchDepth == 0) releaseIdleForms();
    }
    releaseIdleForms();
    return static_cast<int>(msg.wParam);
}

void runLater(std::function<void()> fn) {
    auto* heap = new std::function<void()>(std::move(fn));
    if (!PostMessageW(laterWindow(), kRunLater, 0, reinterpret_cast<LPARAM>(heap))) {
        delete heap;
        OutputDebugStringW(L"Brontal32: a deferred call could not be posted\n");
    }
}

namespace {

std::vector<std::function<void()>>& idleWork() {
    static std::vector<std::function<void()>> work;
    return work;
}

void CALLBACK idleTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::vector<std::function<void()>> work;
    work.swap(idleWork());
    for (auto& fn : work) {
        try {
            fn();
        } catch (...) {
            reportFailure("work put off until idle");
        }
    }
}

} // namespace

void whenIdle(std::function<void()> fn) {
    idleWork().push_back(std::move(fn));
    if (idleWork().size() == 1 && !SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &idleTick)) {
        OutputDebugStringW(L"Brontal32: no timer for the work put off until idle; it runs now\n");
        idleTick(nullptr, 0, 0, 0);
    }
}

Poster crossThreadPoster() {
    HWND window = laterWindow();
    return [window](std::function<void()> fn) {
        auto* heap = new std::function<void()>(std::move(fn));
        if (!PostMessageW(window, kRunLater, 0, reinterpret_cast<LPARAM>(heap))) {
            delete heap;
            OutputDebugStringW(L"Brontal32: work of another thread could not be posted\n");
        }
    };
}

void releaseWhenIdle(std::unique_ptr<Form> form) {
    if (!form) return;
    form->close();
    released().push_back(std::move(form));
    // Wake the outermost loop, which may be waiting for input.
    PostMessageW(laterWindow(), WM_NULL, 0, 0);
}

void releaseIdleForms() {
    // A destructor may release further forms: take them in turns.
    while (!released().empty()) {
        std::vector<std::unique_ptr<Form>> batch;
        batch.swap(released());
        batch.clear();
    }
}

bool handlingMessage() { return dispatchDepth > 0; }

void reportFailure(std::string_view where) {
    std::string what = "unknown error";
    try {
        throw;
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    std::wstring line = L"Brontal32: " + widen(where) + L" failed: " + widen(what) + L"\n";
    OutputDebugStringW(line.c_str());
}

} // namespace brontal::ui
