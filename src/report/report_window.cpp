#include "report/report_window.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "inspect/file_panel.h"
#include "inspect/folder_chain.h"
#include "platform/windows_version.h"
#include "report/os_naming.h"
#include "report/report_text.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "windows/main_place.h"

namespace brontal::report {
namespace {

using ui::Align;
using ui::Border;
using ui::ControlArgs;
using ui::ControlKind;
using ui::systemColor;

constexpr ui::OleColor kGridColor = 0xD2D2D2;

ControlArgs label(std::string name, int l, int t, int w, int h, std::string text = {}, bool bold = false) {
    ControlArgs a = ui::placed(std::move(name), ControlKind::Label, l, t, w, h, std::move(text));
    a.font.bold = bold;
    return a;
}

ControlArgs textBox(std::string name, int l, int t, int w, std::string tip = {}) {
    ControlArgs a = label(std::move(name), l, t, w, 255);
    a.kind = ControlKind::TextBox;
    a.border = Border::Thin;
    a.tip = std::move(tip);
    return a;
}

// A thin line drawn by an opaque label of 15 twips.
ControlArgs line(std::string name, int l, int t, int w) {
    ControlArgs a = label(std::move(name), l, t, w, 15);
    a.opaque = true;
    a.backColor = kGridColor;
    return a;
}

ui::FormArgs reportFormArgs() {
    ui::FormArgs a;
    a.name = "Form3";
    a.width = windows::kPlaceWidth;
    a.height = windows::kPlaceHeight;
    return a;
}

int number(const std::string& text) { return std::atoi(text.c_str()); }

// Each step of the load stands alone: one that cannot be done leaves its
// fields as they were and the next one still runs.
template <typename F>
void step(F&& f) {
    try {
        f();
    } catch (...) {
        ui::reportFailure("a step of the report's load");
    }
}

} // namespace

ReportWindow::ReportWindow(MainWindow& main) : ui::Form(reportFormArgs()), main_(main) {
    createControls();
    addTimer("TimerMensagem", 1000, false);
    windows::holdSize(*this, windows::kPlaceWidth, windows::kPlaceHeight);
    windows::dragBySurface(*this);
    wireEvents();
    load();
}

void ReportWindow::createControls() {
    add(label("lblTituloTopo", 120, 120, 5175, 255, "Detalhes do arquivo selecionado:", true));
    addShape({.name = "Shape1", .left = 90, .top = 390, .width = 5220, .height = 1620,
              .backColor = systemColor(COLOR_BTNFACE), .borderColor = kGridColor, .filled = false});
    struct Row {
        const char* caption;
        const char* captionText;
        const char* box;
    };
    const Row rows[] = {{"lblTitulo", "Título:", "txtTitFile"},
                        {"lblTitTamanho", "Tamanho:", "txtKB"},
                        {"lblTitData", "Data de criação: ", "txtData"},
                        {"lblTitBitness", "Bitness:", "txtBitness"},
                        {"lblTitEndereco1", "Endereço:", "txtAddress"}};
    int top = 495;
    for (const Row& r : rows) {
        add(label(r.caption, 210, top + 30, 1380, 255, r.captionText));
        add(textBox(r.box, 1620, top, 3570));
        top += 300;
    }

    add(label("Label7", 120, 2130, 5175, 255, "Componente encontrado nas pastas:", true));
    ControlArgs folders = label("lstPastas", 90, 2400, 5220, 1095);
    folders.kind = ControlKind::ListBox;
    folders.tip = " Duplo clique para abrir pasta ";
    add(folders);

    // The copy in the folder clicked above.
    ControlArgs date2 = textBox("txtData2", 90, 3570, 1980, " Data de criação ");
    ControlArgs size2 = textBox("txtKB2", 2160, 3570, 1800, " Tamanho ");
    ControlArgs bits2 = textBox("txtBitness2", 4050, 3570, 1260, " Profundidade de bits ");
    for (ControlArgs* a : {&date2, &size2, &bits2}) {
        a->align = Align::Center;
        add(*a);
    }

    add(line("Label1", 90, 3945, 5220));
    add(textBox("txtSisOp", 90, 4050, 5220));

    ControlArgs copy = label("btnCopyAll", 105, 4560, 315, 300);
    copy.kind = ControlKind::Picture;
    copy.picture = "copy-all";
    copy.tip = " Copiar dados do arquivo ";
    add(copy);
    ControlArgs message = label("lblMensagem", 540, 4605, 3900, 255, "", true);
    message.foreColor = ui::kGreen;
    add(message);
    ControlArgs width = label("lbl64bits", 4470, 4605, 840, 255);
    width.align = Align::Right;
    width.foreColor = systemColor(COLOR_GRAYTEXT);
    add(width);

    // State and the saved place of the press effect, out of sight below the client area.
    int row = 0;
    for (const char* n : {"lblEncontrado", "lblb", "lblPosTop1", "lblPosLeft1"})
        add(label(n, 120, 6000 + 270 * row++, 1500, 255));
}

void ReportWindow::load() {
    Form& f = *this;
    MainWindow& m = main_;
    step([&] {
        std::string name = m["txtFile"].text();
        f["txtTitFile"].setText(name);
        f["txtData"].setText(m["lblFileData"].text());
        f["txtKB"].setText(m["txtKB"].text());
        f["txtBitness"].setText(m["lblb"].text() + " bits");
        f["txtAddress"].setText(withTrailingBackslash(m.dirListPath()) + name);
    });
    step([&] { f["lbl64bits"].setText(windows64() ? "64 bits" : "32 bits"); });
    step([&] {
        ui::Control& list = f["lstPastas"];
        std::vector<std::string> hits;
        ui::Control& found = m["lstArquivos"];
        for (int i = 0; i < found.count(); ++i) hits.push_back(found.item(i));
        std::vector<std::string> folders = foldersFromHits(hits, f["txtTitFile"].text());
        list.clear();
        if (folders.empty()) {
            list.addItem(kNotFoundInFolders);
            list.setEnabled(false);
            return;
        }
        for (const std::string& folder : folders) list.addItem(folder);
        f["lblEncontrado"].setText("1");
    });
    step([&] {
        f["txtSisOp"].setText("Sistema operacional " + GetActualWindowsVersion() + " / " + f["lbl64bits"].text());
    });
    step([&] { setIcon(m["iconSoftware"].picture()); });
}

void ReportWindow::wireEvents() {
    Form& f = *this;
    ui::Control& list = f["lstPastas"];
    list.onClick = [this, &list] { showCopyFacts(list.selectedIndex()); };
    list.onDblClick = [this, &list] { openListedFolder(list.selectedIndex()); };

    ui::Control& copy = f["btnCopyAll"];
    // One press at a time: a second press before the release would save the
    // shifted place as the one to return to.
    copy.onMouseDown = [this, &copy](const ui::MouseEvent& e) {
        if (e.button != 1 || copyPressed_) return;
        copyPressed_ = true;
        desceBotao(copy);
    };
    copy.onMouseUp = [this, &copy](const ui::MouseEvent& e) {
        if (e.button != 1 || !copyPressed_) return;
        copyPressed_ = false;
        sobeBotao(copy);
    };
    copy.onClick = [this] { copyAll(); };

    timer("TimerMensagem").onTick = [this] {
        (*this)["lblMensagem"].setText("");
        timer("TimerMensagem").setEnabled(false);
    };
}

bool ReportWindow::windows64() const { return number(main_["lbl64bits"].text()) != 0; }

std::string ReportWindow::readPathOf(const std::string& listedFolder) const {
    return copyReadPath(listedFolder, (*this)["txtTitFile"].text(), windows64());
}

void ReportWindow::showCopyFacts(int index) {
    Form& f = *this;
    ui::Control& list = f["lstPastas"];
    if (index < 0 || index >= list.count() || number(f["lblEncontrado"].text()) == 0) return;
    std::string path = readPathOf(list.item(index));
    std::optional<inspect::FileFactsTexts> facts = inspect::readFileFacts(path);
    if (!facts) {
        // Gone since the search: the facts of the folder clicked before must
        // not stand for this one.
        for (const char* n : {"txtKB2", "txtData2", "txtBitness2"}) f[n].setText("");
        f["lblMensagem"].setForeColor(ui::kDarkRed);
        ShowStatusMessage(kCopyUnreadableStatus);
        return;
    }
    f["txtKB2"].setText(facts->size);
    f["txtData2"].setText(facts->date);
    f["txtBitness2"].setText(IsPe64Bit(path) ? "64 bits" : "32 bits");
}

void ReportWindow::openListedFolder(int index) {
    ui::Control& list = (*this)["lstPastas"];
    if (index < 0 || index >= list.count() || number((*this)["lblEncontrado"].text()) == 0) return;
    OpenFolder(list.item(index));
}

void ReportWindow::copyAll() {
    Form& f = *this;
    ReportFields r;
    r.fileName = f["txtTitFile"].text();
    r.address = f["txtAddress"].text();
    r.date = f["txtData"].text();
    r.bitness = f["txtBitness"].text();
    r.size = f["txtKB"].text();
    r.systemLine = f["txtSisOp"].text();
    r.found = number(f["lblEncontrado"].text()) != 0;
    if (r.found) {
        // Read again now: the files may have changed since the list was made.
        ui::Control& list = f["lstPastas"];
        for (int i = 0; i < list.count(); ++i) {
            ReportCopy copy{list.item(i), kCopyUnreadable};
            std::string path = readPathOf(copy.folder);
            if (std::optional<inspect::FileFactsTexts> facts = inspect::readFileFacts(path))
                copy.factsLine = copyFactsLine(facts->date, IsPe64Bit(path), facts->size);
            r.copies.push_back(std::move(copy));
        }
    }
    bool copied = false;
    try {
        copied = main_.services().setClipboardText(hwnd(), reportText(r));
    } catch (...) {
        ui::reportFailure("copying the report");
    }
    // Another program holding the clipboard must not be reported as a copy.
    f["lblMensagem"].setForeColor(copied ? ui::kGreen : ui::kDarkRed);
    ShowStatusMessage(copied ? kCopiedMessage : kCopyFailedMessage);
}

void ReportWindow::OpenFolder(const std::string& folderPath) {
    try {
        main_.services().shellExecute(nullptr, "open", folderPath, "", "", SW_SHOWNORMAL);
    } catch (...) {
        ui::reportFailure("opening " + folderPath);
    }
}

void ReportWindow::ShowStatusMessage(const std::string& text) {
    (*this)["lblMensagem"].setText(text);
    ui::Timer& t = timer("TimerMensagem");
    t.setInterval(1000);
    t.setEnabled(true);
}

void ReportWindow::desceBotao(ui::Control& botao) {
    ui::pressDown(*this, botao, "lblPosTop1", "lblPosLeft1");
}

void ReportWindow::sobeBotao(ui::Control& botao) {
    ui::release(*this, botao, "lblPosTop1", "lblPosLeft1");
}

bool ReportWindow::IsPe64Bit(const std::string& path) { return inspect::IsPe64Bit(*this, main_.services(), path); }

std::string ReportWindow::GetActualWindowsVersion() { return windowsVersionText(platform::kernelVersion()); }

void openReportWindow(MainWindow& main) {
    windows::showInMainPlace(main, main.reportWindow, std::make_unique<ReportWindow>(main));
}

} // namespace brontal::report
