#pragma once
// Form3, the component report: the selected file's facts, the common folders
// in which the last search found namesakes, the facts of the copy in a chosen
// folder and the running Windows; all of it can go to the clipboard. It stands
// in the main window's place while it is open.
#include <string>

#include "ui/layout.h"

namespace brontal {
class MainPanel;
}

namespace brontal::report {

inline constexpr char kCopiedMessage[] = "Dados copiados.";
inline constexpr char kCopyFailedMessage[] = "Não foi possível copiar os dados.";
inline constexpr char kCopyUnreadableStatus[] = "Não foi possível ler o arquivo.";

class ReportWindow : public ui::Form {
public:
    explicit ReportWindow(MainPanel& main);

    // Opens the folder in the shell; what the shell answers changes nothing.
    void OpenFolder(const std::string& folderPath);
    // lblMensagem shows text for one second.
    void ShowStatusMessage(const std::string& text);
    // Press effect of btnCopyAll: 15 twips right and down, and back.
    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);
    // The bitness probe, emptying this window's own lblb on files it cannot classify.
    bool IsPe64Bit(const std::string& path);
    // Name, service pack and version number of the running Windows.
    static std::string GetActualWindowsVersion();

    // The lstPastas click and double click, and the btnCopyAll click.
    void showCopyFacts(int index);
    void openListedFolder(int index);
    void copyAll();

    BRONTAL_CONTROL(lblTituloTopo, ui::label(120, 120, 5175, 255, "Detalhes do arquivo selecionado:").bold());
    BRONTAL_SHAPE(Shape1, .left = 90, .top = 390, .width = 5220, .height = 1620,
                  .backColor = ui::systemColor(COLOR_BTNFACE), .borderColor = kGridColor, .filled = false);
    // The selected file's facts, one row each.
    // Each box is named after its caption, for screen readers.
    BRONTAL_CONTROL(lblTitulo, caption(525, "Título:"));
    BRONTAL_CONTROL(txtTitFile, ui::textBox(1620, 495, 3570, 255).named("Título"));
    BRONTAL_CONTROL(lblTitTamanho, caption(825, "Tamanho:"));
    BRONTAL_CONTROL(txtKB, ui::textBox(1620, 795, 3570, 255).named("Tamanho"));
    BRONTAL_CONTROL(lblTitData, caption(1125, "Data de criação: "));
    BRONTAL_CONTROL(txtData, ui::textBox(1620, 1095, 3570, 255).named("Data de criação"));
    BRONTAL_CONTROL(lblTitBitness, caption(1425, "Bitness:"));
    BRONTAL_CONTROL(txtBitness, ui::textBox(1620, 1395, 3570, 255).named("Bitness"));
    BRONTAL_CONTROL(lblTitEndereco1, caption(1725, "Endereço:"));
    BRONTAL_CONTROL(txtAddress, ui::textBox(1620, 1695, 3570, 255).named("Endereço"));

    BRONTAL_CONTROL(Label7, ui::label(120, 2130, 5175, 255, "Componente encontrado nas pastas:").bold());
    BRONTAL_CONTROL(lstPastas, ui::listBox(90, 2400, 5220, 1095)
                                   .withTip(" Duplo clique para abrir pasta ")
                                   .named("Componente encontrado nas pastas"));
    // The copy in the folder clicked above.
    BRONTAL_CONTROL(txtData2, ui::textBox(90, 3570, 1980, 255).withTip(" Data de criação ").aligned(ui::Align::Center));
    BRONTAL_CONTROL(txtKB2, ui::textBox(2160, 3570, 1800, 255).withTip(" Tamanho ").aligned(ui::Align::Center));
    BRONTAL_CONTROL(txtBitness2,
                    ui::textBox(4050, 3570, 1260, 255).withTip(" Profundidade de bits ").aligned(ui::Align::Center));

    BRONTAL_CONTROL(Label1, ui::line(90, 3945, 5220, kGridColor));
    BRONTAL_CONTROL(txtSisOp, ui::textBox(90, 4050, 5220, 255).named("Sistema operacional"));

    BRONTAL_CONTROL(btnCopyAll, ui::picture(105, 4560, 315, 300, "copy-all").withTip(" Copiar dados do arquivo ").actsAsButton());
    BRONTAL_CONTROL(lblMensagem, ui::label(540, 4605, 3900, 255).bold().withFore(ui::kGreen));
    BRONTAL_CONTROL(lbl64bits, ui::label(4470, 4605, 840, 255)
                                   .aligned(ui::Align::Right)
                                   .withFore(ui::systemColor(COLOR_GRAYTEXT)));

    // State and the saved place of the press effect, out of sight below the client area.
    BRONTAL_CONTROL(lblEncontrado, ui::label(120, 6000, 1500, 255));
    BRONTAL_CONTROL(lblb, ui::label(120, 6270, 1500, 255));
    BRONTAL_CONTROL(lblPosTop1, ui::label(120, 6540, 1500, 255));
    BRONTAL_CONTROL(lblPosLeft1, ui::label(120, 6810, 1500, 255));

    BRONTAL_TIMER(TimerMensagem, 1000, false);

private:
    static constexpr ui::OleColor kGridColor = 0xD2D2D2;
    static ui::ControlArgs caption(int top, std::string text) { return ui::label(210, top, 1380, 255, std::move(text)); }

    void load();
    void wireEvents();
    bool windows64() const;
    std::string readPathOf(const std::string& listedFolder) const;

    MainPanel& main_;
    const std::string listTip_;   // the folder list's own tip, before a copy's version is added
    bool copyPressed_ = false;
};

// btnFile: the main window hides and the report stands in its place, filled
// from the main window's state at this moment.
void openReportWindow(MainPanel& main);

} // namespace brontal::report
