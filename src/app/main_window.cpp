#include "app/main_window.h"

#include <cstdlib>

#include "folders/folder_search.h"
#include "folders/system32_listing.h"
#include "inspect/file_panel.h"
#include "inspect/folder_list.h"
#include "platform/files.h"
#include "platform/process.h"
#include "registration/registration_request.h"
#include "report/report_window.h"
#include "ui/events.h"
#include "ui/press_effect.h"
#include "ui/window_props.h"
#include "verify/verify_flow.h"
#include "windows/about_window.h"
#include "windows/admin_notice.h"
#include "windows/help_window.h"

namespace brontal {
namespace {

constexpr int kWidth = 5655;
constexpr int kHeight = 5670;

int number(const std::string& text) { return std::atoi(text.c_str()); }

ui::FormArgs mainFormArgs() {
    ui::FormArgs a;
    a.name = "Form1";
    a.width = kWidth;
    a.height = kHeight;
    a.maximizeBox = true; // the load steps take it away again
    return a;
}

} // namespace

MainWindow::MainWindow(Services services) : ui::Form(mainFormArgs()), services_(std::move(services)) {
    createControls();
    addTimer("TimerMensagem", 100, true);
    addTimer("TimerAguarde", 500, false);
    addTimer("TimerSearch", 250, false);
    wireEvents();
}

MainWindow::~MainWindow() = default;

std::vector<FolderSlot> MainWindow::slots() const { return slotsFrom(windowsIs64() ? fourSlots : twoSlots); }

bool MainWindow::windowsIs64() const { return number((*this)["lbl64bits"].text()) == 1; }
bool MainWindow::elevated() const { return number((*this)["lblAdminMode"].text()) != 0; }

bool MainWindow::fileSelected() const {
    std::string name = (*this)["txtFile"].text();
    return !name.empty() && name != (*this)["lblTxtFileIni"].text();
}

std::string MainWindow::selectedPath() const {
    return (*this)["lblDirAddress"].text() + (*this)["lblFileAddress"].text();
}

std::string MainWindow::dirListPath() const { return dirPath_; }

void MainWindow::setDirListPath(const std::string& path) {
    std::string chosen = inspect::fillFolderList((*this)["DirList"], path, dirPaths_);
    if (chosen.empty()) return; // not ready or gone: the list stays where it was
    bool changed = chosen != dirPath_;
    dirPath_ = chosen;
    if (changed) inspect::onFolderChange(*this);
}

void MainWindow::openDirListEntry(int index) {
    if (index >= 0 && index < static_cast<int>(dirPaths_.size())) setDirListPath(dirPaths_[static_cast<size_t>(index)]);
}

void MainWindow::setDrive(const std::string& root) { inspect::selectDrive(*this, root); }

void MainWindow::desceBotao(ui::Control& botao) { ui::pressDown(botao, (*this)["lblPosTop1"], (*this)["lblPosLeft1"]); }

void MainWindow::sobeBotao(ui::Control& botao) { ui::release(botao); }

void MainWindow::desceBotoes(ui::Control& botao1, ui::Control& botao2) {
    ui::pressDown(botao1, (*this)["lblPosTop1"], (*this)["lblPosLeft1"]);
    ui::pressDown(botao2, (*this)["lblPosTop2"], (*this)["lblPosLeft2"]);
}

void MainWindow::sobeBotoes(ui::Control& botao1, ui::Control& botao2) {
    ui::release(botao1);
    ui::release(botao2);
}

void MainWindow::finished(Done what) {
    static constexpr const wchar_t* kProps[] = {ui::kVerificationsDoneProp, ui::kSearchesDoneProp,
                                                ui::kRegistrationsDoneProp};
    int i = static_cast<int>(what);
    ui::publishCount(hwnd(), kProps[i], ++done_[i]);
}

void MainWindow::OpenFolder(const std::string& folderPath) {
    services_.shellExecute(nullptr, "open", folderPath, "", "", SW_SHOWNORMAL);
    // Only a real name goes to the clipboard: an empty box must not wipe what
    // the user had there.
    std::string name = (*this)["txtFile"].text();
    if ((*this)["chkCopy"].checked() && fileSelected() && !name.empty())
        services_.setClipboardText(hwnd(), name);
}

void MainWindow::UnloadAllForms() {
    // Whatever runs further up the stack (a search, a registry wait) stops at
    // its next look, should the program go on after this.
    stopFlag = true;
    for (ui::Form* form : ui::Form::openForms())
        if (form != this) form->close();
    // The program ends here and now, not back in a loop that would first let
    // the interrupted operations run on against closed windows.
    if (services_.endProgram) services_.endProgram(0);
    else PostQuitMessage(0);
}

void MainWindow::onResized() {
    if (minimized()) return;
    if (height() != kHeight || width() != kWidth) setSize(kWidth, kHeight);
}

bool MainWindow::onKey(int vk) {
    if (vk != VK_ESCAPE || !(*this)["btnVer"].enabled()) return false;
    timer("TimerSearch").setEnabled(false);
    timer("TimerAguarde").setEnabled(false);
    stopFlag = true;
    (*this)["lblStopSearch"].setText("0");
    (*this)["lblTimerAguarde"].setText("0");
    return false;
}

void MainWindow::wireEvents() {
    Form& f = *this;
    onResize = [this] { onResized(); };
    onKeyDown = [this](int vk) { return onKey(vk); };
    onUnload = [this] { UnloadAllForms(); };

    inspect::wireFilePanel(*this);
    folders::wireSystem32Listing(*this);
    folders::wireFolderSearch(*this);

    f["btnVer"].onClick = [this] { verify::verifyComponent(*this); };
    f["btnReg"].onClick = [this] { registration::requestRegistration(*this, RegMode::Register); };
    f["btnUnreg"].onClick = [this] { registration::requestRegistration(*this, RegMode::Unregister); };
    f["btnStop"].onClick = [this] { stopFlag = true; };

    f["btnCMD"].onClick = [this] {
        // The system's own cmd.exe: a bare name would let the shell take one
        // lying in the current folder, with administrator rights at that.
        services_.shellExecute(hwnd(), elevated() ? "runas" : "", platform::systemProgram("cmd.exe"),
                               "/K cd /d C:\\", "", SW_SHOWNORMAL);
    };
    f["btnRegistro"].onClick = [this] {
        services_.shellExecute(nullptr, elevated() ? "runas" : "", "C:\\Windows\\Regedit.exe", "", "", SW_HIDE);
    };
    f["btnHelp"].onClick = [this] { windows::openHelpWindow(*this); };
    f["btnAbout"].onClick = [this] { windows::openAboutWindow(*this); };

    auto& plus = f["lblAdminMode1"];
    plus.onMouseDown = [this, &plus](const ui::MouseEvent&) { desceBotao(plus); };
    plus.onMouseUp = [this, &plus](const ui::MouseEvent&) { sobeBotao(plus); };
    plus.onClick = [this] { windows::showAdminNotice(*this); };

    struct Shortcut {
        const char* key;
        const char* path;
    };
    static constexpr Shortcut shortcuts[] = {{"System32", "C:\\Windows\\System32"},
                                             {"SysWOW64", "C:\\Windows\\SysWOW64"},
                                             {"CommonFiles", "C:\\Program Files\\Common Files"},
                                             {"CommonFilesX86", "C:\\Program Files (x86)\\Common Files"}};
    for (const Shortcut& s : shortcuts) {
        auto& text = f[std::string("lbl") + s.key];
        auto& image = f[std::string("img") + s.key];
        std::string path = s.path;
        for (ui::Control* c : {&text, &image}) {
            c->onMouseDown = [this, &text, &image](const ui::MouseEvent&) { desceBotoes(text, image); };
            c->onMouseUp = [this, &text, &image](const ui::MouseEvent&) { sobeBotoes(text, image); };
            c->onClick = [this, path] { OpenFolder(path); };
        }
    }

    f["chkCopy"].onClick = [this] {
        Form& f = *this;
        bool wasOn = number(f["lblCheckValue"].text()) == 1;
        ui::OleColor colour = wasOn ? ui::systemColor(16) : ui::systemColor(18);
        f["chkCopy"].setForeColor(colour);
        f["lblCheckTest"].setForeColor(colour);
        f["lblCheckValue"].setText(wasOn ? "0" : "1");
    };
}

} // namespace brontal
