// The working set after a full verification (registry search, load test and
// the search of the common folders) of a 32-bit component, in a process that
// hosts the product's main window, against the minimal window program's.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "bench_clock.h"
#include "platform/text.h"
#include "verify/verify_flow.h"

namespace {

double workingSetMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    if (!GetProcessMemoryInfo(process, &c, sizeof c)) return 0;
    return static_cast<double>(c.WorkingSetSize) / (1024.0 * 1024.0);
}

double minimalWorkingSet(const std::wstring& exe) {
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0;
    WaitForInputIdle(pi.hProcess, 10000);
    Sleep(500);
    double mib = workingSetMiB(pi.hProcess);
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return mib;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "bench_memory FOLDER COMPONENT MINIMAL.exe\n");
        return 2;
    }
    brontal::Services services = brontal::Services::real();
    services.messageBox = [](HWND, const std::string&, const std::string&, unsigned) { return IDOK; };
    brontal::MainWindow main(services);
    main.load();
    main.show();
    main.setDirListPath(brontal::narrow(argv[1]));
    brontal::ui::Control& files = main["FileList"];
    std::string component = brontal::narrow(argv[2]);
    for (int i = 0; i < files.count(); ++i)
        if (files.item(i) == component) files.setSelectedIndex(i);
    if (files.selectedIndex() < 0 || !files.onClick) {
        std::fprintf(stderr, "%s is not in %ls\n", component.c_str(), argv[1]);
        return 1;
    }
    files.onClick();
    double start = bench::nowMs();
    brontal::verify::verifyComponent(main);
    double elapsed = bench::nowMs() - start;
    double mine = workingSetMiB(GetCurrentProcess());
    std::printf("verification of %s took %.0f ms; hits: %d; registry: %s\n", component.c_str(), elapsed,
                main["lstArquivos"].count(), main["txtRegistrado"].text().c_str());
    double baseline = minimalWorkingSet(argv[3]);
    std::printf("| working set after a full verification | %.1f MiB | %.1f MiB (minimal window) | %.2fx | < 16 MiB | %s |\n",
                mine, baseline, baseline > 0 ? mine / baseline : 0, mine < 16.0 ? "met" : "NOT met");
    return 0;
}
