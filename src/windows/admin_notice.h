#pragma once
// Form8, the administrator-mode notice: the program's operations run with the
// rights it was started with. Shown modally over the main window.
#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::windows {

class AdminNotice : public ui::Form {
public:
    // Places itself over the main window: centred across it, 1460 twips below its top.
    explicit AdminNotice(MainWindow& main);
};

// lblAdminMode1: shows the notice and returns once the user has closed it.
void showAdminNotice(MainWindow& main);

} // namespace brontal::windows
