#include "verify/registry_worker.h"

#include "core/paths.h"
#include "panel/main_panel.h"
#include "platform/files.h"
#include "platform/process.h"
#include "ui/events.h"
#include "verify/component_facts.h"
#include "verify/registry_query.h"

namespace brontal::verify {
namespace {

ui::FormArgs workerArgs() {
    ui::FormArgs a;
    a.name = "Form7";
    a.caption = "Form7";
    a.width = 0;
    a.height = 0;
    a.ownedByMain = true;
    return a;
}

constexpr int kDelayPasses = 100000;
constexpr int kPassesPerTick = 1000;

} // namespace

RegistryWorker::RegistryWorker(MainPanel& main) : ui::Form(workerArgs()), main_(main) {
    Timer1.setInterval(1);
    Timer1.setEnabled(false);
    done_ = false;

    TimerRegSearch.onTick = [this] {
        ui::Control& line = main_.txtRegistrado;
        if (lblRegSearch.text() != "0") {
            lblRegSearch.setText("0");
            line.setForeColor(ui::systemColor(16));
        } else {
            lblRegSearch.setText("1");
            line.setForeColor(ui::systemColor(5));
        }
    };
    Timer1.onTick = [this] { tick(); };
    onUnload = [this] {
        TestComponentLoad(componentPath_);
        main_.searchFinished = true;
    };
}

void RegistryWorker::StartProcessing() {
    componentName_ = main_.txtFile.text();
    // The selected file itself, as the panel shows it: for an entry of the
    // System32 listing that is the Sysnative copy, not its SysWOW64 namesake.
    componentPath_ = main_.lblDirAddress.text() + componentName_;
    if (main_.lblDirAddress.text().empty())
        componentPath_ = childPath(main_.dirListPath(), componentName_);
    delayCounter_ = 1;
    Timer1.setEnabled(true);
}

void RegistryWorker::tick() {
    for (int pass = 1; pass <= kPassesPerTick; ++pass) {
        ui::processPendingEvents();
        if (!isOpen()) return;
        if (delayCounter_ <= kDelayPasses && !done_) {
            ++delayCounter_;
        } else if (done_) {
            endOfWork();
            return;
        } else {
            ReportRegistrySearch(componentName_);
            done_ = true;
            delayCounter_ = 1;
        }
    }
}

void RegistryWorker::endOfWork() {
    Timer1.setEnabled(false);
    hide();
    // Closing destroys the timers, the one whose tick is running among them,
    // and the worker itself goes with its window: close once the tick is over.
    // The close is still handled by the same pass over pending events, so the
    // verify flow's wait ends only after the unload steps (the load test).
    HWND window = hwnd();
    ui::runLater([this, window] {
        if (Form::fromHwnd(window) == this) close(); // the unload steps run the load test
    });
}

void RegistryWorker::ReportRegistrySearch(const std::string& name) {
    bool found = FindInClsidRegistry(name);
    TimerRegSearch.setEnabled(false);
    ui::Control& line = main_.txtRegistrado;
    line.setForeColor(found ? ui::kGreen : ui::kDarkRed);
    line.setText(registryAnswerText(found));
    // Beyond whether the name occurs: which copy the registry points at.
    line.setTip(registrationsTip(registrationsOf(componentPath_, platform::windowsIs64())));
    main_.searchFinished = true;
}

bool RegistryWorker::FindInClsidRegistry(const std::string& name) {
    return clsidRegistryNames(platform::systemProgram("reg.exe"), name);
}

bool RegistryWorker::TestComponentLoad(const std::string& path) {
    LoadAnswer answer = testLoad(path);
    bool loaded = answer.loads;
    ui::Control& indicator = main_.imgCharge;
    std::string tip = loaded ? "Componente carregado na memória." : "Componente não carregado na memória.";
    // What a technician asks next: why. A second line, when the file tells.
    if (!answer.reason.empty()) tip += "\n" + answer.reason;
    indicator.setTip(tip);
    indicator.setPicture((loaded ? main_.imgCharge3 : main_.imgCharge2).picture());
    return loaded;
}

} // namespace brontal::verify
