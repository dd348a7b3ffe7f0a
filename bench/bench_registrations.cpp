// The registrations of one file, read with the registry API, against the
// specified `reg query HKEY_CLASSES_ROOT\CLSID /s /f NAME` over the same hive
// in the same run: first with the CLSID key grown to 2 000 classes, then to
// 20 000 (a real Windows 10 has about 8 000-10 000 per view), so that the
// growth shows. Both read the 32-bit view, the one the window's `reg` reads.
// The classes it adds are removed at the end.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_hive.h"
#include "platform/command_output.h"
#include "platform/process.h"
#include "platform/text.h"
#include "verify/component_facts.h"
#include "verify/registry_query.h"

namespace {

constexpr wchar_t kRange[] = L"BE";
constexpr wchar_t kTargetClass[] = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring folder = argc > 1 ? argv[1] : L"C:\\bench\\componente";
    std::wstring name = argc > 2 ? argv[2] : L"BrontalTest32.dll";
    int rounds = argc > 3 ? _wtoi(argv[3]) : 5;
    const std::string path = brontal::narrow(folder + L"\\" + name), fileName = brontal::narrow(name);
    if (!bench::setString(std::wstring(kTargetClass) + L"\\InprocServer32", nullptr, folder + L"\\" + name)) {
        std::fprintf(stderr, "cannot register the component\n");
        return 1;
    }
    const std::string reg = brontal::platform::systemProgram("reg.exe");

    std::size_t found = 0;
    bool answered = false;
    auto ours = [&] {
        double start = bench::nowMs();
        found = brontal::verify::registrationsOf(path, false).size();
        return bench::nowMs() - start;
    };
    auto query = [&] {
        double start = bench::nowMs();
        answered = brontal::verify::clsidRegistryNames(reg, fileName);
        return bench::nowMs() - start;
    };

    int added = 0;
    for (int size : {2000, 20000}) {
        if (!bench::addClasses(kRange, added, size)) {
            std::fprintf(stderr, "cannot add classes\n");
            return 1;
        }
        ours();   // the hive in the caches for both
        auto t = bench::interleaved(rounds, {ours, query});
        if (found != 1 || !answered) std::printf("found %zu registrations; reg query answered %d\n", found, answered);
        std::string what = "registrations of one file in a CLSID hive of " + std::to_string(bench::classCount()) +
                           " classes, against `reg query /s /f` over the same hive";
        bench::report(what.c_str(), t[0], t[1], 0.5, "ms");
    }
    bench::removeClasses(kRange, added);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kTargetClass);
    return 0;
}
