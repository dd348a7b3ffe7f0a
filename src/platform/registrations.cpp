#include "platform/registrations.h"

#include <windows.h>

#include "core/server_path.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/unique_handle.h"

namespace brontal::platform {

std::string longPathName(const std::string& path) {
    std::wstring wide = widen(path);
    DWORD n = GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (n == 0) return path;
    std::wstring out(n, L'\0');
    DWORD got = GetLongPathNameW(wide.c_str(), out.data(), n);
    if (got == 0 || got >= n) return path;
    out.resize(got);
    return narrow(out);
}

namespace {

// A server path is far shorter; a longer value is someone else's data gone wrong.
constexpr DWORD kMaxValueBytes = 256 * 1024;
constexpr wchar_t kKinds[][16] = {L"InprocServer32", L"LocalServer32", L"InprocHandler32"};

REGSAM viewFlag(int view) { return view == 64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

std::wstring upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// One view's reading: the open keys of the walk and what could not be read.
class ViewReader {
public:
    ViewReader(int view, const std::vector<std::string>& fileNames) : view_(view) {
        for (const std::string& name : fileNames) wanted_.push_back(upper(widen(name)));
    }

    RegistryListing listing;

    unique_hkey open(HKEY parent, const wchar_t* name) {
        unique_hkey key;
        LONG status = RegOpenKeyExW(parent, name, 0, KEY_READ | viewFlag(view_), key.put());
        if (status != ERROR_SUCCESS) {
            if (status != ERROR_FILE_NOT_FOUND) ++listing.unreadable;   // denied, or worse
            key.release();
            return unique_hkey();
        }
        return key;
    }

    // CLSID or TypeLib of this view. Wine (8.0, measured) leaks a handle on
    // every open of a subkey of HKEY_CLASSES_ROOT with a view flag, four a
    // verification; each view's two roots are therefore opened once and kept
    // for the life of the process (an open key sees the keys added later).
    HKEY openRoot(const wchar_t* name) {
        static unique_hkey kept[2][2];
        unique_hkey& slot = kept[view_ == 64 ? 1 : 0][name == std::wstring_view(L"CLSID") ? 0 : 1];
        if (!slot) slot = open(HKEY_CLASSES_ROOT, name);
        return slot.get();
    }

    // The names of a key's subkeys, in the order the registry gives them. A
    // name too long for a key name is no CLSID: skipped.
    template <typename Visit>
    void forEachSubkey(HKEY key, Visit visit) {
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = ARRAYSIZE(name);
            LONG status = RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS) return;
            if (status == ERROR_MORE_DATA) {
                ++listing.unreadable;
                continue;
            }
            if (status != ERROR_SUCCESS) {
                ++listing.unreadable;
                return;
            }
            visit(std::wstring_view(name, length));
        }
    }

    // A string value as written; nothing when absent, and counted when it is
    // there but no readable string. expandable tells a REG_EXPAND_SZ.
    std::optional<std::wstring> readString(HKEY key, const wchar_t* valueName, bool* expandable = nullptr) {
        DWORD type = 0;
        wchar_t small[300];
        DWORD bytes = sizeof small;
        std::wstring big;
        LONG status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(small), &bytes);
        const wchar_t* data = small;
        if (status == ERROR_MORE_DATA && bytes <= kMaxValueBytes) {
            big.resize(bytes / sizeof(wchar_t) + 1);
            bytes = static_cast<DWORD>(big.size() * sizeof(wchar_t));
            status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(big.data()), &bytes);
            data = big.data();
        }
        if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            ++listing.unreadable;
            return std::nullopt;
        }
        // The stored bytes, which need not end in a zero nor be even in number.
        std::wstring text(data, bytes / sizeof(wchar_t));
        if (std::size_t zero = text.find(L'\0'); zero != std::wstring::npos) text.resize(zero);
        if (expandable) *expandable = type == REG_EXPAND_SZ;
        return text;
    }

    // Each class's InprocServer32, LocalServer32 and InprocHandler32, each
    // opened by its path from CLSID: a class key opened only for the classes
    // that name the file (for their name and ProgID), since every call is a
    // trip to the registry and a hive holds thousands of classes.
    void readClasses() {
        const int before = listing.unreadable;
        HKEY root = openRoot(L"CLSID");
        if (!root) {
            listing.rootUnreadable = listing.unreadable > before;
            return;
        }
        std::wstring subkey;
        forEachSubkey(root, [&](std::wstring_view clsid) {
            for (const wchar_t* kind : kKinds) {
                subkey.assign(clsid).append(L"\\").append(kind);
                unique_hkey server = open(root, subkey.c_str());
                if (!server) continue;
                bool expandable = false;
                std::optional<std::wstring> value = readString(server.get(), nullptr, &expandable);
                if (!value) continue;
                std::string file = fileOf(expandable ? expand(*value) : *value, kind == kKinds[1]);
                if (file.empty()) continue;
                Registration r = entry(narrow(kind), narrow(clsid), *value, file);
                if (unique_hkey cls = open(root, std::wstring(clsid).c_str())) {
                    if (std::optional<std::wstring> name = readString(cls.get(), nullptr)) r.name = narrow(*name);
                    if (unique_hkey progid = open(cls.get(), L"ProgID"))
                        if (std::optional<std::wstring> id = readString(progid.get(), nullptr)) r.progid = narrow(*id);
                }
                listing.entries.push_back(std::move(r));
            }
        });
    }

    // TypeLib\{guid}\version\lcid\win32 (or win64 in the 64-bit view).
    void readTypeLibraries() {
        const int before = listing.unreadable;
        HKEY root = openRoot(L"TypeLib");
        if (!root) {
            listing.rootUnreadable = listing.rootUnreadable || listing.unreadable > before;
            return;
        }
        const wchar_t* platform = view_ == 64 ? L"win64" : L"win32";
        forEachSubkey(root, [&](std::wstring_view guid) {
            unique_hkey lib = open(root, std::wstring(guid).c_str());
            if (!lib) return;
            forEachSubkey(lib.get(), [&](std::wstring_view version) {
                unique_hkey ver = open(lib.get(), std::wstring(version).c_str());
                if (!ver) return;
                forEachSubkey(ver.get(), [&](std::wstring_view lcid) {
                    if (sameName(lcid, L"FLAGS") || sameName(lcid, L"HELPDIR")) return;
                    unique_hkey locale = open(ver.get(), std::wstring(lcid).c_str());
                    unique_hkey file = locale ? open(locale.get(), platform) : unique_hkey();
                    if (!file) return;
                    bool expandable = false;
                    std::optional<std::wstring> value = readString(file.get(), nullptr, &expandable);
                    if (!value) return;
                    std::string path = fileOf(expandable ? expand(*value) : *value, false);
                    if (path.empty()) return;
                    Registration r = entry("TypeLib", narrow(guid) + " " + narrow(version), *value, path);
                    if (std::optional<std::wstring> name = readString(ver.get(), nullptr)) r.name = narrow(*name);
                    listing.entries.push_back(std::move(r));
                });
            });
        });
    }

private:
    // In the 64-bit view a program's folders are the 64-bit ones, whatever
    // this 32-bit process's own variables say.
    std::wstring expand(std::wstring text) const {
        if (view_ == 64) {
            for (auto [from, to] : {std::pair{L"%PROGRAMFILES%", L"%ProgramW6432%"},
                                    std::pair{L"%COMMONPROGRAMFILES%", L"%CommonProgramW6432%"}}) {
                std::wstring_view f(from);
                for (std::size_t at = upper(text).find(f); at != std::wstring::npos; at = upper(text).find(f, at + 1))
                    text.replace(at, f.size(), to);
            }
        }
        DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
        if (needed == 0 || needed > kMaxValueBytes) return text;
        std::wstring out(needed, L'\0');
        DWORD got = ExpandEnvironmentStringsW(text.c_str(), out.data(), needed);
        if (got == 0 || got > needed) return text;
        out.resize(got - 1);
        return out;
    }

    // The file a value stands for, when it is of a wanted name (or any name
    // when none is wanted); "" otherwise. The cheap test first: most values
    // never mention the name at all. A short 8.3 name (with its "~") is
    // known by its long one.
    std::string fileOf(const std::wstring& value, bool commandLine) {
        if (!wanted_.empty()) {
            std::wstring u = upper(value);
            bool mentioned = u.find(L'~') != std::wstring::npos;
            for (std::size_t i = 0; !mentioned && i < wanted_.size(); ++i) mentioned = u.find(wanted_[i]) != std::wstring::npos;
            if (!mentioned) return "";
        }
        std::string v = narrow(value);
        std::string file = commandLine ? localServerFile(v, [&](const std::string& candidate) {
            return fileExists(openPath(candidate));
        }) : inprocServerFile(v);
        if (file.empty() || wanted_.empty()) return file;
        return namedAmong(file, view_, wanted_) ? file : "";
    }


    Registration entry(std::string kind, std::string clsid, const std::wstring& value, std::string file) const {
        Registration r;
        r.view = view_;
        r.kind = std::move(kind);
        r.clsid = std::move(clsid);
        r.path = narrow(value);
        r.file = std::move(file);
        return r;
    }

public:
    std::string openPath(const std::string& file) const { return viewOpenPath(file, view_); }

    // The file is of one of the wanted names (upper case); a short 8.3 name
    // is known by its long one.
    static bool namedAmong(const std::string& file, int view, const std::vector<std::wstring>& wanted) {
        auto among = [&wanted](std::wstring_view name) {
            for (const std::wstring& w : wanted)
                if (sameName(name, w)) return true;
            return false;
        };
        std::wstring name = widen(fileNameOf(file));
        if (among(name)) return true;
        if (name.find(L'~') == std::wstring::npos) return false;
        return among(widen(fileNameOf(longPathName(viewOpenPath(file, view)))));
    }

    // Where this 32-bit process opens a file the view names: the 64-bit
    // System32 only through Sysnative; a bare name where the loader of that
    // width would find it first.
    static std::string viewOpenPath(const std::string& file, int view) {
        std::string windows = windowsFolder();
        if (file.find_first_of("\\/:") == std::string::npos)
            return (view == 64 && windowsIs64() ? windows + "\\Sysnative" : systemFolder()) + "\\" + file;
        if (view == 64 && windowsIs64()) {
            std::string system32 = windows + "\\System32";
            if (file.size() > system32.size() && (file[system32.size()] == '\\' || file[system32.size()] == '/') &&
                sameName(widen(file.substr(0, system32.size())), widen(system32)))
                return windows + "\\Sysnative" + file.substr(system32.size());
        }
        return file;
    }

    static std::string windowsFolder() {
        wchar_t folder[MAX_PATH];
        UINT n = GetSystemWindowsDirectoryW(folder, MAX_PATH);
        return n > 0 && n < MAX_PATH ? narrow(std::wstring_view(folder, n)) : "C:\\Windows";
    }

private:
    int view_;
    std::vector<std::wstring> wanted_;   // in capitals
};

} // namespace

RegistryListing readRegistrations(int view, const std::vector<std::string>& fileNames) {
    ViewReader reader(view, fileNames);
    reader.readClasses();
    reader.readTypeLibraries();
    // Not a failure of the program, but not to pass unnoticed either.
    if (reader.listing.unreadable > 0) {
        std::wstring line = L"Brontal32: " + std::to_wstring(reader.listing.unreadable) + L" registry entries of the " +
                            std::to_wstring(view) + L"-bit view could not be read and were skipped\n";
        OutputDebugStringW(line.c_str());
    }
    return std::move(reader.listing);
}

bool registrationNames(const Registration& entry, const std::vector<std::string>& fileNames) {
    std::vector<std::wstring> wanted;
    for (const std::string& name : fileNames) wanted.push_back(upper(widen(name)));
    return ViewReader::namedAmong(entry.file, entry.view, wanted);
}

std::string registeredOpenPath(const Registration& entry) { return ViewReader::viewOpenPath(entry.file, entry.view); }

RegisteredFile registeredFile(const Registration& entry) {
    std::string path = registeredOpenPath(entry);
    RegisteredFile f;
    f.exists = fileExists(path);
    if (f.exists) f.identity = fileIdentity(path);
    return f;
}

} // namespace brontal::platform
