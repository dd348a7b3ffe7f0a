#pragma once
// Form7, the hidden worker of a verification: after a delay of 100 000 passes
// that keep the windows alive, it asks `reg query` whether the component's
// name occurs under HKEY_CLASSES_ROOT\CLSID, shows the answer on the message
// line and, when it unloads, tests whether the file loads.
#include <string>

#include "ui/layout.h"

namespace brontal {
class MainPanel;
}

namespace brontal::verify {

class RegistryWorker : public ui::Form {
public:
    explicit RegistryWorker(MainPanel& main);

    void StartProcessing();

    // The waiting text blinks with TimerRegSearch, lblRegSearch holding its
    // phase; Timer1 counts the delay and runs the search.
    BRONTAL_CONTROL(lblRegSearch, ui::label(0, 0, 0, 0, "0"));
    BRONTAL_TIMER(TimerRegSearch, 250, true);
    BRONTAL_TIMER(Timer1, 0, false);

private:
    void tick();
    void ReportRegistrySearch(const std::string& name);
    bool FindInClsidRegistry(const std::string& name);
    bool TestComponentLoad(const std::string& path);
    void endOfWork();

    MainPanel& main_;
    std::string componentName_;
    std::string componentPath_;
    int delayCounter_ = 0;
    bool done_ = false;
};

} // namespace brontal::verify
