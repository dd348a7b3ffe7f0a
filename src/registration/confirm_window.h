#pragma once
// Form6: asks whether the selected file is really to be (un)registered. "Sim"
// hands the request to ExecuteRegistration; "Não", the hidden focus holder
// btnFoco and the close box end it with nothing done.
#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::registration {

class ConfirmWindow : public ui::Form {
public:
    // Creating it runs the load steps: position, icon, question and file name.
    explicit ConfirmWindow(MainWindow& main);

private:
    void createControls();
    void wireEvents();
    void decline();

    MainWindow& main_;
};

} // namespace brontal::registration
