#pragma once
// Form2, the About window: product, maker, version, author and the link to the
// author's web site. It takes the main window's place while it is open.
#include <string>

#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::windows {

// What the link opens; Label5, lblIlvo and Label16 show it in three parts.
inline constexpr char kAuthorSite[] = "http://www.ilvo.example.com/";

class AboutWindow : public ui::Form {
public:
    explicit AboutWindow(MainWindow& main);

    // Press effect: 15 twips right and down, and back. The two pairs keep the
    // saved position in labels of their own, so two controls can be pressed at once.
    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);
    void desceBotao2(ui::Control& botao);
    void sobeBotao2(ui::Control& botao);

    // Hands the address to the shell; a failure shows nothing.
    void OpenSite(const std::string& address);

private:
    void createControls();
    MainWindow& main_;
    bool linkPressed_ = false;
};

// btnAbout: the main window hides and the About window stands in its place.
void openAboutWindow(MainWindow& main);

} // namespace brontal::windows
