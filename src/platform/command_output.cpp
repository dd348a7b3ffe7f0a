#include "platform/command_output.h"

#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/files.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {

CapturedOutput runCapturingOutput(const std::string& program, const std::string& commandLine, unsigned long limitMs) {
    CapturedOutput result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    unique_handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0)) {
        result.outcome = CapturedOutput::NotStarted;
        result.text = "Failed to create pipe.";
        return result;
    }
    // Only the child may inherit the write end.
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = nullptr;
    si.hStdOutput = writeEnd.get();
    si.hStdError = writeEnd.get();
    PROCESS_INFORMATION pi{};
    std::wstring line = widen(commandLine);
    std::wstring application = widen(program);
    std::wstring folder = widen(systemFolder());
    if (!CreateProcessW(application.c_str(), line.data(), &inherit, &inherit, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &si, &pi)) {
        result.outcome = CapturedOutput::NotStarted;
        result.text = "Failed to execute command.";
        return result;
    }
    unique_handle process(pi.hProcess), thread(pi.hThread);
    // Our copy of the write end goes before the first read, so the read fails
    // (and the loop ends) once the child and what it started have finished.
    writeEnd.reset();

    // With a limit, a watch ends the child when its time is up; the read below
    // then ends too, as no one holds the write end any more (the programs run
    // this way start none of their own).
    std::atomic<bool> timedOut = false;
    unique_handle readDone(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread watch;
    if (limitMs != INFINITE && readDone) {
        watch = std::thread([&] {
            HANDLE both[] = {process.get(), readDone.get()};
            if (WaitForMultipleObjects(2, both, FALSE, limitMs) != WAIT_TIMEOUT) return;
            timedOut = true;
            if (!TerminateProcess(process.get(), 1))
                OutputDebugStringW(L"Brontal32: a child program past its time limit could not be ended\n");
        });
    }

    std::string raw;
    char buffer[65536];   // a set's listing of CLSID runs to megabytes
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(readEnd.get(), buffer, sizeof buffer, &got, nullptr)) break;
        if (got == 0) break;
        raw.append(buffer, got);
    }
    if (readDone) SetEvent(readDone.get());
    if (watch.joinable()) watch.join();
    readEnd.reset();
    WaitForSingleObject(process.get(), INFINITE);
    if (timedOut) result.outcome = CapturedOutput::TimedOut;

    // The console tools write in the ANSI code page.
    result.text = fromAnsiCodePage(raw);
    return result;
}

std::string RunCommandGetOutput(const std::string& program, const std::string& commandLine) {
    return runCapturingOutput(program, commandLine, INFINITE).text;
}

} // namespace brontal::platform
