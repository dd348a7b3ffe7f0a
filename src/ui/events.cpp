#include "ui/events.h"

#include <memory>

#include "ui/form.h"

namespace brontal::ui {
namespace {

constexpr UINT kRunLater = WM_APP + 1;

LRESULT CALLBACK laterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRunLater) {
        std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lp));
        try {
            if (fn && *fn) (*fn)();
        } catch (...) {
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

// Key preview, Enter on lists and buttons, then the dialog keys (Tab).
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
            }
            if (isPushButton(msg.hwnd)) {
                SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
                return true;
            }
        }
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

} // namespace

void dispatchMessage(MSG& msg) {
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
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) dispatchMessage(msg);
    return static_cast<int>(msg.wParam);
}

void runLater(std::function<void()> fn) {
    auto* heap = new std::function<void()>(std::move(fn));
    if (!PostMessageW(laterWindow(), kRunLater, 0, reinterpret_cast<LPARAM>(heap))) delete heap;
}

} // namespace brontal::ui
