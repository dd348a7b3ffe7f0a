// The main window's controls, in twips, in tab order.
#include "app/main_window.h"
#include "ui/layout.h"

namespace brontal {
namespace {

using ui::Align;
using ui::Border;
using ui::ControlArgs;
using ui::ControlKind;
using ui::systemColor;

constexpr ui::OleColor kGridColor = 0xD2D2D2;

ControlArgs label(std::string name, int l, int t, int w, int h, std::string text = {}) {
    ControlArgs a = ui::label(l, t, w, h, std::move(text));
    a.name = std::move(name);
    return a;
}

ControlArgs picture(std::string name, int l, int t, int w, int h, std::string pic, std::string tip = {}) {
    ControlArgs a = label(std::move(name), l, t, w, h);
    a.kind = ControlKind::Picture;
    a.picture = std::move(pic);
    a.tip = std::move(tip);
    return a;
}

ControlArgs pictureButton(std::string name, int l, std::string pic, std::string tip) {
    ControlArgs a = label(std::move(name), l, 4630, 315, 300);
    a.kind = ControlKind::PictureButton;
    a.picture = std::move(pic);
    a.tip = std::move(tip);
    return a;
}

ControlArgs textBox(std::string name, int l, int t, int w, int h, ui::OleColor fore, std::string tip) {
    ControlArgs a = label(std::move(name), l, t, w, h);
    a.kind = ControlKind::TextBox;
    a.foreColor = fore;
    a.tip = std::move(tip);
    a.border = Border::Thin;
    return a;
}

// Hidden state lives in labels below the visible client area, one row each.
int hiddenTop(int index) { return 6000 + index * 270; }

} // namespace

void MainWindow::createControls() {
    createBrowser();
    createPanel();
    createSlots();
    createButtons();
    createHiddenState();
}

void MainWindow::createBrowser() {
    ControlArgs drive = label("DriveList", 120, 120, 2535, 315);
    drive.kind = ControlKind::ComboBox;
    drive.listHeight = 3000;
    add(drive);

    ControlArgs dir = label("DirList", 120, 555, 2535, 1665);
    dir.kind = ControlKind::ListBox;
    dir.ownerDrawList = true;
    add(dir);

    ControlArgs files = label("FileList", 2760, 121, 2535, 2040);
    files.kind = ControlKind::ListBox;
    add(files);

    // The native System32 listing; lies out of sight until System32 is entered.
    ControlArgs list1 = label("List1", 2790, 6600, 2475, 1980);
    list1.kind = ControlKind::ListBox;
    add(list1);
}

void MainWindow::createPanel() {
    add(picture("btnFile", 105, 2310, 225, 225, "file-info", " Ver informações do arquivo "));
    add(textBox("txtFile", 435, 2330, 3115, 230, systemColor(12), " Nome do arquivo "));
    add(textBox("txtKB", 3700, 2330, 1175, 230, systemColor(17), " Tamanho "));
    ControlArgs bits = label("lblb", 4990, 2330, 275, 215);
    bits.foreColor = systemColor(17);
    bits.tip = " Profundidade de bits ";
    add(bits);

    add(picture("btnLimpar", 105, 2640, 225, 225, "clear", " Limpar campos "));
    ControlArgs message = textBox("txtRegistrado", 400, 2660, 4545, 260, systemColor(16), {});
    message.font.bold = true;
    add(message);
    add(picture("imgCharge", 5045, 2640, 195, 240, "charge-neutral"));
}

void MainWindow::createSlots() {
    // Frame and grid of the four-folder panel, drawn under its labels.
    addShape({.name = "Shape1", .left = 90, .top = 2950, .width = 5220, .height = 1200,
              .backColor = systemColor(COLOR_BTNFACE), .borderColor = kGridColor, .filled = false});
    for (int i = 1; i <= 3; ++i)
        addShape({.name = "shph0" + std::to_string(i), .left = 90, .top = 2950 + i * 300, .width = 5220,
                  .height = 15, .backColor = kGridColor, .border = false});
    int columns[] = {1760, 3500, 4720};
    const char* suffix[] = {"a", "b", "c"};
    for (int c = 0; c < 3; ++c)
        addShape({.name = std::string("shpv0") + std::to_string(c + 1) + suffix[c], .left = columns[c],
                  .top = 2950, .width = 15, .height = 1200, .backColor = kGridColor, .border = false});
    // The search indicator: a small lamp at the end of the option row.
    addShape({.name = "shpBusca", .left = 5040, .top = 4230, .width = 210, .height = 180,
              .backColor = systemColor(5), .borderColor = systemColor(16), .rounded = true});

    struct Row {
        const char* key;
        const char* caption;
        int top;
        int imageTop;
    };
    const Row rows[] = {{"System32", "System32", 2990, 3000},
                        {"SysWOW64", "SysWOW64", 3290, 3290},
                        {"CommonFiles", "Common files", 3590, 3590},
                        {"CommonFilesX86", "Common files (x86)", 3890, 3890}};
    for (const Row& r : rows) {
        std::string tip = std::string(" Abrir pasta ") + r.caption + " ";
        add(picture(std::string("img") + r.key, 105, r.imageTop, 240, 180, "folder", tip));
        ControlArgs name = label(std::string("lbl") + r.key, 400, r.top, 1335, 255, r.caption);
        name.tip = tip;
        add(name);
        ControlArgs date = label(std::string("lbl") + r.key + "data", 1820, r.top, 1640, 255);
        date.align = Align::Center;
        add(date);
        ControlArgs size = label(std::string("lbl") + r.key + "KB", 3540, r.top, 1150, 255);
        size.align = Align::Center;
        size.foreColor = systemColor(17);
        add(size);
        ControlArgs bits = label(std::string("lbl") + r.key + "b", 4760, r.top, 500, 255);
        bits.align = Align::Center;
        add(bits);
    }

    ControlArgs check = label("chkCopy", 130, 4175, 255, 275);
    check.kind = ControlKind::CheckBox;
    check.foreColor = systemColor(16);
    add(check);
    ControlArgs checkText = label("lblCheckTest", 400, 4190, 2775, 255, "Copiar nome do arquivo ao abrir pasta");
    checkText.foreColor = systemColor(16);
    add(checkText);
}

void MainWindow::createButtons() {
    add(pictureButton("btnVer", 2760, "verify", " Verificar registro do componente "));
    add(pictureButton("btnReg", 3100, "register", " Registrar componente "));
    add(pictureButton("btnUnreg", 3445, "unregister", " Desregistrar componente "));
    add(pictureButton("btnCMD", 3930, "cmd", " Prompt de Comando (CMD) "));
    add(pictureButton("btnRegistro", 4275, "regedit", " Registro do Windows (Regedit) "));
    add(pictureButton("btnHelp", 4620, "help", " Ajuda "));
    add(pictureButton("btnAbout", 4960, "about", " Sobre o programa "));

    ControlArgs user = label("lblAdminMode0", 130, 4700, 2190, 255, "Executando em modo usuário.");
    user.foreColor = 0x8080FF;
    user.visible = false;
    add(user);
    ControlArgs admin = label("lblAdminMode2", 130, 4700, 2290, 255, "Executando como administrador.");
    admin.visible = false;
    add(admin);
    ControlArgs plus = label("lblAdminMode1", 2330, 4670, 180, 255, "+");
    plus.foreColor = 0x8080FF;
    plus.font.bold = true;
    plus.tip = " Saiba mais ";
    plus.visible = false;
    add(plus);

    ControlArgs stop = label("btnStop", 1560, 6840, 375, 255, "X");
    stop.kind = ControlKind::Button;
    stop.tabStop = false;   // it lies below the visible area: Tab must not lose the focus there
    add(stop);
}

void MainWindow::createHiddenState() {
    struct Hidden {
        const char* name;
        const char* text;
    };
    const Hidden labels[] = {{"lblAdminMode", "0"},
                             {"lbl64bits", "0"},
                             {"lblTxtFileIni", "Selecione um componente a ser verificado"},
                             {"lblDirAddress", ""},
                             {"lblFileAddress", ""},
                             {"lblFileData", ""},
                             {"lblSysnative", "0"},
                             {"lblCheckValue", "0"},
                             {"lblPosTop1", ""},
                             {"lblPosLeft1", ""},
                             {"lblPosTop2", ""},
                             {"lblPosLeft2", ""},
                             {"lblIntReg", "0"},
                             {"lblTopReg", "0"},
                             {"lblLeftReg", "0"},
                             {"lblTimerAguarde", "0"},
                             {"lblStopSearch", "0"},
                             {"lblTimerSearch", "0"},
                             {"lblStandBy1", "Procurando na pasta"},
                             {"lblStandBy2", "  Aguarde..."},
                             {"lbEmpty1", "---"},
                             {"lbEmpty2", "---"}};
    int row = 0;
    for (const Hidden& h : labels) add(label(h.name, 3000, hiddenTop(row++), 2300, 255, h.text));

    const std::pair<const char*, const char*> pictures[] = {
        {"imgPasta1", "folder"},        {"imgPasta2", "folder-found"},   {"imgCharge1", "charge-neutral"},
        {"imgCharge2", "charge-failed"}, {"imgCharge3", "charge-loaded"}, {"iconSoftware", "app"}};
    int column = 0;
    for (auto [name, pic] : pictures) add(picture(name, 120 + 300 * column++, hiddenTop(0), 240, 240, pic));

    ControlArgs hits = label("lstArquivos", 120, hiddenTop(2), 2700, 1500);
    hits.kind = ControlKind::ListBox;
    hits.tabStop = false;
    add(hits);
}

} // namespace brontal
