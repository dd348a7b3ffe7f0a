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

bool Is64BitWindows() { return platform::windowsIs64(); }

} // namespace

void MainWindow::load() {
    HWND handle = hwnd();
    DisableMaximizeButton(handle);                                   // 1

    setDirListPath(platform::programFolder());                       // 2

    fourSlots = fourSlotTexts();                                     // 3
    twoSlots = twoSlotTexts();

    setKeyPreview(true);                                             // 4

    lbl64bits.setText(Is64BitWindows() ? "1" : "0");                 // 5

    txtFile.setText(lblTxtFileIni.text());                           // 6

    std::string path = dirListPath();                                // 7
    if (path.empty() || path.back() != '\\') path += '\\';
    lblDirAddress.setText(path);

    double screenWidth = ui::pixelsToTwips(GetSystemMetrics(SM_CXSCREEN));   // 8
    double screenHeight = ui::pixelsToTwips(GetSystemMetrics(SM_CYSCREEN));
    moveTo(static_cast<int>((screenWidth - width()) / 2), static_cast<int>((screenHeight - height()) / 2));

    blinkList = {&lblSystem32KB, &lblSysWOW64KB, &lblCommonFilesKB, &lblCommonFilesX86KB};   // 9

    TimerAguarde.setInterval(500);                                   // 10
    TimerAguarde.setEnabled(false);

    setIcon(iconSoftware.picture());                                 // 11

    setDrive("C:\\");                                                // 12

    searchFinished = false;                                          // 13

    if (services().isElevated && services().isElevated()) {          // 14
        lblAdminMode1.setLeft(2430);
        lblAdminMode1.setForeColor(ui::systemColor(12));
        lblAdminMode1.setVisible(true);
        lblAdminMode2.setVisible(true);
        lblAdminMode.setText("1");
        btnCMD.setTip(" Prompt de Comando (CMD) - modo admin ");
        btnRegistro.setTip(" Registro do Windows (Regedit) - 32 bits ");
    } else {
        lblAdminMode0.setVisible(true);
        lblAdminMode1.setVisible(true);
        lblAdminMode.setText("0");
        btnReg.setEnabled(false);
        btnUnreg.setEnabled(false);
    }
    fitModeLine();
}

} // namespace brontal
