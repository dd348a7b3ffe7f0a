#pragma once
// A timer of a form: ticks on the user-interface thread while enabled. A tick
// never starts while the previous one of the same timer is still running (its
// handler may process pending events).
#include <functional>
#include <string>

namespace brontal::ui {

class Form;

class Timer {
public:
    Timer(Form& form, std::string name, int id, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int id() const { return id_; }
    int interval() const { return interval_; }
    void setInterval(int ms);   // restarts the count when enabled; 0 stops ticking
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // For the form that closes: no tick from now on, whatever is asked later.
    void stop();

    std::function<void()> onTick;
    void fire();                // called by the form on WM_TIMER

private:
    void arm();
    Form& form_;
    std::string name_;
    int id_;
    int interval_;
    bool enabled_;
    bool ticking_ = false;
    bool stopped_ = false;
};

} // namespace brontal::ui
