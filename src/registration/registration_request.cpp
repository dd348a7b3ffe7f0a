#include "registration/registration_request.h"

#include <memory>
#include <string>

#include "panel/main_panel.h"
#include "registration/confirm_window.h"

namespace brontal::registration {

void requestRegistration(MainPanel& main, RegMode mode) {
    Services& services = main.services();
    std::string name = main.lblFileAddress.text();
    // lblFileAddress keeps the last file after a folder change or a clear; only
    // a name the panel still shows is a selection.
    if (name.empty() || name == main.lblTxtFileIni.text() || !main.fileSelected()) {
        services.beep();
        main.ShowErrorMessage("É preciso selecionar um arquivo primeiro.");
        return;
    }
    if (!hasComponentExtension(name)) {
        services.beep();
        main.ShowErrorMessage(mode == RegMode::Register
                                            ? "Apenas arquivos dll ou ocx podem ser registrados."
                                            : "Apenas arquivos dll ou ocx podem ser desregistrados.");
        return;
    }
    main.lblIntReg.setText(mode == RegMode::Register ? "1" : "0");
    main.lblLeftReg.setText(std::to_string(main.left() + 1035));
    main.lblTopReg.setText(std::to_string(main.top() + 1980));

    auto confirm = std::make_unique<ConfirmWindow>(main);
    confirm->showModal();
    main.finished(MainPanel::Done::Registration);
}

} // namespace brontal::registration
