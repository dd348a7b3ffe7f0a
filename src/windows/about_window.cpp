#include "windows/about_window.h"

#include <cstdlib>

#include "panel/main_panel.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "windows/main_place.h"

namespace brontal::windows {
namespace {

ui::FormArgs aboutFormArgs() {
    ui::FormArgs a;
    a.name = "Form2";
    a.width = kPlaceWidth;
    a.height = kPlaceHeight;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    return a;
}

} // namespace

AboutWindow::AboutWindow(MainPanel& main) : ui::Form(aboutFormArgs()), main_(main) {
    holdSize(*this, kPlaceWidth, kPlaceHeight);
    dragBySurface(*this);

    // A second button pressed while the first is held would save the shifted
    // place and leave the link there for good: one press at a time.
    lblIlvo.onMouseDown = [this](const ui::MouseEvent&) {
        if (linkPressed_) return;
        linkPressed_ = true;
        desceBotao(btnSite);
        desceBotao2(lblIlvo);
    };
    lblIlvo.onMouseUp = [this](const ui::MouseEvent&) {
        if (!linkPressed_) return;
        linkPressed_ = false;
        sobeBotao(btnSite);
        sobeBotao2(lblIlvo);
    };
    lblIlvo.onClick = [this] { OpenSite(kAuthorSite); };

    setIcon(main_.iconSoftware.picture());
}

void AboutWindow::desceBotao(ui::Control& botao) {
    ui::pressDown(botao, lblPosTop, lblPosLeft);
}

void AboutWindow::sobeBotao(ui::Control& botao) {
    ui::release(botao);
}

void AboutWindow::desceBotao2(ui::Control& botao) {
    ui::pressDown(botao, lblPosTop2, lblPosLeft2);
}

void AboutWindow::sobeBotao2(ui::Control& botao) {
    ui::release(botao);
}

void AboutWindow::OpenSite(const std::string& address) {
    // The shell opens it in the user's browser and does not wait for it; what
    // it answers changes nothing here.
    try {
        main_.services().shellExecute(nullptr, "open", address, "", "", SW_SHOWNORMAL);
    } catch (...) {
        ui::reportFailure("opening " + address);
    }
}

void openAboutWindow(MainPanel& main) { showInMainPlace(main, main.aboutWindow, std::make_unique<AboutWindow>(main)); }

} // namespace brontal::windows
