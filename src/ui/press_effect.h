#pragma once
// The press effect of image buttons and link labels: pressed, a control moves
// 15 twips right and down; released, it goes back to the place that two
// storage labels of its form kept, as text.
#include <string_view>

namespace brontal::ui {

class Control;
class Form;

void pressDown(Form& form, Control& control, std::string_view topLabel, std::string_view leftLabel);
void release(Form& form, Control& control, std::string_view topLabel, std::string_view leftLabel);

} // namespace brontal::ui
