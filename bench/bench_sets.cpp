// The verification of a set of thirty components from the command line
// (`/verificar FOLDER`, process start to exit) against the verification of one
// of them, in the same run, rounds interleaved: what the one walk of the
// common folders for the whole set saves.
//
//   bench_sets PROGRAM FOLDER COMPONENT [ROUNDS]
//   (FOLDER holds COMPONENT; FOLDER_conjunto is made beside it with thirty copies)
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "bench_clock.h"
#include "command_run.h"
#include "driver.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "bench_sets PROGRAM FOLDER COMPONENT [ROUNDS]\n");
        return 2;
    }
    const std::wstring exe = argv[1], folder = argv[2], component = argv[3];
    const int rounds = argc > 4 ? _wtoi(argv[4]) : 7;
    const std::wstring set = folder + L"_conjunto";
    try {
        CreateDirectoryW(set.c_str(), nullptr);
        for (int i = 1; i <= 30; ++i) {
            wchar_t name[32];
            swprintf(name, 32, L"\\componente%02d.dll", i);
            if (!CopyFileW((folder + L"\\" + component).c_str(), (set + name).c_str(), FALSE))
                throw std::runtime_error("the set could not be made");
        }
        auto run = [&](const std::wstring& arguments, size_t reports) {
            return [&exe, arguments, reports] {
                double start = bench::nowMs();
                e2e::CommandRun r = e2e::runProgram(exe, arguments);
                size_t found = 0;
                for (size_t at = r.out.find("Arquivo referência: "); at != std::string::npos;
                     at = r.out.find("Arquivo referência: ", at + 1))
                    ++found;
                if (!r.exitCode || found != reports) throw std::runtime_error("the verification failed: " + r.err);
                return bench::nowMs() - start;
            };
        };
        std::vector<double> medians = bench::interleaved(
            rounds, {run(L"/verificar \"" + set + L"\"", 30), run(L"/verificar \"" + folder + L"\\" + component + L"\"", 1)});
        bench::report("thirty files verified in one run (`/verificar FOLDER`), against one file", medians[0], medians[1],
                      3.0, "ms");
    } catch (const std::exception& ex) {
        std::printf("bench_sets: %s\n", ex.what());
        return 1;
    }
    return 0;
}
