#include "platform/files.h"

#include <windows.h>

#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {
namespace {

// Long paths: the walk can reach past MAX_PATH in deep trees.
std::wstring longPath(const std::string& path) {
    std::wstring wide = widen(path);
    if (wide.size() >= MAX_PATH - 12 && wide.rfind(L"\\\\", 0) != 0 && wide.size() > 2 && wide[1] == L':')
        return L"\\\\?\\" + wide;
    return wide;
}

class FilePeReader final : public PeReader {
public:
    explicit FilePeReader(HANDLE file) : file_(file) {}
    std::size_t read(void* buf, std::size_t n) override {
        DWORD got = 0;
        if (!ReadFile(file_, buf, static_cast<DWORD>(n), &got, nullptr)) return 0;
        return got;
    }
    bool seek(std::int32_t fromStart) override {
        return SetFilePointer(file_, fromStart, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    }

private:
    HANDLE file_;
};

} // namespace

std::optional<FileInfo> fileInfo(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(longPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    FileInfo info;
    info.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    auto ticks = [](const FILETIME& t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    std::uint64_t shown = dateShown({ticks(data.ftCreationTime), ticks(data.ftLastAccessTime), ticks(data.ftLastWriteTime)});
    FILETIME time{static_cast<DWORD>(shown), static_cast<DWORD>(shown >> 32)};
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&time, &utc)) return std::nullopt;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
    info.lastWrite = {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    return info;
}

std::optional<PeVerdict> probeFile(const std::string& path) {
    return probeFile(path, [](PeReader& reader) { return probePe(reader); });
}

std::optional<PeVerdict> probeFile(const std::string& path, const std::function<PeVerdict(PeReader&)>& probe) {
    std::optional<PeVerdict> verdict;
    withFileReader(path, [&](PeReader& reader) { verdict = probe(reader); });
    return verdict;
}

bool withFileReader(const std::string& path, const std::function<void(PeReader&)>& use) {
    unique_file file(CreateFileW(longPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    FilePeReader reader(file.get());
    use(reader);
    return true;
}

bool pathExists(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool fileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(longPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
    DWORD a = GetFileAttributesW(widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool listFolder(const std::string& folder, const std::function<void(const FolderItem&)>& visit) {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW data;
    unique_find find(FindFirstFileExW(longPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return false;
    do {
        const wchar_t* n = data.cFileName;
        if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) continue;
        FolderItem item;
        item.name = narrow(n);
        item.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.hidden = (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        item.reparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        visit(item);
    } while (FindNextFileW(find.get(), &data));
    return true;
}

std::vector<Drive> logicalDrives() {
    std::vector<Drive> drives;
    wchar_t buf[512];
    DWORD n = GetLogicalDriveStringsW(512, buf);
    if (n == 0 || n > 512) return drives;
    for (const wchar_t* p = buf; *p; p += lstrlenW(p) + 1) {
        drives.push_back(Drive{narrow(p)});
    }
    return drives;
}

std::optional<std::string> volumeLabel(const std::string& root) {
    std::wstring wide = widen(root);
    UINT type = GetDriveTypeW(wide.c_str());
    if (type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_RAMDISK && type != DRIVE_CDROM)
        return std::nullopt;
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(wide.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return std::nullopt;
    return narrow(label);
}

std::string currentFolderOfDrive(const std::string& drive) {
    std::wstring letter = widen(drive.substr(0, 2));
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(letter.c_str(), MAX_PATH * 2, buf, nullptr);
    if (n == 0 || n >= MAX_PATH * 2) return drive.substr(0, 2) + "\\";
    return narrow(buf);
}

std::string currentFolder() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return {};
    std::wstring buf(n, L'\0');
    n = GetCurrentDirectoryW(n, buf.data());
    buf.resize(n);
    return narrow(buf);
}

std::string fullPath(const std::string& path) {
    std::wstring wide = widen(path);
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring buf(n, L'\0');
    n = GetFullPathNameW(wide.c_str(), n, buf.data(), nullptr);
    buf.resize(n);
    return narrow(buf);
}

bool windowsIs64() { return folderExists("C:\\Windows\\SysWOW64"); }

std::string programFolder() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    size_t slash = buf.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    buf.resize(slash == 2 ? 3 : slash); // keep "C:\" for a program in a root
    return narrow(buf);
}

std::string systemFolder() {
    wchar_t buf[MAX_PATH];
    UINT n = GetSystemDirectoryW(buf, MAX_PATH);
    return n && n < MAX_PATH ? narrow(buf) : std::string("C:\\Windows\\System32");
}

} // namespace brontal::platform
