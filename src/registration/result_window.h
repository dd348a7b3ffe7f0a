#pragma once
// Form9: one result message that closes itself after three seconds, counting
// down between "Fechando em" and "segundos...". The caller sets the text and
// colour of lblMensagem, then shows it modally and goes on once it is gone.
#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::registration {

class ResultWindow : public ui::Form {
public:
    // Creating it runs the load steps, so the countdown starts here.
    explicit ResultWindow(MainWindow& main);

    short countdown() const { return countdown_; }

private:
    void createControls();
    void onTick();

    short countdown_ = 0;
};

} // namespace brontal::registration
