#include "platform/process.h"

#include <shellapi.h>

#include "platform/files.h"
#include "platform/optional_api.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {
namespace {

ProcessExit waitForExit(HANDLE process, DWORD limitMs) {
    ProcessExit result;
    result.started = true;
    if (!process) return result;   // the shell started something it gives us no handle to
    if (WaitForSingleObject(process, limitMs) == WAIT_TIMEOUT) {
        // Nothing may go on behind a run already reported as failed.
        if (TerminateProcess(process, 1)) WaitForSingleObject(process, INFINITE);
        else OutputDebugStringW(L"Brontal32: a child program past its time limit could not be ended\n");
        result.timedOut = true;
        return result;
    }
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code)) {
        result.exitCodeRead = true;
        result.exitCode = code;
    }
    return result;
}

ProcessExit createHidden(const std::string& file, const std::string& commandLine, DWORD limitMs) {
    std::wstring program = widen(file);
    std::wstring line = widen(commandLine);   // CreateProcessW may write into it
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr, TRUE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
        return {};
    unique_handle thread(pi.hThread);
    unique_handle process(pi.hProcess);
    thread.reset();
    return waitForExit(process.get(), limitMs);
}

ProcessExit shellHidden(const HiddenRun& run) {
    std::wstring verb = widen(run.verb), file = widen(run.file), params = widen(run.parameters),
                 dir = widen(run.directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The program reports a refused start itself. No SEE_MASK_DOENVSUBST: a
    // %NAME% in the parameters is part of a file name, not a variable.
    // (Wine 8 expands such names in the file whatever the mask says, but not
    // in the parameters; the file is always a program of the system.)
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = run.owner;
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    info.lpParameters = params.empty() ? nullptr : params.c_str();
    info.lpDirectory = dir.empty() ? nullptr : dir.c_str();
    info.nShow = SW_HIDE;
    ensureComForShell();
    const auto& api = shellApi();
    if (!api.shellExecuteExW || !api.shellExecuteExW(&info)) return {};
    unique_handle process(info.hProcess);
    return waitForExit(process.get(), run.timeLimitMs);
}

} // namespace

ProcessExit runHidden(const HiddenRun& run) {
    return run.verb.empty() ? createHidden(run.file, run.commandLine, run.timeLimitMs) : shellHidden(run);
}

std::string systemProgram(const std::string& exeName) { return systemFolder() + "\\" + exeName; }

} // namespace brontal::platform
