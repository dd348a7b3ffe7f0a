#include "ui/timer.h"

#include "ui/events.h"
#include "ui/form.h"

namespace brontal::ui {

Timer::Timer(Form& form, std::string name, int id, int intervalMs, bool enabled)
    : form_(form), name_(std::move(name)), id_(id), interval_(intervalMs), enabled_(enabled) {
    arm();
}

Timer::~Timer() {
    if (form_.hwnd()) KillTimer(form_.hwnd(), static_cast<UINT_PTR>(id_));
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    arm();
}

void Timer::setEnabled(bool enabled) {
    // Enabling a running timer leaves its count alone.
    if (enabled == enabled_) return;
    enabled_ = enabled;
    arm();
}

void Timer::stop() {
    enabled_ = false;
    if (form_.hwnd()) KillTimer(form_.hwnd(), static_cast<UINT_PTR>(id_));
    stopped_ = true;
}

void Timer::arm() {
    HWND hwnd = form_.hwnd();
    if (!hwnd || stopped_) return;
    if (enabled_ && interval_ > 0)
        SetTimer(hwnd, static_cast<UINT_PTR>(id_), static_cast<UINT>(interval_), nullptr);
    else
        KillTimer(hwnd, static_cast<UINT_PTR>(id_));
}

void Timer::fire() {
    if (stopped_ || !enabled_ || interval_ <= 0 || ticking_ || !onTick) return;
    ticking_ = true;
    try {
        onTick();
    } catch (...) {
        // A failing tick must not take the program down; the next one may do better.
        reportFailure("the tick of " + name_);
    }
    ticking_ = false;
}

} // namespace brontal::ui
