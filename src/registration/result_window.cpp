#include "registration/result_window.h"

#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "ui/events.h"

namespace brontal::registration {
namespace {

using ui::ControlArgs;
using ui::ControlKind;

ui::FormArgs resultFormArgs(MainWindow& main) {
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

ControlArgs label(std::string name, int l, int t, int w, int h, std::string text, ui::OleColor fore) {
    ControlArgs a = ui::placed(std::move(name), ControlKind::Label, l, t, w, h, std::move(text));
    a.foreColor = fore;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    return a;
}

int twipsFrom(const std::string& text) { return static_cast<int>(std::strtof(text.c_str(), nullptr)); }

} // namespace

ResultWindow::ResultWindow(MainWindow& main) : ui::Form(resultFormArgs(main)) {
    createControls();
    ui::Timer& timer = addTimer("TimerCount", 1000, false);
    timer.onTick = [this] { onTick(); };

    moveTo(twipsFrom(main["lblLeftReg"].text()), twipsFrom(main["lblTopReg"].text()));
    setIcon(main["iconSoftware"].picture());
    countdown_ = 3;
    (*this)["lblCount"].setText("3");
    timer.setEnabled(true);
}

void ResultWindow::createControls() {
    ControlArgs message = label("lblMensagem", 360, 120, 2775, 615, "", ui::kGreen);
    message.font.bold = true;
    message.align = ui::Align::Center;
    add(message);
    add(label("Label1", 700, 830, 1095, 255, "Fechando em", ui::systemColor(12)));
    ControlArgs count = label("lblCount", 1760, 745, 195, 255, "3", ui::systemColor(16));
    count.font = {L"MS Sans Serif", 12, true};
    count.align = ui::Align::Center;
    add(count);
    add(label("Label2", 1975, 830, 1095, 255, "segundos...", ui::systemColor(12)));
}

void ResultWindow::onTick() {
    --countdown_;
    (*this)["lblCount"].setText(std::to_string(countdown_));
    if (countdown_ >= 1) return;
    timer("TimerCount").setEnabled(false);
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
