#include "ui/press_effect.h"

#include <cstdlib>
#include <string>

#include "ui/control.h"

namespace brontal::ui {

void pressDown(Control& control, Control& topLabel, Control& leftLabel) {
    // Already down (another button pressed before this one's release): the
    // place kept is the right one, keep it.
    if (control.lowered()) return;
    topLabel.setText(std::to_string(control.top()));
    leftLabel.setText(std::to_string(control.left()));
    control.lower([&control, &topLabel, &leftLabel] {
        control.setTop(std::atoi(topLabel.text().c_str()));
        control.setLeft(std::atoi(leftLabel.text().c_str()));
    });
    control.setTop(control.top() + 15);
    control.setLeft(control.left() + 15);
}

void release(Control& control) {
    // Only a control that went down comes back up; the storage labels may
    // hold another control's place, or nothing.
    control.raise();
}

} // namespace brontal::ui
