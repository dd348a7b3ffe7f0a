// The search for orphaned registrations (what `/orfaos` runs: both views'
// classes and type libraries, each file's existence) in a CLSID hive grown to
// 20 000 classes as bench_registrations grows it (each class's server in a
// folder that is not there), against a bare enumeration of the same keys in
// the same run: every class's three server keys opened and their values
// read, every type library's versions and platforms. The classes it adds are
// removed at the end.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_hive.h"
#include "platform/files.h"
#include "verify/component_facts.h"

namespace {

constexpr wchar_t kRange[] = L"BF";

// Every subkey name of key.
std::vector<std::wstring> subkeys(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = ARRAYSIZE(name);
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

// The default value of parent\sub, opened in view; counts the ones read.
void readDefault(HKEY parent, const std::wstring& sub, REGSAM view, int& read) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, sub.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
    wchar_t value[300];
    DWORD bytes = sizeof value;
    if (RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes) == ERROR_SUCCESS) ++read;
    RegCloseKey(key);
}

int bareEnumeration(REGSAM view) {
    int read = 0;
    HKEY clsid = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ | view, &clsid) == ERROR_SUCCESS) {
        for (const std::wstring& c : subkeys(clsid))
            for (const wchar_t* kind : {L"\\InprocServer32", L"\\LocalServer32", L"\\InprocHandler32"})
                readDefault(clsid, c + kind, view, read);
        RegCloseKey(clsid);
    }
    HKEY typelib = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"TypeLib", 0, KEY_READ | view, &typelib) == ERROR_SUCCESS) {
        for (const std::wstring& guid : subkeys(typelib)) {
            HKEY lib = nullptr;
            if (RegOpenKeyExW(typelib, guid.c_str(), 0, KEY_READ | view, &lib) != ERROR_SUCCESS) continue;
            for (const std::wstring& version : subkeys(lib)) {
                HKEY v = nullptr;
                if (RegOpenKeyExW(lib, version.c_str(), 0, KEY_READ | view, &v) != ERROR_SUCCESS) continue;
                for (const std::wstring& lcid : subkeys(v))
                    for (const wchar_t* platform : {L"\\win32", L"\\win64"}) readDefault(v, lcid + platform, view, read);
                RegCloseKey(v);
            }
            RegCloseKey(lib);
        }
        RegCloseKey(typelib);
    }
    return read;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = argc > 1 ? _wtoi(argv[1]) : 5;
    int added = 0;
    if (!bench::addClasses(kRange, added, 20000)) {
        std::fprintf(stderr, "cannot add classes\n");
        return 1;
    }
    const bool windows64 = brontal::platform::windowsIs64();
    std::size_t orphans = 0;
    int read = 0;
    auto ours = [&] {
        double start = bench::nowMs();
        int view = 0;
        orphans = brontal::verify::orphanedRegistrations(windows64, view).value_or(std::vector<brontal::Registration>{}).size();
        return bench::nowMs() - start;
    };
    auto bare = [&] {
        double start = bench::nowMs();
        read = bareEnumeration(KEY_WOW64_32KEY) + (windows64 ? bareEnumeration(KEY_WOW64_64KEY) : 0);
        return bench::nowMs() - start;
    };
    ours();   // the hive in the caches for both
    auto t = bench::interleaved(rounds, {ours, bare});
    if (orphans < static_cast<std::size_t>(added)) std::printf("found %zu orphans of %d planted\n", orphans, added);
    std::string what = "orphaned registrations (`/orfaos`, both views) in a CLSID hive of " + std::to_string(bench::classCount()) +
                       " classes, against a bare enumeration of the same keys (" + std::to_string(read) + " values)";
    bench::report(what.c_str(), t[0], t[1], 1.5, "ms");
    bench::removeClasses(kRange, added);
    return 0;
}
