#include "windows/help_window.h"

#include <cstdlib>
#include <iterator>

#include "panel/main_panel.h"
#include "platform/files.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "windows/main_place.h"

namespace brontal::windows {
namespace {

ui::FormArgs helpFormArgs() {
    ui::FormArgs a;
    a.name = "Form4";
    a.width = kPlaceWidth;
    a.height = kPlaceHeight;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    return a;
}

} // namespace

HelpWindow::HelpWindow(MainPanel& main) : ui::Form(helpFormArgs()), main_(main) {
    holdSize(*this, kPlaceWidth, kPlaceHeight);
    dragBySurface(*this);

    ui::Control* const buttons[] = {&btn1, &btn2, &btn3};
    static_assert(std::size(buttons) == kReadMeDocuments.size());
    for (size_t i = 0; i < kReadMeDocuments.size(); ++i) {
        ui::Control& button = *buttons[i];
        std::string path = readMePath(platform::programFolder(), kReadMeDocuments[i].fileName);
        // One press at a time: a second button held meanwhile would save the
        // shifted place as the place to go back to.
        button.onMouseDown = [this, &button](const ui::MouseEvent&) {
            if (pressed_) return;
            pressed_ = &button;
            desceBotao(button);
        };
        button.onMouseUp = [this, &button](const ui::MouseEvent&) {
            if (pressed_ != &button) return;
            pressed_ = nullptr;
            sobeBotao(button);
        };
        button.onClick = [this, path] { OpenFile(path); };
    }

    setIcon(main_.iconSoftware.picture());
}

void HelpWindow::desceBotao(ui::Control& botao) {
    ui::pressDown(botao, lblPosTop1, lblPosLeft1);
}

void HelpWindow::sobeBotao(ui::Control& botao) {
    ui::release(botao);
}

void HelpWindow::OpenFile(const std::string& filePath) {
    try {
        main_.services().shellExecute(nullptr, "open", filePath, "", "", SW_SHOWNORMAL);
    } catch (...) {
        ui::reportFailure("opening " + filePath);
    }
}

void openHelpWindow(MainPanel& main) { showInMainPlace(main, main.helpWindow, std::make_unique<HelpWindow>(main)); }

} // namespace brontal::windows
