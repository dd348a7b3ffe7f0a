#pragma once
// The message loop and its helpers. Key preview and the Enter key are handled
// here, before a message reaches its control, for every loop alike.
//
// Handlers may process pending events themselves (a long search keeps the
// windows alive that way), so a form can be asked to go while one of its own
// handlers or timer ticks is still on the stack. Forms are therefore closed at
// once but released only by the outermost loop, when nothing of theirs runs.
#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

namespace brontal::ui {

class Form;

void dispatchMessage(MSG& msg);
// Handles everything that is waiting, then returns (the classic DoEvents).
void processPendingEvents();
// Until WM_QUIT; returns its exit code.
int runMessageLoop();
// Runs fn once the current message has been handled.
void runLater(std::function<void()> fn);
// A way for other threads to hand work to this one: what the poster is given
// runs here, in a message, like runLater. Made on the user-interface thread.
using Poster = std::function<void(std::function<void()>)>;
Poster crossThreadPoster();
// Runs fn once everything waiting has been handled (a timer's message comes
// only when the queue is empty): after the first window has shown and painted.
void whenIdle(std::function<void()> fn);
// Takes a closed form and deletes it once no handler is running, that is when
// the outermost message loop is between two messages.
void releaseWhenIdle(std::unique_ptr<Form> form);
// Deletes what releaseWhenIdle holds; for the outermost loop, and for callers
// that know no handler is on the stack (a test between two steps).
void releaseIdleForms();
// True while a message is being handled, at any depth.
bool handlingMessage();

// Says on the debugger output what failed, from inside a catch block: a
// failing handler must not end the program, and must not go unnoticed either.
void reportFailure(std::string_view where);

} // namespace brontal::ui
