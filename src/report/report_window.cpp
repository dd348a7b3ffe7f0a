#include "report/report_window.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "core/paths.h"
#include "core/version_record.h"
#include "folders/comparison_panel.h"
#include "panel/main_panel.h"
#include "platform/file_identity.h"
#include "platform/windows_version.h"
#include "report/os_naming.h"
#include "report/report_text.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "windows/main_place.h"

namespace brontal::report {
namespace {

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

ReportWindow::ReportWindow(MainPanel& main) : ui::Form(reportFormArgs()), main_(main), listTip_(lstPastas.tip()) {
    windows::holdSize(*this, windows::kPlaceWidth, windows::kPlaceHeight);
    windows::dragBySurface(*this);
    wireEvents();
    load();
}

void ReportWindow::load() {
    MainPanel& m = main_;
    step([&] {
        std::string name = m.txtFile.text();
        txtTitFile.setText(name);
        txtData.setText(m.lblFileData.text());
        txtKB.setText(m.txtKB.text());
        txtBitness.setText(m.lblb.text() + " bits");
        txtAddress.setText(withTrailingBackslash(m.dirListPath()) + name);
    });
    step([&] { lbl64bits.setText(windows64() ? "64 bits" : "32 bits"); });
    step([&] {
        ui::Control& list = lstPastas;
        std::vector<std::string> hits;
        ui::Control& found = m.lstArquivos;
        for (int i = 0; i < found.count(); ++i) hits.push_back(found.item(i));
        std::vector<std::string> folders = foldersFromHits(hits, txtTitFile.text());
        list.clear();
        if (folders.empty()) {
            list.addItem(kNotFoundInFolders);
            list.setEnabled(false);
            return;
        }
        for (const std::string& folder : folders) list.addItem(folder);
        lblEncontrado.setText("1");
    });
    step([&] {
        txtSisOp.setText("Sistema operacional " + GetActualWindowsVersion() + " / " + lbl64bits.text());
    });
    step([&] { setIcon(m.iconSoftware.picture()); });
}

void ReportWindow::wireEvents() {
    lstPastas.onClick = [this] { showCopyFacts(lstPastas.selectedIndex()); };
    lstPastas.onDblClick = [this] { openListedFolder(lstPastas.selectedIndex()); };

    ui::Control& copy = btnCopyAll;
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
    // Enter opens the chosen folder as a double click does; Esc closes.
    lstPastas.onKeyPress = [this](int ch) {
        if (ch != 13) return false;
        openListedFolder(lstPastas.selectedIndex());
        return true;
    };
    setKeyPreview(true);
    onKeyDown = [this](int vk) {
        if (vk != VK_ESCAPE) return false;
        close();
        return true;
    };

    TimerMensagem.onTick = [this] {
        lblMensagem.setText("");
        TimerMensagem.setEnabled(false);
    };
}

bool ReportWindow::windows64() const { return number(main_.lbl64bits.text()) != 0; }

std::string ReportWindow::readPathOf(const std::string& listedFolder) const {
    return copyReadPath(listedFolder, txtTitFile.text(), windows64());
}

void ReportWindow::showCopyFacts(int index) {
    ui::Control& list = lstPastas;
    if (index < 0 || index >= list.count() || number(lblEncontrado.text()) == 0) return;
    std::string path = readPathOf(list.item(index));
    std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(path);
    if (!facts) {
        // Gone since the search: the facts of the folder clicked before must
        // not stand for this one.
        for (ui::Control* box : {&txtKB2, &txtData2, &txtBitness2}) box->setText("");
        lstPastas.setTip(listTip_);
        lblMensagem.setForeColor(ui::kDarkRed);
        ShowStatusMessage(kCopyUnreadableStatus);
        return;
    }
    txtKB2.setText(facts->size);
    txtData2.setText(facts->date);
    txtBitness2.setText(IsPe64Bit(path) ? "64 bits" : "32 bits");
    // The entry's copy by version too: its tip gains a line for it.
    lstPastas.setTip(listTip_ + "\n " + versionTipLine(platform::fileVersion(path)) + " ");
}

void ReportWindow::openListedFolder(int index) {
    ui::Control& list = lstPastas;
    if (index < 0 || index >= list.count() || number(lblEncontrado.text()) == 0) return;
    OpenFolder(list.item(index));
}

void ReportWindow::copyAll() {
    ReportFields r;
    r.fileName = txtTitFile.text();
    r.address = txtAddress.text();
    r.date = txtData.text();
    r.bitness = txtBitness.text();
    r.size = txtKB.text();
    r.systemLine = txtSisOp.text();
    r.found = number(lblEncontrado.text()) != 0;
    if (r.found) {
        // Read again now: the files may have changed since the list was made.
        ui::Control& list = lstPastas;
        for (int i = 0; i < list.count(); ++i) {
            ReportCopy copy{list.item(i), kCopyUnreadable};
            std::string path = readPathOf(copy.folder);
            if (std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(path))
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
    lblMensagem.setForeColor(copied ? ui::kGreen : ui::kDarkRed);
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
    lblMensagem.setText(text);
    TimerMensagem.setInterval(1000);
    TimerMensagem.setEnabled(true);
}

void ReportWindow::desceBotao(ui::Control& botao) {
    ui::pressDown(botao, lblPosTop1, lblPosLeft1);
}

void ReportWindow::sobeBotao(ui::Control& botao) {
    ui::release(botao);
}

bool ReportWindow::IsPe64Bit(const std::string& path) { return folders::IsPe64Bit(lblb, main_.services(), path); }

std::string ReportWindow::GetActualWindowsVersion() { return windowsVersionText(platform::kernelVersion()); }

void openReportWindow(MainPanel& main) {
    windows::showInMainPlace(main, main.reportWindow, std::make_unique<ReportWindow>(main));
}

} // namespace brontal::report
