#pragma once
// A CLSID hive grown for the registry benchmarks: classes as a registering
// program leaves them (a name, a server with its threading model, a ProgID),
// each named by a GUID of the benchmark's own range so it can remove them.
#include <windows.h>

#include <cstdio>
#include <string>

namespace bench {

inline int classCount() {
    HKEY clsid = nullptr;
    DWORD count = 0;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &clsid) == ERROR_SUCCESS) {
        RegQueryInfoKeyW(clsid, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(clsid);
    }
    return static_cast<int>(count);
}

inline bool setString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// range: the first two hex digits of the GUIDs, one per benchmark.
inline std::wstring syntheticClass(const wchar_t* range, int i) {
    wchar_t guid[64];
    swprintf(guid, 64, L"CLSID\\{%ls000000-0000-4000-8000-%012d}", range, i);
    return guid;
}

// Adds classes until CLSID holds wanted of them; added counts those made.
// Each names a server in a folder that is not there.
inline bool addClasses(const wchar_t* range, int& added, int wanted) {
    for (int have = classCount(); have < wanted; ++have, ++added) {
        std::wstring key = syntheticClass(range, added), n = std::to_wstring(added);
        if (!setString(key, nullptr, L"Bench class " + n) ||
            !setString(key + L"\\InprocServer32", nullptr, L"C:\\bench\\falsos\\bench_" + n + L".dll") ||
            !setString(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
            !setString(key + L"\\ProgID", nullptr, L"Bench.Class" + n))
            return false;
    }
    return true;
}

inline void removeClasses(const wchar_t* range, int added) {
    for (int i = 0; i < added; ++i) RegDeleteTreeW(HKEY_CLASSES_ROOT, syntheticClass(range, i).c_str());
}

} // namespace bench
