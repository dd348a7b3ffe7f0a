#include "platform/command_output.h"

#include <windows.h>

#include "platform/files.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {

std::string RunCommandGetOutput(const std::string& program, const std::string& commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    unique_handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0)) return "Failed to create pipe.";
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
                        folder.c_str(), &si, &pi))
        return "Failed to execute command.";
    unique_handle process(pi.hProcess), thread(pi.hThread);
    // Our copy of the write end goes before the first read, so the read fails
    // (and the loop ends) once the child and what it started have finished.
    writeEnd.reset();

    std::string raw;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(readEnd.get(), buffer, sizeof buffer, &got, nullptr)) break;
        if (got == 0) break;
        raw.append(buffer, got);
    }
    readEnd.reset();
    WaitForSingleObject(process.get(), INFINITE);

    // The console tools write in the ANSI code page.
    if (raw.empty()) return raw;
    int n = MultiByteToWideChar(CP_ACP, 0, raw.data(), static_cast<int>(raw.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, raw.data(), static_cast<int>(raw.size()), wide.data(), n);
    return narrow(wide);
}

} // namespace brontal::platform
