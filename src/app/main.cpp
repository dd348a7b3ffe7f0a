// Brontal32: registers, unregisters and inspects COM component files.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_args.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/files.h"
#include "platform/optional_api.h"
#include "platform/system.h"
#include "platform/text.h"
#include "ui/events.h"

namespace {

// The arguments after the program's name, split as every Windows program
// splits them (quotes group, backslashes before a quote escape it).
std::vector<std::string> commandArguments() {
    std::vector<std::string> args;
    const wchar_t* line = GetCommandLineW();
    // A plain start of the window is not worth loading the shell for.
    if (!brontal::argumentsFollowProgramName(brontal::narrow(line))) return args;
    auto split = brontal::platform::shellApi().commandLineToArgvW;
    int count = 0;
    LPWSTR* argv = split ? split(line, &count) : nullptr;
    if (!argv) {
        OutputDebugStringW(L"Brontal32: the command line could not be split; the window opens as without arguments\n");
        return args;
    }
    for (int i = 1; i < count; ++i) args.push_back(brontal::narrow(argv[i]));
    LocalFree(argv);
    return args;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    brontal::platform::restrictDllSearchToSystem();
    brontal::platform::suppressSystemErrorDialogs();
    brontal::Command command = brontal::parseCommand(commandArguments());
    if (command.kind != brontal::CommandKind::Window) {
        // An argument to open is checked as a command; one that names
        // nothing is refused there, in a message box when nobody reads the
        // standard streams.
        brontal::Services services = brontal::Services::real();
        std::unique_ptr<brontal::platform::TextStreams> streams = brontal::platform::standardStreams();
        int code = brontal::runCommand(command, services, *streams);
        streams->finish();
        if (command.kind != brontal::CommandKind::Open || code != 0) return code;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    int code = 0;
    try {
        brontal::MainWindow main(brontal::Services::real());
        main.load();
        main.show();
        if (command.kind == brontal::CommandKind::Open) main.openPath(brontal::platform::fullPath(command.path));
        code = brontal::ui::runMessageLoop();
    } catch (...) {
        brontal::ui::reportFailure("opening the main window");
        MessageBoxW(nullptr, L"Não foi possível abrir a janela principal.", L"Brontal32", MB_ICONERROR);
        code = 1;
    }
    return code;
}
