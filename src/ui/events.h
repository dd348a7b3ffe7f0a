#pragma once
// The message loop and its helpers. Key preview and the Enter key are handled
// here, before a message reaches its control, for every loop alike.
#include <windows.h>

#include <functional>

namespace brontal::ui {

void dispatchMessage(MSG& msg);
// Handles everything that is waiting, then returns (the classic DoEvents).
void processPendingEvents();
// Until WM_QUIT; returns its exit code.
int runMessageLoop();
// Runs fn once the current message has been handled (used to release a form
// from inside one of its own handlers).
void runLater(std::function<void()> fn);

} // namespace brontal::ui
