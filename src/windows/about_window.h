#pragma once
// Form2, the About window: product, maker, version, author and the link to the
// author's web site. It takes the main window's place while it is open.
#include <string>

#include "ui/layout.h"

namespace brontal {
class MainPanel;
}

namespace brontal::windows {

// What the link opens; Label5, lblIlvo and Label16 show it in three parts.
inline constexpr char kAuthorSite[] = "http://www.ilvo.example.com/";

class AboutWindow : public ui::Form {
public:
    explicit AboutWindow(MainPanel& main);

    // Press effect: 15 twips right and down, and back. The two pairs keep the
    // saved position in labels of their own, so two controls can be pressed at once.
    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);
    void desceBotao2(ui::Control& botao);
    void sobeBotao2(ui::Control& botao);

    // Hands the address to the shell; a failure shows nothing.
    void OpenSite(const std::string& address);

    BRONTAL_CONTROL(Image1, ui::picture(560, 600, 960, 960, "logo"));
    BRONTAL_SHAPE(Shape1, .left = 1730, .top = 600, .width = 30, .height = 975, .backColor = ui::kGrey,
                  .border = false);
    BRONTAL_CONTROL(Label4, ui::label(1920, 575, 975, 255, "Verlind").withFont(sansSerif(9.75, true)));
    BRONTAL_CONTROL(Label1, ui::label(2940, 555, 1935, 255, "Brontal32").withFont(arial(11.25, true)).withFore(kTeal));
    BRONTAL_CONTROL(Label3, ui::label(1920, 830, 3240, 255, "Desenvolvido em C++ e Win32").withFont(arial(8.25)));
    BRONTAL_CONTROL(lblVersao, ui::label(1935, 1140, 3000, 255, "Versão: 1.0   •  Agosto/2024").withFont(arial(9)));
    BRONTAL_CONTROL(Label7, ui::label(1935, 1360, 495, 255, "Autor: ").withFont(arial(8.25)));
    BRONTAL_CONTROL(Label8, ui::label(2630, 1360, 1335, 255, "Ilvo Verlind").withFont(arial(8.25, true)));
    BRONTAL_CONTROL(Label17, ui::label(430, 2400, 4575, 615).aligned(ui::Align::Center));
    // The address line crosses the lower half of btnSite's picture, and
    // lblIlvo reaches under Label16: made in this order, each part lies above
    // what it overlaps and every letter shows.
    BRONTAL_CONTROL(Label16, ui::label(3570, 3870, 495, 255, ".com").withFont(sansSerif(9.75, true)).withFore(kLinkGrey));
    BRONTAL_CONTROL(lblIlvo, ui::label(1860, 3870, 1815, 255, "ILVO.EXAMPLE")
                                 .withFont(arial(9.75, true))
                                 .withFore(kLinkGrey)
                                 .withTip(kSiteTip)
                                 .actsAsButton());
    BRONTAL_CONTROL(Label5, ui::label(1320, 3870, 495, 255, "www.").withFont(sansSerif(9.75, true)).withFore(ui::kGrey));
    // Like the address it stands for, though it takes no click itself.
    BRONTAL_CONTROL(btnSite, ui::picture(2355, 3555, 855, 570, "site").withTip(kSiteTip).withHandCursor());
    BRONTAL_CONTROL(Label15, ui::label(0, 4200, 5415, 495, "Clique no link acima e conheça mais sobre meu trabalho. ")
                                 .aligned(ui::Align::Center));
    // Storage of the press effect, out of sight below the client area.
    BRONTAL_CONTROL(lblPosTop, ui::label(120, 6000, 1500, 255));
    BRONTAL_CONTROL(lblPosLeft, ui::label(120, 6270, 1500, 255));
    BRONTAL_CONTROL(lblPosTop2, ui::label(120, 6540, 1500, 255));
    BRONTAL_CONTROL(lblPosLeft2, ui::label(120, 6810, 1500, 255));

private:
    static constexpr char kSiteTip[] = " Visite o site do autor ";
    static constexpr ui::OleColor kTeal = 0x404000;
    static constexpr ui::OleColor kLinkGrey = 0x6B6B6B;
    static ui::Font arial(double points, bool bold = false) { return {L"Arial", points, bold}; }
    static ui::Font sansSerif(double points, bool bold = false) { return {L"MS Sans Serif", points, bold}; }

    MainPanel& main_;
    bool linkPressed_ = false;
};

// btnAbout: the main window hides and the About window stands in its place.
void openAboutWindow(MainPanel& main);

} // namespace brontal::windows
