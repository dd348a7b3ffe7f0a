#pragma once
// The press effect of image buttons and link labels: pressed, a control moves
// 15 twips right and down; released, it goes back to the place that two
// storage labels of its form kept, as text.

namespace brontal::ui {

class Control;

void pressDown(Control& control, Control& topLabel, Control& leftLabel);
void release(Control& control);

} // namespace brontal::ui
