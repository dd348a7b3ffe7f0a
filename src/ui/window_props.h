#pragma once
// Forms and controls say what they are through window properties, so that
// assistive tools and the test driver in another process can find a control by
// its name and read what it shows: its name, text colour, tooltip and picture.
//
// Each property is a trip to the window server, several hundred for a form of
// a hundred controls, and under Wine those trips were a good part of the
// start-up. So a form publishes its own name always, and its controls'
// properties once an observer asks for them: kObserveMessage sent to the form
// publishes them all before it returns, and the form keeps them current from
// then on. kObservedProp on the form says it has been asked.
#include <windows.h>

#include <string_view>

#include "ui/units.h"

namespace brontal::ui {

inline constexpr wchar_t kNameProp[] = L"Brontal.Name";
inline constexpr wchar_t kForeColorProp[] = L"Brontal.ForeColor";
inline constexpr wchar_t kTipProp[] = L"Brontal.Tip";
inline constexpr wchar_t kPictureProp[] = L"Brontal.Picture";
inline constexpr wchar_t kObservedProp[] = L"Brontal.Observed";
inline constexpr wchar_t kObserveMessage[] = L"Brontal.Observe";   // a registered window message
// How many of an operation a form has finished: a count that only grows, so
// an observer can wait for the end of what it started, however short.
inline constexpr wchar_t kVerificationsDoneProp[] = L"Brontal.VerificationsDone";
inline constexpr wchar_t kSearchesDoneProp[] = L"Brontal.SearchesDone";
inline constexpr wchar_t kRegistrationsDoneProp[] = L"Brontal.RegistrationsDone";

void publishName(HWND hwnd, std::string_view name);
void publishText(HWND hwnd, const wchar_t* prop, std::string_view text); // as a global atom
void publishColor(HWND hwnd, const wchar_t* prop, OleColor color);
void publishCount(HWND hwnd, const wchar_t* prop, unsigned count);
void unpublishAll(HWND hwnd);
UINT observeMessage();

} // namespace brontal::ui
