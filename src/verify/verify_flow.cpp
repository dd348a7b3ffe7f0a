#include "verify/verify_flow.h"

#include "folders/comparison_panel.h"
#include "folders/folder_search.h"
#include "panel/main_panel.h"
#include "registration/registration_command.h"
#include "ui/events.h"
#include "verify/registry_worker.h"

namespace brontal::verify {
namespace {

void neutralIndicator(MainPanel& main) {
    main.imgCharge.setTip("");
    main.imgCharge.setPicture(main.imgCharge1.picture());
}

// Processes window events until the worker has reported and unloaded. The
// thread sleeps while nothing is pending instead of spinning.
void waitForWorker(MainPanel& main) {
    while (!main.searchFinished && main.isOpen()) {
        ui::processPendingEvents();
        if (main.searchFinished) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

} // namespace

void verifyComponent(MainPanel& main) {
    // A verification already waiting for its registry answer is left alone:
    // a second one would restart the worker's delay while both wait.
    if (main.worker && main.worker->isOpen()) return;
    struct Finished {
        MainPanel& main;
        bool counted = true;
        ~Finished() {
            if (counted) main.finished(MainPanel::Done::Verification);
        }
    } finished{main};

    if (main.DirList.enabled()) {                                        // 1
        folders::comparisonPanelClear(main);
        main.txtRegistrado.setText("");
        neutralIndicator(main);
    }
    std::string file = main.txtFile.text();                              // 2
    if (file.empty() || file == main.lblTxtFileIni.text()) {
        main.services().beep();
        main.ShowErrorMessage("É preciso selecionar um arquivo primeiro.");
        return;
    }
    if (main.lblStopSearch.text() != "0") {                              // 3
        folders::stopFolderSearch(main);
        folders::settleSearchIndicators(main);
        return;
    }
    if (main.verifying) {
        // Reached from a pumping point of a verification that is stopping
        // (Esc, then this click): starting a whole one in here would clear
        // its stop, and the outer walk would go on filling the slots for the
        // old name. Only the request is taken; it runs once that one is over.
        main.verifyAgain = true;
        finished.counted = false;
        return;
    }
    struct Running {
        MainPanel& main;
        explicit Running(MainPanel& m) : main(m) { main.verifying = true; }
        ~Running() {
            main.verifying = false;
            if (!main.verifyAgain || !main.isOpen()) return;
            main.verifyAgain = false;
            MainPanel* panel = &main;
            HWND window = main.hwnd();
            ui::runLater([panel, window] {
                if (ui::Form::fromHwnd(window) == panel) panel->verifyComponent();
            });
        }
    } running{main};
    std::string name = main.lblFileAddress.text();                       // 4

    main.imgCharge.setPicture(main.imgCharge1.picture());                // 5
    main.txtRegistrado.setText("");
    main.txtRegistrado.setForeColor(ui::systemColor(16));
    main.txtRegistrado.setTip("");
    main.txtRegistrado.setText("Procurando componente no registro. Aguarde...");

    if (!hasComponentExtension(name)) {                                  // 6
        main.services().beep();
        main.ShowErrorMessage("Apenas arquivos dll e ocx podem ser verificados.");
        folders::comparisonPanelClear(main);
        folders::settleSearchIndicators(main);
        return;
    }

    main.searchFinished = false;                                         // 7
    // The answers on screen must belong to the file on screen: no other file
    // can be picked until the whole verification is over.
    for (ui::Control* list : {&main.DriveList, &main.DirList, &main.FileList, &main.List1}) list->setEnabled(false);
    auto worker = std::make_unique<RegistryWorker>(main);
    RegistryWorker& w = *worker;
    // Released once its own tick, which closes it, has returned.
    w.onClosed = [&main] { ui::releaseWhenIdle(std::move(main.worker)); };
    main.worker = std::move(worker);
    w.TimerRegSearch.setEnabled(true);
    w.StartProcessing();
    main.btnVer.setEnabled(false);
    waitForWorker(main);
    main.btnVer.setEnabled(true);
    main.btnVer.setFocus();
    if (!main.isOpen()) return;

    folders::runFolderSearch(main, name);                                // 8

    folders::settleSearchIndicators(main);                               // 9
}

} // namespace brontal::verify
