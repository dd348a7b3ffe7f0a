#include "windows/help_window.h"

#include <cstdlib>

#include "app/main_window.h"
#include "platform/files.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "windows/main_place.h"
#include "windows/readme_documents.h"

namespace brontal::windows {
namespace {

using ui::Align;
using ui::ControlArgs;
using ui::ControlKind;

constexpr int kButtonTops[] = {360, 1275, 2175};

ControlArgs label(std::string name, int l, int t, int w, int h, std::string text, bool bold = false) {
    ControlArgs a = ui::placed(std::move(name), ControlKind::Label, l, t, w, h, std::move(text));
    a.font.bold = bold;
    return a;
}

// A thin line drawn by an opaque label of 15 twips.
ControlArgs line(std::string name, int top) {
    ControlArgs a = label(std::move(name), 361, top, 4693, 15, {});
    a.opaque = true;
    a.backColor = ui::systemColor(COLOR_APPWORKSPACE);
    return a;
}

ui::FormArgs helpFormArgs() {
    ui::FormArgs a;
    a.name = "Form4";
    a.width = kPlaceWidth;
    a.height = kPlaceHeight;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    return a;
}

} // namespace

HelpWindow::HelpWindow(MainWindow& main) : ui::Form(helpFormArgs()), main_(main) {
    createControls();
    holdSize(*this, kPlaceWidth, kPlaceHeight);
    dragBySurface(*this);

    for (const ReadMeDocument& doc : kReadMeDocuments) {
        ui::Control& button = (*this)[doc.button];
        std::string path = readMePath(platform::programFolder(), doc.fileName);
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

    setIcon(main_["iconSoftware"].picture());
}

void HelpWindow::createControls() {
    const std::string headings[] = {std::string(kReadMeDocuments[0].heading),
                                    std::string(kReadMeDocuments[1].heading),
                                    std::string(kReadMeDocuments[2].heading)};
    for (int i = 0; i < 3; ++i) {
        ControlArgs button = label(std::string(kReadMeDocuments[static_cast<size_t>(i)].button), 360,
                                   kButtonTops[i], 675, 675, {});
        button.kind = ControlKind::Picture;
        button.picture = "readme";
        button.tip = " Clique para abrir ";
        add(button);
    }
    add(label("ReadMe1", 1200, 390, 3855, 255, headings[0], true));
    add(label("Label2", 1200, 630, 3855, 615,
              "Consulte este ReadMe para considerações gerais sobre meus softwares."));
    add(label("Label7", 1200, 1310, 3855, 255, headings[1], true));
    add(label("Label4", 1200, 1530, 3735, 615,
              "Consulte este ReadMe para informações sobre a licença de uso e atualização."));
    add(label("Label9", 1200, 2200, 3855, 255, headings[2], true));
    add(label("Label8", 1200, 2430, 3855, 480,
              "Consulte este ReadMe para ver as características do software e da versão."));

    // The heading lies on the line and hides it; made first, it stays above it.
    ControlArgs attention = label("lblAtencao", 2106, 3245, 1215, 255, "ATENÇÃO!", true);
    attention.foreColor = ui::kRgbBlack;
    attention.align = Align::Center;
    attention.opaque = true;
    attention.backColor = ui::systemColor(COLOR_WINDOW);
    add(attention);
    add(line("lblLista", 3345));
    ControlArgs advice = label("Label3", 360, 3600, 4710, 840,
                               "Antes da utilização do software, considere ler os ReadMes. Eles podem lhe ajudar a "
                               "sanar dúvidas sobre o aplicativo e como funciona o registro de componentes no "
                               "sistema operacional.",
                               true);
    advice.align = Align::Center;
    add(advice);
    add(line("Label5", 4630));

    // Storage of the press effect, out of sight below the client area.
    add(label("lblPosTop1", 120, 6000, 1500, 255, {}));
    add(label("lblPosLeft1", 120, 6270, 1500, 255, {}));
}

void HelpWindow::desceBotao(ui::Control& botao) {
    ui::pressDown(*this, botao, "lblPosTop1", "lblPosLeft1");
}

void HelpWindow::sobeBotao(ui::Control& botao) {
    ui::release(*this, botao, "lblPosTop1", "lblPosLeft1");
}

void HelpWindow::OpenFile(const std::string& filePath) {
    try {
        main_.services().shellExecute(nullptr, "open", filePath, "", "", SW_SHOWNORMAL);
    } catch (...) {
        ui::reportFailure("opening " + filePath);
    }
}

void openHelpWindow(MainWindow& main) { showInMainPlace(main, main.helpWindow, std::make_unique<HelpWindow>(main)); }

} // namespace brontal::windows
