#pragma once
// What the form windows and the surface controls share at the Windows edge:
// how their window classes are registered, and how a mouse message becomes a
// MouseEvent.
#include <windows.h>

#include "ui/control.h"

namespace brontal::ui {

// Double clicks, the arrow cursor, no background brush (both paint their own
// surface). True when the class is there to be used.
bool registerWindowClass(const wchar_t* className, WNDPROC proc);

// Twips relative to the window. A press or a release names the button it is
// about (1 left, 2 right, 4 middle); any other message names the buttons held.
MouseEvent mouseEvent(UINT msg, WPARAM wp, LPARAM lp);

} // namespace brontal::ui
