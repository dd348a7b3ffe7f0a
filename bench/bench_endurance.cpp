// Endurance, measured from outside the process: the real Brontal32.exe is
// started and worked as a user would (the end-to-end driver), first with a
// run of verifications of one component, then with a run of register and
// unregister round trips of it. After the first round of each run and after
// its last, three counts are read from outside:
//   - the program's windows, top-level, message-only and child;
//   - its entries in the system's handle list (NtQuerySystemInformation);
//   - its working set.
// Wine answers 0 to GetGuiResources and GetProcessHandleCount, hence these.
// Each count must stay flat: within a few of the figure after the first round.
//
//   bench_endurance PROGRAM FOLDER COMPONENT CLSID [VERIFICATIONS [ROUND-TRIPS]]
//
// FOLDER holds COMPONENT, a self-registering 32-bit server of class CLSID
// ("{...}"); the program is started with FOLDER as its current folder, where
// its browser opens. Every verification loads and unloads the component in
// the program's process, so the component must leave nothing behind itself:
// BrontalBare32.dll (no ole32, no C++ runtime) is such a one; the other test
// components keep a thread handle and an event of the process per load.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "driver.h"

namespace {

// The system's handle list, as ntdll gives it, in the platform's published
// layouts (SYSTEM_HANDLE_INFORMATION and its extended form).
constexpr ULONG kSystemHandleInformation = 16;
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr ULONG kObjectTypeInformation = 2;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {   // SYSTEM_HANDLE_TABLE_ENTRY_INFO
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectTypeIndex;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG grantedAccess;
};
struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};
struct HandleEntryEx {   // SYSTEM_HANDLE_TABLE_ENTRY_INFO_EX
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleListEx {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntryEx entries[1];
};
struct UnicodeText {
    USHORT length;
    USHORT maximumLength;
    PWSTR buffer;
};

using QuerySystem = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryObject = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

struct Ntdll {
    QuerySystem querySystem = nullptr;
    QueryObject queryObject = nullptr;
    Ntdll() {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (!ntdll) return;
        auto entry = [ntdll](const char* name) { return reinterpret_cast<void*>(GetProcAddress(ntdll, name)); };
        querySystem = reinterpret_cast<QuerySystem>(entry("NtQuerySystemInformation"));
        queryObject = reinterpret_cast<QueryObject>(entry("NtQueryObject"));
    }
};

const Ntdll& ntdll() {
    static const Ntdll n;
    return n;
}

// One information class of the handle list, whole: the buffer grows until it holds it.
bool querySystemList(ULONG infoClass, std::vector<unsigned char>& buffer) {
    if (!ntdll().querySystem) return false;
    buffer.assign(1 << 16, 0);
    for (int attempt = 0; attempt < 16; ++attempt) {
        ULONG needed = 0;
        LONG status = ntdll().querySystem(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.assign(std::max<size_t>(buffer.size() * 2, needed + 4096), 0);
            continue;
        }
        return status >= 0;
    }
    return false;
}

struct ProcessHandle {
    USHORT typeIndex;
    HANDLE value;
};

// The process's entries in the system handle list; which information class
// answered is left in source.
bool processHandles(DWORD pid, std::vector<ProcessHandle>& out, const char*& source) {
    out.clear();
    std::vector<unsigned char> buffer;
    if (querySystemList(kSystemExtendedHandleInformation, buffer)) {
        const auto* list = reinterpret_cast<const HandleListEx*>(buffer.data());
        size_t room = (buffer.size() - offsetof(HandleListEx, entries)) / sizeof(HandleEntryEx);
        if (list->count <= room) {
            for (ULONG_PTR i = 0; i < list->count; ++i)
                if (list->entries[i].processId == pid)
                    out.push_back({list->entries[i].objectTypeIndex,
                                   reinterpret_cast<HANDLE>(list->entries[i].handle)});
            source = "SystemExtendedHandleInformation";
            return true;
        }
    }
    if (querySystemList(kSystemHandleInformation, buffer)) {
        const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
        size_t room = (buffer.size() - offsetof(HandleList, entries)) / sizeof(HandleEntry);
        if (list->count <= room) {
            for (ULONG i = 0; i < list->count; ++i)
                if (list->entries[i].processId == static_cast<USHORT>(pid))
                    out.push_back({list->entries[i].objectTypeIndex,
                                   reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(list->entries[i].handle))});
            source = "SystemHandleInformation";
            return true;
        }
    }
    return false;
}

// The kind of one of the process's handles, by a copy of it in this process.
std::string handleTypeName(HANDLE process, HANDLE theirs) {
    HANDLE mine = nullptr;
    if (!ntdll().queryObject ||
        !DuplicateHandle(process, theirs, GetCurrentProcess(), &mine, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return "?";
    alignas(8) unsigned char info[1024]{};
    ULONG needed = 0;
    std::string name = "?";
    if (ntdll().queryObject(mine, kObjectTypeInformation, info, sizeof info, &needed) >= 0) {
        const auto* text = reinterpret_cast<const UnicodeText*>(info);
        if (text->buffer) name = e2e::narrow(std::wstring_view(text->buffer, text->length / sizeof(wchar_t)));
    }
    CloseHandle(mine);
    return name;
}

// The program's windows: top-level ones (EnumWindows), message-only ones
// (which EnumWindows leaves out) and every child of either.
struct WindowCount {
    DWORD pid;
    int topLevel = 0, messageOnly = 0, children = 0;
    int total() const { return topLevel + messageOnly + children; }

    static BOOL CALLBACK child(HWND, LPARAM self) {
        ++reinterpret_cast<WindowCount*>(self)->children;
        return TRUE;
    }
    static BOOL CALLBACK top(HWND hwnd, LPARAM self) {
        auto* c = reinterpret_cast<WindowCount*>(self);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != c->pid) return TRUE;
        ++c->topLevel;
        EnumChildWindows(hwnd, &WindowCount::child, self);
        return TRUE;
    }
};

WindowCount countWindows(DWORD pid) {
    WindowCount c{pid};
    EnumWindows(&WindowCount::top, reinterpret_cast<LPARAM>(&c));
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != pid) continue;
        ++c.messageOnly;
        EnumChildWindows(w, &WindowCount::child, reinterpret_cast<LPARAM>(&c));
    }
    return c;
}

struct Sample {
    WindowCount windows{0};
    int handles = -1;
    std::map<std::string, int> handlesByType;
    double workingSetMiB = 0;
};

Sample sample(HANDLE process, DWORD pid) {
    Sample s;
    s.windows = countWindows(pid);
    std::vector<ProcessHandle> handles;
    const char* source = "";
    if (processHandles(pid, handles, source)) {
        s.handles = static_cast<int>(handles.size());
        std::map<USHORT, std::string> typeNames;
        for (const ProcessHandle& h : handles) {
            auto known = typeNames.find(h.typeIndex);
            std::string name = known != typeNames.end() ? known->second : handleTypeName(process, h.value);
            if (known == typeNames.end() && name != "?") typeNames[h.typeIndex] = name;
            ++s.handlesByType[name];
        }
        static bool told = false;
        if (!told) {
            std::printf("handle list read through %s\n", source);
            told = true;
        }
    }
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    if (GetProcessMemoryInfo(process, &m, sizeof m))
        s.workingSetMiB = static_cast<double>(m.WorkingSetSize) / (1024.0 * 1024.0);
    return s;
}

std::string describe(const Sample& s) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "windows %d (%d top-level, %d message-only, %d child), handles %d, working set %.2f MiB",
                  s.windows.total(), s.windows.topLevel, s.windows.messageOnly, s.windows.children, s.handles,
                  s.workingSetMiB);
    std::string out = line;
    out += "\n  handles by kind:";
    for (auto& [type, n] : s.handlesByType)
        out += " " + (type.empty() ? std::string("(unnamed)") : type) + " " + std::to_string(n) + ";";
    return out;
}

// A count that may grow by a few objects over the run, no more.
constexpr int kFewObjects = 3;
// The working set: 1 MiB over the run, about 10 KiB a round.
constexpr double kMemorySlackMiB = 1.0;

void countRow(const std::string& what, int last, int first) {
    bool met = last >= 0 && first >= 0 && last <= first + kFewObjects;
    std::printf("| %s | %d | %d (after the first) | %.2fx | at most %d more | %s |\n", what.c_str(), last, first,
                first > 0 ? static_cast<double>(last) / first : 0.0, kFewObjects, met ? "met" : "NOT met");
}

void memoryRow(const std::string& what, double last, double first) {
    bool met = last > 0 && last <= first + kMemorySlackMiB;
    std::printf("| %s | %.1f MiB | %.1f MiB (after the first) | %.2fx | at most %.0f MiB more | %s |\n", what.c_str(),
                last, first, first > 0 ? last / first : 0.0, kMemorySlackMiB, met ? "met" : "NOT met");
}

void report(const char* run, int rounds, const Sample& first, const Sample& last) {
    std::string after = " after " + std::to_string(rounds) + " " + run;
    countRow("windows of the process" + after, last.windows.total(), first.windows.total());
    countRow("handles of the process" + after, last.handles, first.handles);
    memoryRow("working set" + after, last.workingSetMiB, first.workingSetMiB);
    std::fflush(stdout);
}

void fail(const std::string& what) { throw std::runtime_error(what); }

void waitOrFail(const std::function<bool()>& cond, DWORD timeoutMs, const std::string& what) {
    if (!e2e::waitUntil(cond, timeoutMs)) fail(what);
}

class Endurance {
public:
    Endurance(e2e::Product& app, std::string component, std::wstring clsid)
        : app_(app), component_(std::move(component)), classKey_(L"CLSID\\" + clsid) {
        process_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE | SYNCHRONIZE, FALSE,
                               app.pid());
        if (!process_) fail("cannot open the program's process");
    }
    ~Endurance() { CloseHandle(process_); }

    e2e::Ui c(const char* name) const { return app_[name]; }
    std::string text(const char* name) const { return c(name).text(); }

    // The program has handled everything it was given and waits for input.
    void settled() {
        WaitForInputIdle(process_, 5000);
        if (!app_.running()) fail("the program has ended");
    }

    Sample measure() {
        settled();
        return sample(process_, app_.pid());
    }

    void selectComponent(const std::wstring& folder) {
        std::string wanted = e2e::narrow(folder) + "\\";
        waitOrFail([&] { return text("lblDirAddress") == wanted; }, 10000, "the browser did not open " + wanted);
        e2e::Ui files = c("FileList");
        int index = files.find(component_);
        if (index < 0) fail("no " + component_ + " in the file list");
        e2e::clickListItem(files, index);
        waitOrFail([&] { return text("txtFile") == component_; }, 5000, "the panel did not take " + component_);
    }

    // btnVer, then the end of the verification: the button and the browser
    // lists enabled again, the folder search over, the load test reported.
    void verify() {
        e2e::bringToFront(app_.main().hwnd());
        e2e::click(c("btnVer"));
        waitOrFail([&] { return !c("btnVer").enabled(); }, 5000, "the verification did not start");
        waitOrFail(
            [&] {
                // The first slot is filled by the folder search only: the
                // moment between the registry answer and the search's start
                // does not count as the end.
                return c("btnVer").enabled() && c("DirList").enabled() && c("FileList").enabled() &&
                       c("DriveList").enabled() && text("lblStopSearch") == "0" && !text("lblSystem32KB").empty();
            },
            120000, "the verification did not end");
        if (c("imgCharge").tip() != "Componente carregado na memória.")
            fail("the load test did not report a load: " + c("imgCharge").tip());
        if (text("txtRegistrado").rfind("Componente 32 bits", 0) != 0)
            fail("no registry answer: " + text("txtRegistrado"));
    }

    // btnReg or btnUnreg, "Sim", and the result window, closed by its close
    // box as soon as it shows: the caller goes on as after the countdown.
    void registration(const char* button, const char* outcome, bool registered) {
        e2e::bringToFront(app_.main().hwnd());
        e2e::click(c(button));
        e2e::Ui confirm = app_.waitForForm("Form6", 10000);
        if (!confirm) fail(std::string("no confirmation window after ") + button);
        e2e::Ui yes = confirm["btnSim"];
        e2e::bringToFront(confirm.hwnd());
        e2e::click(yes);
        e2e::Ui result = app_.waitForForm("Form9", 30000);
        if (!result) fail(std::string("no result window after ") + button);
        std::string message = result["lblMensagem"].text();
        if (message != outcome) fail("the result window says " + message);
        PostMessageW(result.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        waitOrFail([&] { return !IsWindow(result.hwnd()) && !IsWindow(confirm.hwnd()) && app_.main().enabled(); },
                   10000, "the result and confirmation windows did not close");
        if (e2e::registryKeyExists(HKEY_CLASSES_ROOT, classKey_, KEY_WOW64_32KEY) != registered)
            fail(std::string("the class is ") + (registered ? "not " : "still ") + "registered after " + button);
    }

    void roundTrip() {
        registration("btnReg", "Componente registrado com sucesso.", true);
        registration("btnUnreg", "Componente desregistrado com sucesso.", false);
    }

private:
    e2e::Product& app_;
    std::string component_;
    std::wstring classKey_;
    HANDLE process_ = nullptr;
};

template <class Round>
void run(Endurance& e, const char* what, int rounds, Round round) {
    std::vector<double> seconds;
    auto timed = [&] {
        double start = bench::nowMs();
        round();
        seconds.push_back((bench::nowMs() - start) / 1000.0);
    };
    timed();
    Sample first = e.measure();
    std::printf("after the first of the %s: %s\n", what, describe(first).c_str());
    for (int i = 2; i <= rounds; ++i) timed();
    Sample last = e.measure();
    std::printf("after %d %s: %s\n", rounds, what, describe(last).c_str());
    // Whether a round slows down as the run goes on (the machine is shared:
    // a figure, not a verdict).
    size_t tenth = std::max<size_t>(1, seconds.size() / 10);
    std::vector<double> early(seconds.begin(), seconds.begin() + tenth), late(seconds.end() - tenth, seconds.end());
    double total = 0;
    for (double t : seconds) total += t;
    std::printf("%d %s took %.0f s; one took %.2f s (median of the first %zu), %.2f s (median of the last %zu)\n",
                rounds, what, total, bench::median(early), tenth, bench::median(late), tenth);
    std::fflush(stdout);
    report(what, rounds, first, last);
}

// The component alone, loaded and unloaded in this process as the program's
// load test does: what it leaves behind would show in the program's count.
void checkComponentAlone(const std::wstring& path) {
    DWORD me = GetCurrentProcessId();
    std::vector<ProcessHandle> before, after;
    const char* source = "";
    if (!processHandles(me, before, source)) return;
    for (int i = 0; i < 20; ++i) {
        HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR |
                                                                    LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        if (!module) fail("the component does not load: " + e2e::narrow(path));
        FreeLibrary(module);
    }
    processHandles(me, after, source);
    std::printf("the component alone, loaded and unloaded 20 times in the driver: %zu handles before, %zu after%s\n",
                before.size(), after.size(),
                after.size() > before.size() ? " (what it leaves behind shows in the program's count too)" : "");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "bench_endurance PROGRAM FOLDER COMPONENT CLSID [VERIFICATIONS [ROUND-TRIPS]]\n");
        return 2;
    }
    int verifications = argc > 5 ? _wtoi(argv[5]) : 100;
    int roundTrips = argc > 6 ? _wtoi(argv[6]) : 30;
    try {
        checkComponentAlone(std::wstring(argv[2]) + L"\\" + argv[3]);
        // Started from another drive with C:'s current folder on the component's,
        // as the tests start it: the browser then moves there at start-up.
        e2e::Product app({.exe = argv[1], .currentDirectory = L"Z:\\", .driveCFolder = argv[2]});
        Endurance e(app, e2e::narrow(argv[3]), argv[4]);
        e.selectComponent(argv[2]);
        if (verifications > 0) run(e, "verifications", verifications, [&] { e.verify(); });
        if (roundTrips > 0) run(e, "register/unregister round trips", roundTrips, [&] { e.roundTrip(); });
    } catch (const std::exception& ex) {
        std::printf("bench_endurance: %s\n", ex.what());
        return 1;
    }
    return 0;
}
