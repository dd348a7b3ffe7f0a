#pragma once
// The program run from a command line, as a script runs it: its arguments,
// a current folder, standard output and error captured through pipes.
#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

struct CommandRun {
    std::optional<DWORD> exitCode;   // nothing: it had not ended within the time
    std::string out, err;            // the bytes as written
};

// arguments follow the program's quoted path on its command line. With
// outFile, standard output is written into that file instead of a pipe.
CommandRun runProgram(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder = L"",
                      DWORD timeoutMs = 180000, const std::wstring& outFile = L"");

} // namespace e2e
