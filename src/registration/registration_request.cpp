#include "registration/registration_request.h"

#include <memory>
#include <string>

#include "app/main_window.h"
#include "inspect/file_panel.h"
#include "registration/confirm_window.h"

namespace brontal::registration {

void requestRegistration(MainWindow& main, RegMode mode) {
    Services& services = main.services();
    std::string name = main["lblFileAddress"].text();
    // lblFileAddress keeps the last file after a folder change or a clear; only
    // a name the panel still shows is a selection.
    if (name.empty() || name == main["lblTxtFileIni"].text() || !main.fileSelected()) {
        services.beep();
        inspect::ShowErrorMessage(main, "É preciso selecionar um arquivo primeiro.");
        return;
    }
    if (!hasComponentExtension(name)) {
        services.beep();
        inspect::ShowErrorMessage(main, mode == RegMode::Register
                                            ? "Apenas arquivos dll ou ocx podem ser registrados."
                                            : "Apenas arquivos dll ou ocx podem ser desregistrados.");
        return;
    }
    main["lblIntReg"].setText(mode == RegMode::Register ? "1" : "0");
    main["lblLeftReg"].setText(std::to_string(main.left() + 1035));
    main["lblTopReg"].setText(std::to_string(main.top() + 1980));

    auto confirm = std::make_unique<ConfirmWindow>(main);
    confirm->showModal();
    main.finished(MainWindow::Done::Registration);
}

} // namespace brontal::registration
