#pragma once
// Form9: one result message that closes itself after three seconds, counting
// down between "Fechando em" and "segundos...". The caller sets the text and
// colour of lblMensagem, then shows it modally and goes on once it is gone.
#include <string>

#include "ui/layout.h"

namespace brontal {
class MainPanel;
}

namespace brontal::registration {

class ResultWindow : public ui::Form {
public:
    // Creating it runs the load steps, so the countdown starts here.
    explicit ResultWindow(MainPanel& main);

    short countdown() const { return countdown_; }

    BRONTAL_CONTROL(lblMensagem, onWhite(360, 120, 2775, 615, "", ui::kGreen).bold().aligned(ui::Align::Center));
    BRONTAL_CONTROL(Label1, onWhite(700, 830, 1095, 255, "Fechando em", ui::systemColor(12)));
    BRONTAL_CONTROL(lblCount, onWhite(1760, 745, 195, 255, "3", ui::systemColor(16))
                                  .withFont({L"MS Sans Serif", 12, true})
                                  .aligned(ui::Align::Center));
    BRONTAL_CONTROL(Label2, onWhite(1975, 830, 1095, 255, "segundos...", ui::systemColor(12)));
    BRONTAL_TIMER(TimerCount, 1000, false);

private:
    // A label on the window's own white.
    static ui::ControlArgs onWhite(int left, int top, int width, int height, std::string caption, ui::OleColor fore);
    void onTick();

    short countdown_ = 0;
};

} // namespace brontal::registration
