#pragma once
// Forms and controls say what they are through window properties, so that
// assistive tools and the test driver in another process can find a control by
// its name and read what it shows: its name, colours, tooltip and picture.
#include <windows.h>

#include <string_view>

#include "ui/units.h"

namespace brontal::ui {

inline constexpr wchar_t kNameProp[] = L"Brontal.Name";
inline constexpr wchar_t kForeColorProp[] = L"Brontal.ForeColor";
inline constexpr wchar_t kBackColorProp[] = L"Brontal.BackColor";
inline constexpr wchar_t kTipProp[] = L"Brontal.Tip";
inline constexpr wchar_t kPictureProp[] = L"Brontal.Picture";

void publishName(HWND hwnd, std::string_view name);
void publishText(HWND hwnd, const wchar_t* prop, std::string_view text); // as a global atom
void publishColor(HWND hwnd, const wchar_t* prop, OleColor color);
void unpublishAll(HWND hwnd);

} // namespace brontal::ui
