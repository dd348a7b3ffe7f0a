#pragma once
// Form1's controls, shapes and timers, in twips, in tab order: the browser,
// the selected-file panel, the four-folder comparison panel, the buttons, and
// the hidden state below the visible client area.
#include <string>

#include "ui/layout.h"

namespace brontal {

class MainForm : public ui::Form {
public:
    // Outer size; the window keeps it.
    static constexpr int kWidth = 5655;
    static constexpr int kHeight = 5670;

    MainForm();

    // The browser.
    // The lists have no caption to be named after: screen readers get these.
    BRONTAL_CONTROL(DriveList, ui::comboBox(120, 120, 2535, 315, 3000).named("Unidade"));
    BRONTAL_CONTROL(DirList, ui::listBox(120, 555, 2535, 1665).ownerDrawn().named("Pastas"));
    BRONTAL_CONTROL(FileList, ui::listBox(2760, 121, 2535, 2040).named("Arquivos"));
    // The native System32 listing; lies out of sight until System32 is entered.
    BRONTAL_CONTROL(List1, ui::listBox(2790, 6600, 2475, 1980).named("Arquivos"));

    // The selected file and the message line.
    BRONTAL_CONTROL(btnFile, ui::picture(105, 2310, 225, 225, "file-info").withTip(" Ver informações do arquivo ").actsAsButton());
    BRONTAL_CONTROL(txtFile, ui::textBox(435, 2330, 3115, 230).withFore(ui::systemColor(12)).withTip(" Nome do arquivo "));
    BRONTAL_CONTROL(txtKB, ui::textBox(3700, 2330, 1175, 230).withFore(ui::systemColor(17)).withTip(" Tamanho "));
    BRONTAL_CONTROL(lblb, ui::label(4990, 2330, 275, 215).withFore(ui::systemColor(17)).withTip(" Profundidade de bits "));
    BRONTAL_CONTROL(btnLimpar, ui::picture(105, 2640, 225, 225, "clear").withTip(" Limpar campos ").actsAsButton());
    BRONTAL_CONTROL(txtRegistrado, ui::textBox(400, 2660, 4545, 260).withFore(ui::systemColor(16)).bold().named("Mensagem"));
    BRONTAL_CONTROL(imgCharge, ui::picture(5045, 2640, 195, 240, "charge-neutral"));

    // Frame and grid of the four-folder panel, drawn under its labels.
    BRONTAL_SHAPE(Shape1, .left = 90, .top = 2950, .width = 5220, .height = 1200,
                  .backColor = ui::systemColor(COLOR_BTNFACE), .borderColor = kGridColor, .filled = false);
    BRONTAL_SHAPE(shph01, .left = 90, .top = 3250, .width = 5220, .height = 15, .backColor = kGridColor, .border = false);
    BRONTAL_SHAPE(shph02, .left = 90, .top = 3550, .width = 5220, .height = 15, .backColor = kGridColor, .border = false);
    BRONTAL_SHAPE(shph03, .left = 90, .top = 3850, .width = 5220, .height = 15, .backColor = kGridColor, .border = false);
    BRONTAL_SHAPE(shpv01a, .left = 1760, .top = 2950, .width = 15, .height = 1200, .backColor = kGridColor,
                  .border = false);
    BRONTAL_SHAPE(shpv02b, .left = 3500, .top = 2950, .width = 15, .height = 1200, .backColor = kGridColor,
                  .border = false);
    BRONTAL_SHAPE(shpv03c, .left = 4720, .top = 2950, .width = 15, .height = 1200, .backColor = kGridColor,
                  .border = false);
    // The search indicator: a small lamp at the end of the option row.
    BRONTAL_SHAPE(shpBusca, .left = 5040, .top = 4230, .width = 210, .height = 180, .backColor = ui::systemColor(5),
                  .borderColor = ui::systemColor(16), .rounded = true);

    // One row per common folder: its shortcut (picture and name), then the
    // date, size and bitness of the copy found there.
    BRONTAL_CONTROL(imgSystem32, folderPicture(3000, "System32"));
    BRONTAL_CONTROL(lblSystem32, folderName(2990, "System32"));
    BRONTAL_CONTROL(lblSystem32data, slotDate(2990));
    BRONTAL_CONTROL(lblSystem32KB, slotSize(2990));
    BRONTAL_CONTROL(lblSystem32b, slotBits(2990));
    BRONTAL_CONTROL(imgSysWOW64, folderPicture(3290, "SysWOW64"));
    BRONTAL_CONTROL(lblSysWOW64, folderName(3290, "SysWOW64"));
    BRONTAL_CONTROL(lblSysWOW64data, slotDate(3290));
    BRONTAL_CONTROL(lblSysWOW64KB, slotSize(3290));
    BRONTAL_CONTROL(lblSysWOW64b, slotBits(3290));
    BRONTAL_CONTROL(imgCommonFiles, folderPicture(3590, "Common files"));
    BRONTAL_CONTROL(lblCommonFiles, folderName(3590, "Common files"));
    BRONTAL_CONTROL(lblCommonFilesdata, slotDate(3590));
    BRONTAL_CONTROL(lblCommonFilesKB, slotSize(3590));
    BRONTAL_CONTROL(lblCommonFilesb, slotBits(3590));
    BRONTAL_CONTROL(imgCommonFilesX86, folderPicture(3890, "Common files (x86)"));
    BRONTAL_CONTROL(lblCommonFilesX86, folderName(3890, "Common files (x86)"));
    BRONTAL_CONTROL(lblCommonFilesX86data, slotDate(3890));
    BRONTAL_CONTROL(lblCommonFilesX86KB, slotSize(3890));
    BRONTAL_CONTROL(lblCommonFilesX86b, slotBits(3890));

    // The box's caption is the label beside it.
    BRONTAL_CONTROL(chkCopy, ui::checkBox(130, 4175, 255, 275).withFore(ui::systemColor(16)).named(kCopyOption));
    BRONTAL_CONTROL(lblCheckTest, ui::label(400, 4190, 2775, 255, kCopyOption).withFore(ui::systemColor(16)));

    // The mode line, left of the buttons: its "+" comes first in the tab order.
    BRONTAL_CONTROL(lblAdminMode0, ui::label(130, 4700, 2190, 255, "Executando em modo usuário.").withFore(0x8080FF).hidden());
    BRONTAL_CONTROL(lblAdminMode2, ui::label(130, 4700, 2290, 255, "Executando como administrador.").hidden());
    BRONTAL_CONTROL(lblAdminMode1, ui::label(2330, 4670, 180, 255, "+")
                                       .withFore(0x8080FF)
                                       .bold()
                                       .withTip(" Saiba mais ")
                                       .hidden()
                                       .actsAsButton());

    // The buttons.
    BRONTAL_CONTROL(btnVer, button(2760, "verify", " Verificar registro do componente "));
    BRONTAL_CONTROL(btnReg, button(3100, "register", " Registrar componente "));
    BRONTAL_CONTROL(btnUnreg, button(3445, "unregister", " Desregistrar componente "));
    BRONTAL_CONTROL(btnCMD, button(3930, "cmd", " Prompt de Comando (CMD) "));
    BRONTAL_CONTROL(btnRegistro, button(4275, "regedit", " Registro do Windows (Regedit) "));
    BRONTAL_CONTROL(btnHelp, button(4620, "help", " Ajuda "));
    BRONTAL_CONTROL(btnAbout, button(4960, "about", " Sobre o programa "));
    // It lies below the visible area: Tab must not lose the focus there.
    BRONTAL_CONTROL(btnStop, ui::button(1560, 6840, 375, 255, "X").noTabStop());

    // Hidden state, one row each below the visible client area.
    BRONTAL_CONTROL(lblAdminMode, hidden(0, "0"));
    BRONTAL_CONTROL(lbl64bits, hidden(1, "0"));
    BRONTAL_CONTROL(lblTxtFileIni, hidden(2, "Selecione um componente a ser verificado"));
    BRONTAL_CONTROL(lblDirAddress, hidden(3, ""));
    BRONTAL_CONTROL(lblFileAddress, hidden(4, ""));
    BRONTAL_CONTROL(lblFileData, hidden(5, ""));
    BRONTAL_CONTROL(lblSysnative, hidden(6, "0"));
    BRONTAL_CONTROL(lblCheckValue, hidden(7, "0"));
    BRONTAL_CONTROL(lblPosTop1, hidden(8, ""));
    BRONTAL_CONTROL(lblPosLeft1, hidden(9, ""));
    BRONTAL_CONTROL(lblPosTop2, hidden(10, ""));
    BRONTAL_CONTROL(lblPosLeft2, hidden(11, ""));
    BRONTAL_CONTROL(lblIntReg, hidden(12, "0"));
    BRONTAL_CONTROL(lblTopReg, hidden(13, "0"));
    BRONTAL_CONTROL(lblLeftReg, hidden(14, "0"));
    BRONTAL_CONTROL(lblTimerAguarde, hidden(15, "0"));
    BRONTAL_CONTROL(lblStopSearch, hidden(16, "0"));
    BRONTAL_CONTROL(lblTimerSearch, hidden(17, "0"));
    BRONTAL_CONTROL(lblStandBy1, hidden(18, "Procurando na pasta"));
    BRONTAL_CONTROL(lblStandBy2, hidden(19, "  Aguarde..."));
    BRONTAL_CONTROL(lbEmpty1, hidden(20, "---"));
    BRONTAL_CONTROL(lbEmpty2, hidden(21, "---"));
    // The pictures the visible ones take their faces from.
    BRONTAL_CONTROL(imgPasta1, hiddenPicture(0, "folder"));
    BRONTAL_CONTROL(imgPasta2, hiddenPicture(1, "folder-found"));
    BRONTAL_CONTROL(imgCharge1, hiddenPicture(2, "charge-neutral"));
    BRONTAL_CONTROL(imgCharge2, hiddenPicture(3, "charge-failed"));
    BRONTAL_CONTROL(imgCharge3, hiddenPicture(4, "charge-loaded"));
    BRONTAL_CONTROL(iconSoftware, hiddenPicture(5, "app"));
    // The hit list: full paths of the copies the folder search found.
    BRONTAL_CONTROL(lstArquivos, ui::listBox(120, hiddenTop(2), 2700, 1500).noTabStop());

    BRONTAL_TIMER(TimerMensagem, 100, true);
    BRONTAL_TIMER(TimerAguarde, 500, false);
    BRONTAL_TIMER(TimerSearch, 250, false);

private:
    static constexpr ui::OleColor kGridColor = 0xD2D2D2;
    static constexpr char kCopyOption[] = "Copiar nome do arquivo ao abrir pasta";
    static constexpr int hiddenTop(int row) { return 6000 + row * 270; }

    static ui::ControlArgs folderPicture(int top, const std::string& folder) {
        return ui::picture(105, top, 240, 180, "folder").withTip(" Abrir pasta " + folder + " ");
    }
    static ui::ControlArgs folderName(int top, const std::string& folder) {
        // The name takes the row's tab stop; its picture is the same command.
        return ui::label(400, top, 1335, 255, folder).withTip(" Abrir pasta " + folder + " ").actsAsButton();
    }
    static ui::ControlArgs slotDate(int top) { return ui::label(1820, top, 1640, 255).aligned(ui::Align::Center); }
    static ui::ControlArgs slotSize(int top) {
        return ui::label(3540, top, 1150, 255).aligned(ui::Align::Center).withFore(ui::systemColor(17));
    }
    static ui::ControlArgs slotBits(int top) { return ui::label(4760, top, 500, 255).aligned(ui::Align::Center); }
    static ui::ControlArgs button(int left, const char* picture, const char* tip) {
        return ui::pictureButton(left, 4630, 315, 300, picture).withTip(tip);
    }
    static ui::ControlArgs hidden(int row, const char* text) { return ui::label(3000, hiddenTop(row), 2300, 255, text); }
    static ui::ControlArgs hiddenPicture(int column, const char* picture) {
        return ui::picture(120 + 300 * column, hiddenTop(0), 240, 240, picture);
    }
};

} // namespace brontal
