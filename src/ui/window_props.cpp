#include "ui/window_props.h"

#include "platform/text.h"

namespace brontal::ui {
namespace {

void dropAtom(HWND hwnd, const wchar_t* prop) {
    HANDLE old = RemovePropW(hwnd, prop);
    if (old) GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(old)));
}

} // namespace

void publishText(HWND hwnd, const wchar_t* prop, std::string_view text) {
    if (!hwnd) return;
    dropAtom(hwnd, prop);
    std::wstring wide = widen(text);
    if (wide.empty()) return;
    if (wide.size() > 255) wide.resize(255); // the most an atom holds
    if (ATOM atom = GlobalAddAtomW(wide.c_str()))
        SetPropW(hwnd, prop, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void publishName(HWND hwnd, std::string_view name) { publishText(hwnd, kNameProp, name); }

void publishColor(HWND hwnd, const wchar_t* prop, OleColor color) {
    if (hwnd) SetPropW(hwnd, prop, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(color)));
}

void publishCount(HWND hwnd, const wchar_t* prop, unsigned count) {
    if (hwnd) SetPropW(hwnd, prop, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(count)));
}

void unpublishAll(HWND hwnd) {
    for (const wchar_t* count : {kVerificationsDoneProp, kSearchesDoneProp, kRegistrationsDoneProp})
        RemovePropW(hwnd, count);
    dropAtom(hwnd, kNameProp);
    dropAtom(hwnd, kTipProp);
    dropAtom(hwnd, kPictureProp);
    RemovePropW(hwnd, kForeColorProp);
    RemovePropW(hwnd, kObservedProp);
}

UINT observeMessage() {
    static const UINT message = RegisterWindowMessageW(kObserveMessage);
    return message;
}

} // namespace brontal::ui
