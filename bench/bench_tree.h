#pragma once
// Generated file trees for the benchmarks, made once and kept between runs.
#include <windows.h>

#include <string>

namespace bench {

inline bool makeFile(const std::wstring& path, const void* bytes = nullptr, DWORD size = 0) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    if (size) WriteFile(h, bytes, size, &written, nullptr);
    CloseHandle(h);
    return true;
}

inline bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// 40 folders of 49 subfolders each plus the 40 themselves and the root: 2 000
// folders (with the root's 0 files, 1 999 of them hold 25 files each, 25 the
// last one) - 50 000 files. Five of them carry the searched name.
inline bool makeSearchTree(const std::wstring& root, const std::wstring& name) {
    std::wstring done = root + L"\\.complete";
    if (exists(done)) return true;
    CreateDirectoryW(root.c_str(), nullptr);
    int folders = 0, files = 0;
    auto fill = [&](const std::wstring& folder) {
        for (int f = 0; f < 25 && files < 50000; ++f, ++files) {
            std::wstring file = folder + L"\\arquivo" + std::to_wstring(files) + L".dll";
            if (files % 10007 == 5000) file = folder + L"\\" + name;
            if (!makeFile(file)) return false;
        }
        return true;
    };
    for (int a = 0; a < 40; ++a) {
        std::wstring top = root + L"\\pasta" + std::to_wstring(a);
        CreateDirectoryW(top.c_str(), nullptr);
        ++folders;
        if (!fill(top)) return false;
        for (int b = 0; b < 49; ++b) {
            std::wstring sub = top + L"\\sub" + std::to_wstring(b);
            CreateDirectoryW(sub.c_str(), nullptr);
            ++folders;
            if (!fill(sub)) return false;
        }
    }
    return folders == 2000 - 40 + 40 && makeFile(done);
}

} // namespace bench
