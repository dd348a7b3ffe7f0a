#pragma once
// Form4, the Help window: three buttons that open the read-me documents beside
// the program. It takes the main window's place while it is open.
#include <string>

#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::windows {

class HelpWindow : public ui::Form {
public:
    explicit HelpWindow(MainWindow& main);

    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);

    // Opens the document with its associated application; a missing file or
    // a missing application shows nothing.
    void OpenFile(const std::string& filePath);

private:
    void createControls();
    MainWindow& main_;
    ui::Control* pressed_ = nullptr;
};

// btnHelp: the main window hides and the Help window stands in its place.
void openHelpWindow(MainWindow& main);

} // namespace brontal::windows
