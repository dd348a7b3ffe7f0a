// Brontal32: registers, unregisters and inspects COM component files.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"
#include "platform/system.h"
#include "ui/events.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    brontal::platform::restrictDllSearchToSystem();
    brontal::platform::suppressSystemErrorDialogs();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    int code = 0;
    try {
        brontal::MainWindow main(brontal::Services::real());
        main.load();
        main.show();
        code = brontal::ui::runMessageLoop();
    } catch (...) {
        brontal::ui::reportFailure("opening the main window");
        MessageBoxW(nullptr, L"Não foi possível abrir a janela principal.", L"Brontal32", MB_ICONERROR);
        code = 1;
    }
    return code;
}
