#pragma once
// The main window in this process, the system stood in for, recorded, never blocking: the token probe
// (Wine runs all elevated), beeps, message boxes, the shell, the clipboard, the hidden runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "ui/events.h"

namespace window_test {

namespace ui = brontal::ui;
using brontal::platform::ProcessExit;

struct Recorder {
    int beeps = 0;
    std::vector<std::string> messageBoxes, shell /* "verb|file" */, clipboard;
    INT_PTR shellAnswer = 42;
    bool clipboardWorks = true;
    std::vector<brontal::platform::HiddenRun> runs;
    std::deque<ProcessExit> outcomes;   // of the next runs; a success once empty
};

inline brontal::Services standIns(Recorder& r, bool elevated) {
    brontal::Services s;
    s.isElevated = [elevated] { return elevated; };
    s.beep = [&r] { ++r.beeps; };
    s.messageBox = [&r](HWND, const std::string& text, auto&, unsigned) {
        r.messageBoxes.push_back(text);
        return IDOK;
    };
    s.shellExecute = [&r](HWND, const std::string& verb, const std::string& file, auto&, auto&, int) {
        r.shell.push_back(verb + "|" + file);
        return r.shellAnswer;
    };
    s.setClipboardText = [&r](HWND, const std::string& text) {
        if (r.clipboardWorks) r.clipboard.push_back(text);
        return r.clipboardWorks;
    };
    s.runHidden = [&r](const brontal::platform::HiddenRun& run) {
        r.runs.push_back(run);
        ProcessExit e{true, true, 0};
        if (!r.outcomes.empty()) e = r.outcomes.front(), r.outcomes.pop_front();
        return e;
    };
    return s;
}

// The shown form of that name, or null.
inline ui::Form* shownForm(const std::string& name) {
    for (ui::Form* f : ui::Form::openForms())
        if (f->name() == name && f->visible()) return f;
    return nullptr;
}

struct FormsTest : ::testing::Test {
    Recorder recorder;
    std::unique_ptr<brontal::MainWindow> main;
    void open(bool elevated = true) {
        main.reset();
        main = std::make_unique<brontal::MainWindow>(standIns(recorder, elevated));
        main->load();
        main->show();
        ui::processPendingEvents();
    }
    ui::Control& c(const char* name) { return (*main)[name]; }
};

} // namespace window_test
