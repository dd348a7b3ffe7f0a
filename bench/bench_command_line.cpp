// One verification of one file from the command line (`/verificar`, from the
// start of the process to its end), against the same verification through
// the window (from the click on the verify button to the end of the folder
// search), in the same run, rounds interleaved.
//
//   bench_command_line PROGRAM FOLDER COMPONENT [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "bench_clock.h"
#include "command_run.h"
#include "driver.h"
#include "ui/window_props.h"

namespace {

void require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "bench_command_line PROGRAM FOLDER COMPONENT [ROUNDS]\n");
        return 2;
    }
    const std::wstring exe = argv[1], folder = argv[2], component = argv[3];
    const int rounds = argc > 4 ? _wtoi(argv[4]) : 7;
    try {
        // Started from another drive, as a user would, so the browser opens the folder.
        e2e::Product app({exe, L"Z:\\", folder});
        const std::string name = e2e::narrow(component);
        require(e2e::waitUntil([&] { return app["lblDirAddress"].text() == e2e::narrow(folder) + "\\"; }, 10000),
                "the browser did not open the folder");
        e2e::Ui files = app["FileList"];
        e2e::clickListItem(files, files.find(name));
        require(e2e::waitUntil([&] { return app["txtFile"].text() == name; }, 5000), "the panel did not take the file");

        auto window = [&] {
            unsigned before = app.finished(brontal::ui::kVerificationsDoneProp);
            e2e::bringToFront(app.main().hwnd());
            double start = bench::nowMs();
            e2e::click(app["btnVer"]);
            require(e2e::waitUntil([&] { return app.finished(brontal::ui::kVerificationsDoneProp) > before; }, 180000),
                    "the window's verification did not end");
            return bench::nowMs() - start;
        };
        auto commandLine = [&] {
            double start = bench::nowMs();
            e2e::CommandRun run = e2e::runProgram(exe, L"/verificar \"" + folder + L"\\" + component + L"\"");
            require(run.exitCode.has_value() && run.out.rfind("Arquivo referência: ", 0) == 0,
                    "the command line's verification failed: " + run.err);
            return bench::nowMs() - start;
        };
        std::vector<double> medians = bench::interleaved(rounds, {commandLine, window});
        bench::report("one verification from the command line (`/verificar`), against the same through the window",
                      medians[0], medians[1], 1.0, "ms");
    } catch (const std::exception& ex) {
        std::printf("bench_command_line: %s\n", ex.what());
        return 1;
    }
    return 0;
}
