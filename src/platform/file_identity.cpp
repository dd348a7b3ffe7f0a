#include "platform/file_identity.h"

#include <windows.h>

#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {
namespace {

std::wstring openablePath(const std::string& path) {
    std::wstring wide = widen(path);
    if (wide.size() >= MAX_PATH - 12 && wide.size() > 2 && wide[1] == L':') return L"\\\\?\\" + wide;
    return wide;
}

BOOL CALLBACK firstVersionResource(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<HRSRC*>(found) = FindResourceW(module, name, RT_VERSION);
    return FALSE;
}

} // namespace

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    if (path.empty()) return std::nullopt;
    unique_file file(CreateFileW(openablePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

std::optional<VersionRecord> fileVersion(const std::string& path) {
    if (path.empty()) return std::nullopt;
    unique_module module(LoadLibraryExW(widen(path).c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return std::nullopt;
    HRSRC found = FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_VERSION);
    if (!found) {
        // Not always number 1: the first of its kind then.
        EnumResourceNamesW(module.get(), RT_VERSION, firstVersionResource, reinterpret_cast<LONG_PTR>(&found));
    }
    if (!found) return std::nullopt;
    DWORD size = SizeofResource(module.get(), found);
    HGLOBAL loaded = LoadResource(module.get(), found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return std::nullopt;
    return parseVersionResource(static_cast<const std::uint8_t*>(bytes), size);
}

} // namespace brontal::platform
