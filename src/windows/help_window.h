#pragma once
// Form4, the Help window: three buttons that open the read-me documents beside
// the program. It takes the main window's place while it is open.
#include <string>

#include "ui/layout.h"
#include "windows/readme_documents.h"

namespace brontal {
class MainPanel;
}

namespace brontal::windows {

class HelpWindow : public ui::Form {
public:
    explicit HelpWindow(MainPanel& main);

    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);

    // Opens the document with its associated application; a missing file or
    // a missing application shows nothing.
    void OpenFile(const std::string& filePath);

    // The buttons of kReadMeDocuments, in its order.
    BRONTAL_CONTROL(btn1, readMeButton(360, 0));
    BRONTAL_CONTROL(btn2, readMeButton(1275, 1));
    BRONTAL_CONTROL(btn3, readMeButton(2175, 2));
    BRONTAL_CONTROL(ReadMe1, ui::label(1200, 390, 3855, 255, std::string(kReadMeDocuments[0].heading)).bold());
    BRONTAL_CONTROL(Label2, ui::label(1200, 630, 3855, 615,
                                      "Consulte este ReadMe para considerações gerais sobre meus softwares."));
    BRONTAL_CONTROL(Label7, ui::label(1200, 1310, 3855, 255, std::string(kReadMeDocuments[1].heading)).bold());
    BRONTAL_CONTROL(Label4, ui::label(1200, 1530, 3735, 615,
                                      "Consulte este ReadMe para informações sobre a licença de uso e atualização."));
    BRONTAL_CONTROL(Label9, ui::label(1200, 2200, 3855, 255, std::string(kReadMeDocuments[2].heading)).bold());
    BRONTAL_CONTROL(Label8, ui::label(1200, 2430, 3855, 480,
                                      "Consulte este ReadMe para ver as características do software e da versão."));
    // The heading lies on the line and hides it; made first, it stays above it.
    BRONTAL_CONTROL(lblAtencao, ui::label(2106, 3245, 1215, 255, "ATENÇÃO!")
                                    .bold()
                                    .withFore(ui::kRgbBlack)
                                    .aligned(ui::Align::Center)
                                    .opaqueIn(ui::systemColor(COLOR_WINDOW)));
    BRONTAL_CONTROL(lblLista, ui::line(361, 3345, 4693, ui::systemColor(COLOR_APPWORKSPACE)));
    BRONTAL_CONTROL(Label3, ui::label(360, 3600, 4710, 840,
                                      "Antes da utilização do software, considere ler os ReadMes. Eles podem lhe "
                                      "ajudar a sanar dúvidas sobre o aplicativo e como funciona o registro de "
                                      "componentes no sistema operacional.")
                                .bold()
                                .aligned(ui::Align::Center));
    BRONTAL_CONTROL(Label5, ui::line(361, 4630, 4693, ui::systemColor(COLOR_APPWORKSPACE)));
    // Storage of the press effect, out of sight below the client area.
    BRONTAL_CONTROL(lblPosTop1, ui::label(120, 6000, 1500, 255));
    BRONTAL_CONTROL(lblPosLeft1, ui::label(120, 6270, 1500, 255));

private:
    // Named by the document it opens: the three share one tip.
    static ui::ControlArgs readMeButton(int top, int document) {
        return ui::picture(360, top, 675, 675, "readme")
            .withTip(" Clique para abrir ")
            .actsAsButton()
            .named(std::string(kReadMeDocuments[document].heading));
    }

    MainPanel& main_;
    ui::Control* pressed_ = nullptr;
};

// btnHelp: the main window hides and the Help window stands in its place.
void openHelpWindow(MainPanel& main);

} // namespace brontal::windows
