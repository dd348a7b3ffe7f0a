#pragma once
// btnReg and btnUnreg: check the selection, record the request, confirm it.
#include "registration/registration_command.h"

namespace brontal {
class MainWindow;
}

namespace brontal::registration {

void requestRegistration(MainWindow& main, RegMode mode);

} // namespace brontal::registration
