// Start-up to an idle main window: Brontal32.exe against the minimal window
// program, each started, waited for until its window shows and its input
// queue is idle, then ended.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_clock.h"

namespace {

struct Found {
    DWORD pid;
    bool visible = false;
};

BOOL CALLBACK findVisible(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<Found*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == f->pid && IsWindowVisible(w)) {
        f->visible = true;
        return FALSE;
    }
    return TRUE;
}

double startToIdle(const std::wstring& exe) {
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + exe + L"\"";
    double start = bench::nowMs();
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
        return 0;
    }
    Found found{pi.dwProcessId};
    // Polls for the window; a program that never shows one gives up after 30 s.
    for (int tries = 0; !found.visible && tries < 30000 && WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT; ++tries)
        EnumWindows(findVisible, reinterpret_cast<LPARAM>(&found));
    WaitForInputIdle(pi.hProcess, 10000);
    double elapsed = bench::nowMs() - start;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "bench_startup PRODUCT.exe MINIMAL.exe [ROUNDS]\n");
        return 2;
    }
    int rounds = argc > 3 ? _wtoi(argv[3]) : 15;
    std::wstring product = argv[1], minimal = argv[2];
    startToIdle(product); // the first start also warms the file cache
    startToIdle(minimal);
    auto t = bench::interleaved(rounds, {[&] { return startToIdle(product); }, [&] { return startToIdle(minimal); }});
    bench::report("start-up to an idle main window, against a minimal window program", t[0], t[1], 2.0, "ms");
    return 0;
}
