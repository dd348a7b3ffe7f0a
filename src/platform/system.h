#pragma once
// Small facts and services of the running system.
#include <windows.h>

#include <string>

namespace brontal::platform {

// The process token says it is elevated; any failure counts as not elevated.
bool isProcessElevated();
// No system dialog of its own ("no disk in drive", "cannot load") ever appears:
// the program reports what matters itself.
void suppressSystemErrorDialogs();
// DLLs are loaded from the system folder only, never from beside the program
// or from the current folder.
void restrictDllSearchToSystem();

void beep();
// The shell wants COM on the calling thread; started on first use, since it
// costs a noticeable part of the start-up and many sessions never need it.
void ensureComForShell();
int messageBox(HWND owner, const std::string& text, const std::string& caption, unsigned style);

// ShellExecuteW; returns its numeric result (> 32 on success).
INT_PTR shellExecute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                     const std::string& dir, int show);

bool setClipboardText(HWND owner, const std::string& text);

// Ends the process now, with that exit code, from any depth of the stack.
[[noreturn]] void endProcess(int exitCode);

} // namespace brontal::platform
