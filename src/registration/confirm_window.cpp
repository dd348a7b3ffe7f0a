#include "registration/confirm_window.h"

#include "panel/main_panel.h"
#include "registration/registration_command.h"
#include "registration/registration_runner.h"
#include "ui/events.h"

namespace brontal::registration {
namespace {

ui::FormArgs confirmFormArgs(MainPanel& main) {
    ui::FormArgs a;
    a.name = "Form6";
    a.clientWidth = 3495;
    a.clientHeight = 2235;
    a.dialogFrame = true;
    a.ownedByMain = true;
    a.owner = main.hwnd();
    return a;
}

} // namespace

ConfirmWindow::ConfirmWindow(MainPanel& main) : ui::Form(confirmFormArgs(main)), main_(main) {
    wireEvents();

    moveTo((main.width() - width()) / 2 + main.left(), main.top() + 1460);
    setIcon(main.iconSoftware.picture());
    bool registering = modeFromText(main.lblIntReg.text()) == RegMode::Register;
    lblRegUnreg.setText(registering ? "Deseja realmente registrar" : "Deseja realmente desregistrar");
    txtComponente.setText(main.txtFile.text() + "?");

    // Showing activates the window, and activation hands the focus to the
    // window itself; the focus holder takes it back as soon as the window's
    // loop runs, before any key that is waiting.
    HWND window = hwnd();
    ui::runLater([this, window] {
        if (Form::fromHwnd(window) == this) btnFoco.setFocus();
    });
}

void ConfirmWindow::wireEvents() {
    btnSim.onGotFocus = [this] { btnFoco.setEnabled(false); };
    btnSim.onClick = [this] {
        hide();
        std::string fileName = main_.lblFileAddress.text();
        std::string fullPath = main_.lblDirAddress.text() + fileName;
        ExecuteRegistration(main_, *this, fullPath, fileName);
    };
    btnNao.onClick = [this] { decline(); };
    btnFoco.onClick = [this] { decline(); };
    // Esc answers as "Não" does.
    setKeyPreview(true);
    onKeyDown = [this](int vk) {
        if (vk != VK_ESCAPE) return false;
        decline();
        return true;
    };
}

void ConfirmWindow::decline() {
    hide();
    close();
}

} // namespace brontal::registration
