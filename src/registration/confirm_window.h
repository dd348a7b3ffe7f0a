#pragma once
// Form6: asks whether the selected file is really to be (un)registered. "Sim"
// hands the request to ExecuteRegistration; "Não", the hidden focus holder
// btnFoco and the close box end it with nothing done.
#include "ui/layout.h"

namespace brontal {
class MainPanel;
}

namespace brontal::registration {

class ConfirmWindow : public ui::Form {
public:
    // Creating it runs the load steps: position, icon, question and file name.
    explicit ConfirmWindow(MainPanel& main);

    // Made first so it is first in the tab order and holds the focus when the
    // window opens; it lies below the visible client area.
    // A screen reader names it by what it does: it declines.
    BRONTAL_CONTROL(btnFoco, ui::button(1200, 2520, 1095, 495, "Command1").named("Não"));
    BRONTAL_SHAPE(Shape1, .left = 260, .top = 90, .width = 3000, .height = 330, .backColor = ui::kDarkRed,
                  .borderColor = ui::kDarkRed, .rounded = true);
    BRONTAL_CONTROL(Label3, ui::label(210, 145, 3105, 240, "ATENÇÃO!")
                                .withFore(ui::kRgbWhite)
                                .bold()
                                .aligned(ui::Align::Center));
    BRONTAL_CONTROL(lblRegUnreg,
                    ui::label(190, 460, 3180, 375).withFore(ui::kRgbBlack).bold().aligned(ui::Align::Center));
    // Tab goes from the focus holder straight to "Sim".
    BRONTAL_CONTROL(txtComponente, ui::textBox(260, 680, 3000, 260).bold().aligned(ui::Align::Center).noTabStop());
    BRONTAL_CONTROL(Label2, ui::label(215, 930, 3090, 450,
                                      "Esta operação poderá comprometer o funcionamento dos softwares dependentes.")
                                .withFore(ui::systemColor(COLOR_GRAYTEXT))
                                .aligned(ui::Align::Center));
    BRONTAL_CONTROL(Label4, ui::line(260, 1410, 2990, ui::systemColor(COLOR_BTNSHADOW)));
    BRONTAL_CONTROL(btnSim, ui::button(890, 1630, 760, 375, "Sim"));
    BRONTAL_CONTROL(btnNao, ui::button(1845, 1630, 760, 375, "Não"));

private:
    void wireEvents();
    void decline();

    MainPanel& main_;
};

} // namespace brontal::registration
