#include "registration/confirm_window.h"

#include "app/main_window.h"
#include "registration/registration_command.h"
#include "registration/registration_runner.h"
#include "ui/events.h"

namespace brontal::registration {
namespace {

using ui::Align;
using ui::ControlArgs;
using ui::ControlKind;

ui::FormArgs confirmFormArgs(MainWindow& main) {
    ui::FormArgs a;
    a.name = "Form6";
    a.clientWidth = 3495;
    a.clientHeight = 2235;
    a.dialogFrame = true;
    a.ownedByMain = true;
    a.owner = main.hwnd();
    return a;
}

ControlArgs control(std::string name, ControlKind kind, int l, int t, int w, int h, std::string text = {}) {
    return ui::placed(std::move(name), kind, l, t, w, h, std::move(text));
}

} // namespace

ConfirmWindow::ConfirmWindow(MainWindow& main) : ui::Form(confirmFormArgs(main)), main_(main) {
    createControls();
    wireEvents();

    moveTo((main.width() - width()) / 2 + main.left(), main.top() + 1460);
    setIcon(main["iconSoftware"].picture());
    bool registering = modeFromText(main["lblIntReg"].text()) == RegMode::Register;
    (*this)["lblRegUnreg"].setText(registering ? "Deseja realmente registrar" : "Deseja realmente desregistrar");
    (*this)["txtComponente"].setText(main["txtFile"].text() + "?");

    // Showing activates the window, and activation hands the focus to the
    // window itself; the focus holder takes it back as soon as the window's
    // loop runs, before any key that is waiting.
    HWND window = hwnd();
    ui::runLater([this, window] {
        if (Form::fromHwnd(window) == this) (*this)["btnFoco"].setFocus();
    });
}

void ConfirmWindow::createControls() {
    // Created first so it is first in the tab order and holds the focus when
    // the window opens; it lies below the visible client area.
    add(control("btnFoco", ControlKind::Button, 1200, 2520, 1095, 495, "Command1"));

    addShape({.name = "Shape1", .left = 260, .top = 90, .width = 3000, .height = 330, .backColor = ui::kDarkRed,
              .borderColor = ui::kDarkRed, .rounded = true});
    ControlArgs banner = control("Label3", ControlKind::Label, 210, 145, 3105, 240, "ATENÇÃO!");
    banner.foreColor = ui::kRgbWhite;
    banner.font.bold = true;
    banner.align = Align::Center;
    add(banner);

    ControlArgs question = control("lblRegUnreg", ControlKind::Label, 190, 460, 3180, 375);
    question.foreColor = ui::kRgbBlack;
    question.font.bold = true;
    question.align = Align::Center;
    add(question);

    ControlArgs name = control("txtComponente", ControlKind::TextBox, 260, 680, 3000, 260);
    name.font.bold = true;
    name.align = Align::Center;
    name.border = ui::Border::Thin;
    name.tabStop = false;   // Tab goes from the focus holder straight to "Sim"
    add(name);

    ControlArgs warning = control("Label2", ControlKind::Label, 215, 930, 3090, 450,
                                  "Esta operação poderá comprometer o funcionamento dos softwares dependentes.");
    warning.foreColor = ui::systemColor(COLOR_GRAYTEXT);
    warning.align = Align::Center;
    add(warning);

    ControlArgs line = control("Label4", ControlKind::Label, 260, 1410, 2990, 15);
    line.opaque = true;
    line.backColor = ui::systemColor(COLOR_BTNSHADOW);
    add(line);

    add(control("btnSim", ControlKind::Button, 890, 1630, 760, 375, "Sim"));
    add(control("btnNao", ControlKind::Button, 1845, 1630, 760, 375, "Não"));
}

void ConfirmWindow::wireEvents() {
    Form& f = *this;
    f["btnSim"].onGotFocus = [this] { (*this)["btnFoco"].setEnabled(false); };
    f["btnSim"].onClick = [this] {
        hide();
        std::string fileName = main_["lblFileAddress"].text();
        std::string fullPath = main_["lblDirAddress"].text() + fileName;
        ExecuteRegistration(main_, *this, fullPath, fileName);
    };
    f["btnNao"].onClick = [this] { decline(); };
    f["btnFoco"].onClick = [this] { decline(); };
}

void ConfirmWindow::decline() {
    hide();
    close();
}

} // namespace brontal::registration
