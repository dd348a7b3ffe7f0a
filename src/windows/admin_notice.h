#pragma once
// Form8, the administrator-mode notice: the program's operations run with the
// rights it was started with. Shown modally over the main window.
#include <string>

#include "ui/layout.h"

namespace brontal {
class MainPanel;
}

namespace brontal::windows {

class AdminNotice : public ui::Form {
public:
    // Places itself over the main window: centred across it, 1460 twips below its top.
    explicit AdminNotice(MainPanel& main);

    // Made first, so it is first in the tab order and holds the focus. It lies
    // below the client area and does nothing: Enter and Space land on it.
    BRONTAL_CONTROL(btnFoco, ui::button(1200, 2520, 1095, 495, "Command1").named("ATENÇÃO!"));
    BRONTAL_SHAPE(Shape1, .left = 260, .top = 90, .width = 3000, .height = 330, .backColor = ui::kDarkRed,
                  .border = false, .rounded = true);
    BRONTAL_CONTROL(Label3, ui::label(210, 145, 3105, 240, "ATENÇÃO!")
                                .withFore(ui::kRgbWhite)
                                .bold()
                                .aligned(ui::Align::Center));
    // The control array Label2. Each paragraph's box reaches into the top of
    // the next one; made last to first, the lower ones lie above and keep
    // their first line whole.
    ui::Control& Label2_2 = add("Label2(2)", paragraph(210, 1830, 3045, 450, "Leia os ReadMes para entender melhor."));
    ui::Control& Label2_1 = add("Label2(1)", paragraph(240, 1320, 3045, 450,
                                                       "De outra forma, as operações ocorrerão sem privilégios de admin."));
    ui::Control& Label2_0 =
        add("Label2(0)", paragraph(225, 460, 3045, 930,
                                   "As operações no Brontal acontecem de maneira herdada, portanto, se você entra no "
                                   "programa em modo administrador, as operações acontecerão nesse modo. "));

private:
    static ui::ControlArgs paragraph(int left, int top, int width, int height, std::string text);
};

// lblAdminMode1: shows the notice and returns once the user has closed it.
void showAdminNotice(MainPanel& main);

} // namespace brontal::windows
