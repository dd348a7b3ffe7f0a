#include "registration/result_window.h"

#include <cstdlib>
#include <string>

#include "panel/main_panel.h"
#include "ui/events.h"

namespace brontal::registration {
namespace {

ui::FormArgs resultFormArgs(MainPanel& main) {
    ui::FormArgs a;
    a.name = "Form9";
    a.clientWidth = 3495;
    a.clientHeight = 1215;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    a.dialogFrame = true;   // no minimise and no maximise button
    a.ownedByMain = true;
    a.owner = main.hwnd();
    return a;
}

int twipsFrom(const std::string& text) { return static_cast<int>(std::strtof(text.c_str(), nullptr)); }

} // namespace

ResultWindow::ResultWindow(MainPanel& main) : ui::Form(resultFormArgs(main)) {
    TimerCount.onTick = [this] { onTick(); };

    moveTo(twipsFrom(main.lblLeftReg.text()), twipsFrom(main.lblTopReg.text()));
    setIcon(main.iconSoftware.picture());
    countdown_ = 3;
    lblCount.setText("3");
    TimerCount.setEnabled(true);
}

ui::ControlArgs ResultWindow::onWhite(int left, int top, int width, int height, std::string caption, ui::OleColor fore) {
    return ui::label(left, top, width, height, std::move(caption))
        .withFore(fore)
        .withBack(ui::systemColor(COLOR_WINDOW));
}

void ResultWindow::onTick() {
    --countdown_;
    lblCount.setText(std::to_string(countdown_));
    if (countdown_ >= 1) return;
    TimerCount.setEnabled(false);
    countdown_ = 0;
    hide();
    // Closing destroys the timers, this tick's own among them: close once the
    // tick is over. The window may have been closed by then (its close box).
    HWND window = hwnd();
    ui::runLater([this, window] {
        if (Form::fromHwnd(window) == this) close();
    });
}

} // namespace brontal::registration
