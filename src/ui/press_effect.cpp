#include "ui/press_effect.h"

#include <cstdlib>
#include <string>

#include "ui/form.h"

namespace brontal::ui {

void pressDown(Form& form, Control& control, std::string_view topLabel, std::string_view leftLabel) {
    form[topLabel].setText(std::to_string(control.top()));
    form[leftLabel].setText(std::to_string(control.left()));
    control.setTop(control.top() + 15);
    control.setLeft(control.left() + 15);
}

void release(Form& form, Control& control, std::string_view topLabel, std::string_view leftLabel) {
    control.setTop(std::atoi(form[topLabel].text().c_str()));
    control.setLeft(std::atoi(form[leftLabel].text().c_str()));
}

} // namespace brontal::ui
