#include "ui/press_effect.h"

#include <cstdlib>
#include <string>

#include "ui/form.h"

namespace brontal::ui {

void pressDown(Form& form, Control& control, std::string_view topLabel, std::string_view leftLabel) {
    // Already down (another button pressed before this one's release): the
    // place kept is the right one, keep it.
    if (control.lowered()) return;
    Control& top = form[topLabel];
    Control& left = form[leftLabel];
    top.setText(std::to_string(control.top()));
    left.setText(std::to_string(control.left()));
    control.lower([&control, &top, &left] {
        control.setTop(std::atoi(top.text().c_str()));
        control.setLeft(std::atoi(left.text().c_str()));
    });
    control.setTop(control.top() + 15);
    control.setLeft(control.left() + 15);
}

void release(Form&, Control& control, std::string_view, std::string_view) {
    // Only a control that went down comes back up; the labels may hold
    // another control's place, or nothing.
    control.raise();
}

} // namespace brontal::ui
