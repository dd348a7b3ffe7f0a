// What the program lives through: load faults, a file gone after the listing, a crowded folder, a deep tree.
#include "scenario.h"

namespace {

using brontal::ui::kVerificationsDoneProp;

constexpr wchar_t kFolder[] = L"C:\\brontal\\falhas";
constexpr wchar_t kName[] = L"BrontalMultidao.dll";

// A common folder with more files than the count shows, a copy among them, and a wide empty tree whose walk
// holds the count for seconds; and a tree nested past the classic path length with a copy at the bottom.
constexpr wchar_t kCrowd[] = L"C:\\Program Files (x86)\\Common Files\\brontal_multidao";
constexpr wchar_t kDeep[] = L"C:\\Program Files\\Common Files\\brontal_fundo";
constexpr int kCrowdFiles = 40000, kEmptyWidth = 120, kDeepLevels = 14;

std::wstring deepLevel(const std::wstring& root, int depth) {
    std::wstring path = L"\\\\?\\" + root;
    for (int i = 1; i <= depth; ++i) path += L"\\nivel_profundo_" + std::to_wstring(10 + i);
    return path;
}

// Filling one folder through Wine is quadratic: the Unix side makes the crowd and leaves a mark when done.
bool makeCrowd(const std::wstring& at) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* folder = e2e::makeFolders(at) && unixName ? unixName(at.c_str()) : nullptr;
    if (!folder) return false;
    std::string width = std::to_string(kEmptyWidth);
    std::string script = "cd '" + std::string(folder) + "' && seq -f m%05g.txt 1 " + std::to_string(kCrowdFiles) +
                         " | xargs touch && for b in $(seq " + width + "); do for l in $(seq " + width +
                         "); do echo vazia$b/f$l; done; done | xargs mkdir -p && touch pronto";
    HeapFree(GetProcessHeap(), 0, folder);
    std::wstring line = L"Z:\\bin\\sh -c \"" + e2e::widen(script) + L"\"";
    STARTUPINFOW si{.cb = sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const std::wstring done = at + L"\\pronto";
    return e2e::waitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 120000) &&
           DeleteFileW(done.c_str()) && e2e::putFixture(L"BrontalTest32.dll", at + L"\\" + kName);
}

bool makeDeep(const std::wstring& at) {
    for (int depth = 0; depth <= kDeepLevels; ++depth)
        if (!CreateDirectoryW(deepLevel(at, depth).c_str(), nullptr)) return false;
    return e2e::copyFile(e2e::fixturesDir() + L"\\BrontalTest32.dll", deepLevel(at, kDeepLevels) + L"\\" + kName);
}

struct Faults : e2e::ProductTest {
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        for (auto [fixture, name] : {std::pair{L"BrontalNoInit32.dll", L"BrontalNoInit32.dll"},
                                     {L"BrontalCrash32.dll", L"BrontalCrash32.dll"},
                                     {L"BrontalTest32.dll", L"BrontalSumiu.dll"}, {L"BrontalTest32.dll", kName}})
            ASSERT_TRUE(e2e::putFixture(fixture, std::wstring(kFolder) + L"\\" + name));
        startIn(kFolder);
    }
};

TEST_F(Faults, LoadFaultsAGoneFileACrowdedFolderAndADeepTreeAreLivedThrough) {
    selectFile("BrontalNoInit32.dll");
    verifyAndWait();
    EXPECT_EQ(c("imgCharge").tip(), "Componente não carregado na memória.");
    EXPECT_EQ(c("imgCharge").picture(), c("imgCharge2").picture());

    // One whose start-up code faults, twice: the program tells what the loader
    // answered it (Wine's swallows the fault and hands out the module).
    selectFile("BrontalCrash32.dll");
    HMODULE module = LoadLibraryExW((std::wstring(kFolder) + L"\\BrontalCrash32.dll").c_str(), nullptr,
                                    LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module) FreeLibrary(module);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        if (!finishes(kVerificationsDoneProp, [&] { click(c("btnVer")); })) {
            ASSERT_FALSE(app->running()) << "the verification did not end";
            // Where the system lets the fault through, the program goes with it.
            GTEST_SKIP() << "the program ended in the load test, exit code " << std::hex
                         << app->waitForExit(0).value_or(0);
        }
        EXPECT_EQ(c("imgCharge").tip(), module ? "Componente carregado na memória." : "Componente não carregado na memória.");
        EXPECT_EQ(c("imgCharge").picture(), c(module ? "imgCharge3" : "imgCharge2").picture());
    }

    // A file deleted after the listing: said in dark red, no facts left over.
    ASSERT_TRUE(DeleteFileW((std::wstring(kFolder) + L"\\BrontalSumiu.dll").c_str()));
    clickListItem(c("FileList"), c("FileList").find("BrontalSumiu.dll"));
    ASSERT_TRUE(waitText("txtRegistrado", "Não foi possível ler o arquivo selecionado."))
        << "message line: " << text("txtRegistrado");
    EXPECT_EQ(c("txtRegistrado").foreColor(), 192u);
    for (const char* label : {"txtKB", "lblb", "lblFileData", "lblSystem32KB", "lblCommonFilesX86b"})
        EXPECT_EQ(text(label), "") << label;

    // The count stops at 32767, held through the empty tree; the search goes on.
    e2e::TreeInPlace crowd(kCrowd, L"C:\\brontal\\multidao-guardada", makeCrowd),
        deep(kDeep, L"C:\\brontal\\fundo-guardado", makeDeep);
    ASSERT_TRUE(crowd.ready && deep.ready);
    selectFile(e2e::narrow(kName));
    EXPECT_EQ(text("lblb"), "32");
    const unsigned before = app->finished(kVerificationsDoneProp);
    auto over = [&] { return app->finished(kVerificationsDoneProp) > before || !app->running(); };
    bool held = false;
    click(c("btnVer"));
    e2e::waitUntil([&] { return (held = text("lblCommonFilesX86b") == "32767") || over(); }, 180000);
    ASSERT_TRUE(e2e::waitUntil(over, 180000) && app->running()) << "the search did not end";
    EXPECT_TRUE(held) << "the count of the crowded folder never showed 32767";
    e2e::Ui hits = c("lstArquivos");
    const std::string deepCopy = e2e::narrow(deepLevel(kDeep, kDeepLevels).substr(4) + L"\\" + kName);
    EXPECT_GT(deepCopy.size(), 260u);
    for (const std::string& copy : {deepCopy, e2e::narrow(std::wstring(kCrowd) + L"\\" + kName)})
        EXPECT_GE(hits.find(copy), 0) << copy << " not among " << hits.count() << " hits";
    for (const char* slot : {"lblCommonFiles", "lblCommonFilesX86"}) {
        EXPECT_EQ(text((std::string(slot) + "KB").c_str()), text("txtKB")) << slot;
        EXPECT_EQ(text((std::string(slot) + "b").c_str()), "32") << slot;
    }
    EXPECT_TRUE(answers());
}

} // namespace
