#include "verify/verify_flow.h"

#include "app/main_window.h"
#include "folders/folder_search.h"
#include "inspect/file_panel.h"
#include "registration/registration_command.h"
#include "ui/events.h"
#include "verify/registry_worker.h"

namespace brontal::verify {
namespace {

void neutralIndicator(MainWindow& main) {
    main["imgCharge"].setTip("");
    main["imgCharge"].setPicture(main["imgCharge1"].picture());
}

// Processes window events until the worker has reported and unloaded. The
// thread sleeps while nothing is pending instead of spinning.
void waitForWorker(MainWindow& main) {
    while (!main.searchFinished && main.isOpen()) {
        ui::processPendingEvents();
        if (main.searchFinished) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

} // namespace

void verifyComponent(MainWindow& main) {
    ui::Form& f = main;
    // A verification already waiting for its registry answer is left alone:
    // a second one would restart the worker's delay while both wait.
    if (main.worker && main.worker->isOpen()) return;
    struct Finished {
        MainWindow& main;
        ~Finished() { main.finished(MainWindow::Done::Verification); }
    } finished{main};

    if (f["DirList"].enabled()) {                                        // 1
        inspect::comparisonPanelClear(main);
        f["txtRegistrado"].setText("");
        neutralIndicator(main);
    }
    std::string file = f["txtFile"].text();                              // 2
    if (file.empty() || file == f["lblTxtFileIni"].text()) {
        main.services().beep();
        inspect::ShowErrorMessage(main, "É preciso selecionar um arquivo primeiro.");
        return;
    }
    if (f["lblStopSearch"].text() != "0") {                              // 3
        folders::stopFolderSearch(main);
        folders::settleSearchIndicators(main);
        return;
    }
    std::string name = f["lblFileAddress"].text();                       // 4

    f["imgCharge"].setPicture(f["imgCharge1"].picture());                // 5
    f["txtRegistrado"].setText("");
    f["txtRegistrado"].setForeColor(ui::systemColor(16));
    f["txtRegistrado"].setText("Procurando componente no registro. Aguarde...");

    if (!hasComponentExtension(name)) {                                  // 6
        main.services().beep();
        inspect::ShowErrorMessage(main, "Apenas arquivos dll e ocx podem ser verificados.");
        inspect::comparisonPanelClear(main);
        folders::settleSearchIndicators(main);
        return;
    }

    main.searchFinished = false;                                         // 7
    // The answers on screen must belong to the file on screen: no other file
    // can be picked until the whole verification is over.
    for (const char* list : {"DriveList", "DirList", "FileList", "List1"}) f[list].setEnabled(false);
    auto worker = std::make_unique<RegistryWorker>(main);
    RegistryWorker& w = *worker;
    // Released once its own tick, which closes it, has returned.
    w.onClosed = [&main] { ui::releaseWhenIdle(std::move(main.worker)); };
    main.worker = std::move(worker);
    w.TimerRegSearch.setEnabled(true);
    w.StartProcessing();
    f["btnVer"].setEnabled(false);
    waitForWorker(main);
    f["btnVer"].setEnabled(true);
    f["btnVer"].setFocus();
    if (!main.isOpen()) return;

    folders::runFolderSearch(main, name);                                // 8

    folders::settleSearchIndicators(main);                               // 9
}

} // namespace brontal::verify
