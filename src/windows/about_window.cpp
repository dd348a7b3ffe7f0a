#include "windows/about_window.h"

#include <cstdlib>

#include "app/main_window.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "windows/main_place.h"

namespace brontal::windows {
namespace {

using ui::Align;
using ui::ControlArgs;
using ui::ControlKind;

constexpr char kSiteTip[] = " Visite o site do autor ";
constexpr ui::OleColor kTeal = 0x404000;
constexpr ui::OleColor kLinkGrey = 0x6B6B6B;

ControlArgs label(std::string name, int l, int t, int w, int h, std::string text, ui::Font font = {}) {
    ControlArgs a = ui::placed(std::move(name), ui::ControlKind::Label, l, t, w, h, std::move(text));
    a.font = std::move(font);
    return a;
}

ui::Font arial(double points, bool bold = false) { return {L"Arial", points, bold}; }
ui::Font sansSerif(double points, bool bold = false) { return {L"MS Sans Serif", points, bold}; }

ui::FormArgs aboutFormArgs() {
    ui::FormArgs a;
    a.name = "Form2";
    a.width = kPlaceWidth;
    a.height = kPlaceHeight;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    return a;
}

} // namespace

AboutWindow::AboutWindow(MainWindow& main) : ui::Form(aboutFormArgs()), main_(main) {
    createControls();
    holdSize(*this, kPlaceWidth, kPlaceHeight);
    dragBySurface(*this);

    Form& f = *this;
    auto& link = f["lblIlvo"];
    // A second button pressed while the first is held would save the shifted
    // place and leave the link there for good: one press at a time.
    link.onMouseDown = [this](const ui::MouseEvent&) {
        if (linkPressed_) return;
        linkPressed_ = true;
        desceBotao((*this)["btnSite"]);
        desceBotao2((*this)["lblIlvo"]);
    };
    link.onMouseUp = [this](const ui::MouseEvent&) {
        if (!linkPressed_) return;
        linkPressed_ = false;
        sobeBotao((*this)["btnSite"]);
        sobeBotao2((*this)["lblIlvo"]);
    };
    link.onClick = [this] { OpenSite(kAuthorSite); };

    setIcon(main_["iconSoftware"].picture());
}

void AboutWindow::createControls() {
    ControlArgs image = label("Image1", 560, 600, 960, 960, {});
    image.kind = ControlKind::Picture;
    image.picture = "logo";
    add(image);
    addShape({.name = "Shape1", .left = 1730, .top = 600, .width = 30, .height = 975, .backColor = ui::kGrey,
              .border = false});

    add(label("Label4", 1920, 575, 975, 255, "Verlind", sansSerif(9.75, true)));
    ControlArgs product = label("Label1", 2940, 555, 1935, 255, "Brontal32", arial(11.25, true));
    product.foreColor = kTeal;
    add(product);
    add(label("Label3", 1920, 830, 3240, 255, "Desenvolvido em C++ e Win32", arial(8.25)));
    add(label("lblVersao", 1935, 1140, 3000, 255, "Versão: 1.0   •  Agosto/2024", arial(9)));
    add(label("Label7", 1935, 1360, 495, 255, "Autor: ", arial(8.25)));
    add(label("Label8", 2630, 1360, 1335, 255, "Ilvo Verlind", arial(8.25, true)));
    ControlArgs blank = label("Label17", 430, 2400, 4575, 615, "");
    blank.align = Align::Center;
    add(blank);

    // The address line crosses the lower half of btnSite's picture, and
    // lblIlvo reaches under Label16: made in this order, each part lies above
    // what it overlaps and every letter shows.
    ControlArgs tld = label("Label16", 3570, 3870, 495, 255, ".com", sansSerif(9.75, true));
    tld.foreColor = kLinkGrey;
    add(tld);
    ControlArgs name = label("lblIlvo", 1860, 3870, 1815, 255, "ILVO.EXAMPLE", arial(9.75, true));
    name.foreColor = kLinkGrey;
    name.tip = kSiteTip;
    add(name);
    ControlArgs www = label("Label5", 1320, 3870, 495, 255, "www.", sansSerif(9.75, true));
    www.foreColor = ui::kGrey;
    add(www);
    ControlArgs site = label("btnSite", 2355, 3555, 855, 570, {});
    site.kind = ControlKind::Picture;
    site.picture = "site";
    site.tip = kSiteTip;
    site.handCursor = true;   // like the address it stands for, though it takes no click itself
    add(site);
    ControlArgs invite = label("Label15", 0, 4200, 5415, 495, "Clique no link acima e conheça mais sobre meu trabalho. ");
    invite.align = Align::Center;
    add(invite);

    // Storage of the press effect, out of sight below the client area.
    int row = 0;
    for (const char* n : {"lblPosTop", "lblPosLeft", "lblPosTop2", "lblPosLeft2"})
        add(label(n, 120, 6000 + 270 * row++, 1500, 255, {}));
}

void AboutWindow::desceBotao(ui::Control& botao) {
    ui::pressDown(*this, botao, "lblPosTop", "lblPosLeft");
}

void AboutWindow::sobeBotao(ui::Control& botao) {
    ui::release(*this, botao, "lblPosTop", "lblPosLeft");
}

void AboutWindow::desceBotao2(ui::Control& botao) {
    ui::pressDown(*this, botao, "lblPosTop2", "lblPosLeft2");
}

void AboutWindow::sobeBotao2(ui::Control& botao) {
    ui::release(*this, botao, "lblPosTop2", "lblPosLeft2");
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

void openAboutWindow(MainWindow& main) { showInMainPlace(main, main.aboutWindow, std::make_unique<AboutWindow>(main)); }

} // namespace brontal::windows
