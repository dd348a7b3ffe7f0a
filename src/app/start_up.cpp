// The main window's load steps, in their order: each runs to its end before
// the next begins.
#include "app/main_window.h"

#include "platform/files.h"
#include "ui/units.h"

namespace brontal {
namespace {

// The title bar offers no maximise button.
void DisableMaximizeButton(HWND& hwnd) {
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    SetWindowLongW(hwnd, GWL_STYLE, style & ~WS_MAXIMIZEBOX);
    DrawMenuBar(hwnd);
}

bool Is64BitWindows() { return platform::folderExists("C:\\Windows\\SysWOW64"); }

} // namespace

void MainWindow::load() {
    Form& f = *this;
    HWND handle = hwnd();
    DisableMaximizeButton(handle);                                   // 1

    setDirListPath(platform::programFolder());                       // 2

    fourSlots = fourSlotTexts();                                     // 3
    twoSlots = twoSlotTexts();

    setKeyPreview(true);                                             // 4

    f["lbl64bits"].setText(Is64BitWindows() ? "1" : "0");            // 5

    f["txtFile"].setText(f["lblTxtFileIni"].text());                 // 6

    std::string path = dirListPath();                                // 7
    if (path.empty() || path.back() != '\\') path += '\\';
    f["lblDirAddress"].setText(path);

    double screenWidth = ui::pixelsToTwips(GetSystemMetrics(SM_CXSCREEN));   // 8
    double screenHeight = ui::pixelsToTwips(GetSystemMetrics(SM_CYSCREEN));
    moveTo(static_cast<int>((screenWidth - width()) / 2), static_cast<int>((screenHeight - height()) / 2));

    blinkList = {&f["lblSystem32KB"], &f["lblSysWOW64KB"], &f["lblCommonFilesKB"],   // 9
                 &f["lblCommonFilesX86KB"]};

    timer("TimerAguarde").setInterval(500);                          // 10
    timer("TimerAguarde").setEnabled(false);

    setIcon(f["iconSoftware"].picture());                            // 11

    setDrive("C:\\");                                                // 12

    searchFinished = false;                                          // 13

    if (services_.isElevated && services_.isElevated()) {            // 14
        f["lblAdminMode1"].setLeft(2430);
        f["lblAdminMode1"].setForeColor(ui::systemColor(12));
        f["lblAdminMode1"].setVisible(true);
        f["lblAdminMode2"].setVisible(true);
        f["lblAdminMode"].setText("1");
        f["btnCMD"].setTip(" Prompt de Comando (CMD) - modo admin ");
        f["btnRegistro"].setTip(" Registro do Windows (Regedit) - 32 bits ");
    } else {
        f["lblAdminMode0"].setVisible(true);
        f["lblAdminMode1"].setVisible(true);
        f["lblAdminMode"].setText("0");
        f["btnReg"].setEnabled(false);
        f["btnUnreg"].setEnabled(false);
    }
}

} // namespace brontal
