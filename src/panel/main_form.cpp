#include "panel/main_form.h"

namespace brontal {
namespace {

ui::FormArgs mainFormArgs() {
    ui::FormArgs a;
    a.name = "Form1";
    a.width = MainForm::kWidth;
    a.height = MainForm::kHeight;
    a.maximizeBox = true; // the load steps take it away again
    return a;
}

} // namespace

MainForm::MainForm() : ui::Form(mainFormArgs()) {}

} // namespace brontal
