// The bitness probe over 10 000 generated files (32-bit, 64-bit and non-PE),
// counting the probe's reads and seeks per file, against merely opening and
// closing the same files.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_tree.h"
#include "platform/files.h"
#include "platform/text.h"

namespace {

constexpr int kFiles = 10000;

std::string peHeader(unsigned short machine) {
    std::string b(1024, '\0');
    b[0] = 'M', b[1] = 'Z';
    b[60] = static_cast<char>(0x80);
    std::memcpy(&b[0x80], "PE\0\0", 4);
    b[0x84] = static_cast<char>(machine & 0xFF);
    b[0x85] = static_cast<char>(machine >> 8);
    return b;
}

bool makeFiles(const std::wstring& folder) {
    if (bench::exists(folder + L"\\.complete")) return true;
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string kinds[] = {peHeader(0x014C), peHeader(0x8664), std::string("texto simples, sem cabeçalho\r\n")};
    for (int i = 0; i < kFiles; ++i) {
        const std::string& bytes = kinds[i % 3];
        if (!bench::makeFile(folder + L"\\f" + std::to_wstring(i) + L".dll", bytes.data(),
                             static_cast<DWORD>(bytes.size())))
            return false;
    }
    return bench::makeFile(folder + L"\\.complete");
}

// Counts what the probe asks of the file.
class Counting final : public brontal::PeReader {
public:
    explicit Counting(brontal::PeReader& inner) : inner_(inner) {}
    std::size_t read(void* buf, std::size_t n) override { return ++reads, inner_.read(buf, n); }
    bool seek(std::int32_t to) override { return ++seeks, inner_.seek(to); }
    int reads = 0, seeks = 0;

private:
    brontal::PeReader& inner_;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring folder = argc > 1 ? argv[1] : L"C:\\bench\\sondas";
    int rounds = argc > 2 ? _wtoi(argv[2]) : 5;
    if (!makeFiles(folder)) {
        std::fprintf(stderr, "cannot make the files under %ls\n", folder.c_str());
        return 1;
    }
    std::vector<std::string> paths;
    std::vector<std::wstring> widePaths;
    for (int i = 0; i < kFiles; ++i) {
        widePaths.push_back(folder + L"\\f" + std::to_wstring(i) + L".dll");
        paths.push_back(brontal::narrow(widePaths.back()));
    }
    int maxReads = 0, maxSeeks = 0, sixtyFour = 0;
    auto probe = [&] {
        sixtyFour = 0;
        double start = bench::nowMs();
        for (const auto& p : paths) {
            auto verdict = brontal::platform::probeFile(p, [&](brontal::PeReader& file) {
                Counting counted(file);
                brontal::PeVerdict v = brontal::probePe(counted);
                maxReads = std::max(maxReads, counted.reads);
                maxSeeks = std::max(maxSeeks, counted.seeks);
                return v;
            });
            if (verdict && verdict->is64()) ++sixtyFour;
        }
        return bench::nowMs() - start;
    };
    auto openClose = [&] {
        double start = bench::nowMs();
        for (const auto& p : widePaths) {
            HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   0, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
        return bench::nowMs() - start;
    };
    probe();
    auto t = bench::interleaved(rounds, {probe, openClose});
    std::printf("probe: at most %d reads and %d seek(s) per file; %d of %d files 64-bit\n", maxReads, maxSeeks,
                sixtyFour, kFiles);
    bench::report("bitness probe of 10 000 files, against opening and closing them", t[0], t[1], 2.0, "ms");
    return maxReads <= 2 && maxSeeks <= 1 ? 0 : 1;
}
