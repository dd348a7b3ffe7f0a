#include "app/main_window.h"

#include <cstdlib>

#include "folders/folder_search.h"
#include "folders/system32_listing.h"
#include "inspect/file_panel.h"
#include "inspect/folder_list.h"
#include "platform/files.h"
#include "platform/process.h"
#include "registration/registration_request.h"
#include "ui/events.h"
#include "verify/verify_flow.h"
#include "windows/about_window.h"
#include "windows/admin_notice.h"
#include "windows/help_window.h"

namespace brontal {
namespace {

int number(const std::string& text) { return std::atoi(text.c_str()); }

} // namespace

MainWindow::MainWindow(Services services) : MainPanel(std::move(services)) { wireEvents(); }

MainWindow::~MainWindow() = default;

std::string MainWindow::dirListPath() const { return dirPath_; }

void MainWindow::setDirListPath(const std::string& path) {
    std::string chosen = inspect::fillFolderList(DirList, path, dirPaths_);
    if (chosen.empty()) return; // not ready or gone: the list stays where it was
    bool changed = chosen != dirPath_;
    dirPath_ = chosen;
    if (changed) inspect::onFolderChange(*this);
}

void MainWindow::openDirListEntry(int index) {
    if (index >= 0 && index < static_cast<int>(dirPaths_.size())) setDirListPath(dirPaths_[static_cast<size_t>(index)]);
}

void MainWindow::setDrive(const std::string& root) { inspect::selectDrive(*this, root); }

void MainWindow::verifyComponent() { verify::verifyComponent(*this); }

void MainWindow::OpenFolder(const std::string& folderPath) {
    services().shellExecute(nullptr, "open", folderPath, "", "", SW_SHOWNORMAL);
    // Only a real name goes to the clipboard: an empty box must not wipe what
    // the user had there.
    std::string name = txtFile.text();
    if (chkCopy.checked() && fileSelected() && !name.empty()) services().setClipboardText(hwnd(), name);
}

void MainWindow::UnloadAllForms() {
    // Whatever runs further up the stack (a search, a registry wait) stops at
    // its next look, should the program go on after this.
    stopFlag = true;
    for (ui::Form* form : ui::Form::openForms())
        if (form != this) form->close();
    // The program ends here and now, not back in a loop that would first let
    // the interrupted operations run on against closed windows.
    if (services().endProgram) services().endProgram(0);
    else PostQuitMessage(0);
}

void MainWindow::fitModeLine() {
    // The design was drawn at 96 DPI, where the line's text just fits before
    // the "+". Fonts do not grow exactly with the resolution: at any other,
    // the line takes the width its text needs and the "+" stands after it.
    if (ui::screenDpi() == 96) return;
    ui::Control& line = lblAdminMode2.visible() ? lblAdminMode2 : lblAdminMode0;
    int needed = line.textWidth();
    if (needed > line.width()) line.move(line.left(), line.top(), needed, line.height());
    int after = line.left() + needed;
    if (lblAdminMode1.left() < after) lblAdminMode1.setLeft(after);
}

void MainWindow::onResized() {
    if (minimized()) return;
    if (height() != kHeight || width() != kWidth) setSize(kWidth, kHeight);
}

bool MainWindow::onKey(int vk) {
    if (vk != VK_ESCAPE || !btnVer.enabled()) return false;
    TimerSearch.setEnabled(false);
    TimerAguarde.setEnabled(false);
    stopFlag = true;
    lblStopSearch.setText("0");
    lblTimerAguarde.setText("0");
    return false;
}

void MainWindow::wireEvents() {
    onResize = [this] { onResized(); };
    onKeyDown = [this](int vk) { return onKey(vk); };
    onUnload = [this] { UnloadAllForms(); };

    inspect::wireFilePanel(*this);
    folders::wireSystem32Listing(*this);
    folders::wireFolderSearch(*this);

    btnVer.onClick = [this] { verifyComponent(); };
    btnReg.onClick = [this] { registration::requestRegistration(*this, RegMode::Register); };
    btnUnreg.onClick = [this] { registration::requestRegistration(*this, RegMode::Unregister); };
    btnStop.onClick = [this] { stopFlag = true; };

    btnCMD.onClick = [this] {
        // The system's own cmd.exe: a bare name would let the shell take one
        // lying in the current folder, with administrator rights at that.
        services().shellExecute(hwnd(), elevated() ? "runas" : "", platform::systemProgram("cmd.exe"),
                                "/K cd /d C:\\", "", SW_SHOWNORMAL);
    };
    btnRegistro.onClick = [this] {
        services().shellExecute(nullptr, elevated() ? "runas" : "", "C:\\Windows\\Regedit.exe", "", "", SW_HIDE);
    };
    btnHelp.onClick = [this] { windows::openHelpWindow(*this); };
    btnAbout.onClick = [this] { windows::openAboutWindow(*this); };

    lblAdminMode1.onMouseDown = [this](const ui::MouseEvent&) { desceBotao(lblAdminMode1); };
    lblAdminMode1.onMouseUp = [this](const ui::MouseEvent&) { sobeBotao(lblAdminMode1); };
    lblAdminMode1.onClick = [this] { windows::showAdminNotice(*this); };

    struct Shortcut {
        ui::Control& text;
        ui::Control& image;
        const char* path;
    };
    const Shortcut shortcuts[] = {{lblSystem32, imgSystem32, "C:\\Windows\\System32"},
                                  {lblSysWOW64, imgSysWOW64, "C:\\Windows\\SysWOW64"},
                                  {lblCommonFiles, imgCommonFiles, "C:\\Program Files\\Common Files"},
                                  {lblCommonFilesX86, imgCommonFilesX86, "C:\\Program Files (x86)\\Common Files"}};
    for (const Shortcut& s : shortcuts) {
        ui::Control& text = s.text;
        ui::Control& image = s.image;
        std::string path = s.path;
        for (ui::Control* c : {&text, &image}) {
            c->onMouseDown = [this, &text, &image](const ui::MouseEvent&) { desceBotoes(text, image); };
            c->onMouseUp = [this, &text, &image](const ui::MouseEvent&) { sobeBotoes(text, image); };
            c->onClick = [this, path] { OpenFolder(path); };
        }
    }

    chkCopy.onClick = [this] {
        bool wasOn = number(lblCheckValue.text()) == 1;
        ui::OleColor colour = wasOn ? ui::systemColor(16) : ui::systemColor(18);
        chkCopy.setForeColor(colour);
        lblCheckTest.setForeColor(colour);
        lblCheckValue.setText(wasOn ? "0" : "1");
    };
}

} // namespace brontal
