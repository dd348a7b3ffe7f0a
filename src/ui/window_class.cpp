#include "ui/window_class.h"

#include <windowsx.h>

namespace brontal::ui {

bool registerWindowClass(const wchar_t* className, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

MouseEvent mouseEvent(UINT msg, WPARAM wp, LPARAM lp) {
    MouseEvent e;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        e.button = 1;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        e.button = 2;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        e.button = 4;
        break;
    default:
        if (wp & MK_LBUTTON) e.button |= 1;
        if (wp & MK_RBUTTON) e.button |= 2;
        if (wp & MK_MBUTTON) e.button |= 4;
        break;
    }
    e.x = pixelsToTwips(GET_X_LPARAM(lp));
    e.y = pixelsToTwips(GET_Y_LPARAM(lp));
    return e;
}

} // namespace brontal::ui
