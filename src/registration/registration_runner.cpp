#include "registration/registration_runner.h"

#include <memory>

#include "panel/main_panel.h"
#include "platform/files.h"
#include "platform/process.h"
#include "registration/registration_command.h"
#include "registration/result_window.h"

namespace brontal::registration {

void ExecuteRegistration(MainPanel& main, ui::Form& confirmWindow, const std::string& fullPath,
                         const std::string& fileName) {
    Services& services = main.services();
    if (fileName.empty() || fileName == main.lblTxtFileIni.text()) {
        services.beep();
        main.ShowErrorMessage("É preciso selecionar um arquivo primeiro.");
    } else if (!hasComponentExtension(fullPath)) {
        services.beep();
        main.ShowErrorMessage("Somente arquivos dll e ocx podem ser (des)registrados.");
    } else {
        RegMode mode = modeFromText(main.lblIntReg.text());
        std::string program = regsvr32Program(main.lblb.text(), main.windowsIs64());
        platform::ProcessExit run =
            RunHiddenCommand(main, confirmWindow, program, regsvr32Arguments(mode, fullPath), main.elevated());
        bool ok = run.succeeded();
        services.beep();
        auto result = std::make_unique<ResultWindow>(main);
        ui::Control& message = result->lblMensagem;
        message.setForeColor(ok ? ui::kGreen : ui::kDarkRed);
        message.setText(outcomeText(mode, ok));
        result->showModal();
        // Once the outcome has been shown, why it failed: regsvr32 says it
        // only through its exit code. Told like a refusal, for three seconds.
        if (run.started && run.exitCodeRead && run.exitCode != 0) main.ShowErrorMessage(exitCodeReason(run.exitCode));
    }
    confirmWindow.hide();
    confirmWindow.close();
}

platform::ProcessExit RunHiddenCommand(MainPanel& main, ui::Form& owner, const std::string& program,
                                       const std::string& arguments, bool elevated) {
    Services& services = main.services();
    platform::ProcessExit exit = services.runHidden(hiddenRun(program, arguments, elevated, owner.hwnd()));
    if (!exit.started) {
        std::string text =
            elevated ? "Erro ao tentar executar como administrador" : "Erro ao executar comando: " + program + arguments;
        services.messageBox(owner.hwnd(), text, "Brontal32", MB_OK | MB_ICONERROR);
    }
    return exit;
}

platform::HiddenRun hiddenRun(const std::string& program, const std::string& arguments, bool elevated, HWND owner) {
    platform::HiddenRun run;
    run.owner = owner;
    run.file = program;
    if (elevated) {
        // One run, through the shell, and that run decides.
        run.verb = "runas";
        run.parameters = arguments;
        run.directory = platform::systemFolder();
    } else {
        run.commandLine = program + arguments;
    }
    return run;
}

} // namespace brontal::registration
