#pragma once
// btnReg and btnUnreg: check the selection, record the request, confirm it.
#include "registration/registration_command.h"

namespace brontal {
class MainPanel;
}

namespace brontal::registration {

void requestRegistration(MainPanel& main, RegMode mode);

} // namespace brontal::registration
