#include "accessibility.h"

#include <oleacc.h>

namespace e2e {
namespace {

BOOL CALLBACK collect(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

std::optional<Heard> hear(HWND hwnd) {
    static const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    (void)com;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))) ||
        !object)
        return std::nullopt;
    Heard heard;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name) {
        heard.name = narrow(name);
        SysFreeString(name);
    }
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(object->get_accRole(self, &v)) && v.vt == VT_I4) heard.role = v.lVal;
    VariantClear(&v);
    if (SUCCEEDED(object->get_accState(self, &v)) && v.vt == VT_I4) heard.state = v.lVal;
    VariantClear(&v);
    object->Release();
    return heard;
}

std::vector<Ui> tabStops(const Ui& form, bool hiddenToo) {
    std::vector<Ui> stops;
    for (HWND w : children(form.hwnd())) {
        LONG style = GetWindowLongW(w, GWL_STYLE);
        if ((style & WS_TABSTOP) && (hiddenToo || (style & WS_VISIBLE))) stops.emplace_back(w);
    }
    return stops;
}

std::vector<Ui> visibleOutsideParent(const Ui& form) {
    std::vector<Ui> outside;
    for (HWND w : children(form.hwnd())) {
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) continue;
        HWND parent = GetParent(w);
        RECT client{}, mine{}, overlap;
        GetClientRect(parent, &client);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        GetWindowRect(w, &mine);
        if (!IntersectRect(&overlap, &client, &mine)) outside.emplace_back(w);
    }
    return outside;
}

} // namespace e2e
