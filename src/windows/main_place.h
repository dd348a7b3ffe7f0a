#pragma once
// What the About and Help windows have in common: while open they stand where
// the main window stood and the main window is hidden; closing them gives the
// main window their place. They are dragged by their surface and keep one size.
#include <memory>

#include "ui/form.h"

namespace brontal::windows {

// Outer size of the windows that take the main window's place (10 twips lower
// than the main window itself).
inline constexpr int kPlaceWidth = 5655;
inline constexpr int kPlaceHeight = 5660;

// Hides the main window, gives form the main window's top and left, shows it
// modeless and keeps it in slot. When form closes, the main window moves to
// form's top and left and shows again, and slot lets go of form.
void showInMainPlace(ui::Form& main, std::unique_ptr<ui::Form>& slot, std::unique_ptr<ui::Form> form);

// A left-button press on the surface anchors the pointer; moving with exactly
// the left button held shifts the window by as much as the pointer moved.
void dragBySurface(ui::Form& form);

// Unless the window is minimised, its outer size snaps back to width x height.
void holdSize(ui::Form& form, int width, int height);

} // namespace brontal::windows
