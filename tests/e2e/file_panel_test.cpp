// The file panel over files written for it: bitness, sizes in the user's locale, date, an unknown machine.
#include "scenario.h"

#include <winioctl.h>

#include <cstdint>

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\arquivos";
constexpr char kPe32[] = "pe32.dll", kPe64[] = "pe64.dll", kPeArm64[] = "pearm64.dll", kText[] = "texto.dll",
               kHuge[] = "grande.dll", kSize1264128[] = "tamanho1264128.dll",
               kAccented[] = "Ação_Componente.dll",        // fits Windows-1252
               kOutsideAnsi[] = "Компонент_测试.dll";     // no ANSI code page holds it
// Every file carries this last-write time, in local time, as the panel shows it.
constexpr char kFixtureDate[] = "05/03/2019 14:07:33";

// machine 0: not an image; the size beyond what is written is a sparse hole.
struct FileFixture { const char* name; std::uint16_t machine; std::uint64_t size; };
const FileFixture kFixtures[] = {{kPe32, 0x014C, 1024},      {kPe64, 0x8664, 1024},  {kPeArm64, 0xAA64, 1024},
                                 {kText, 0, 40},             {kHuge, 0x014C, (2ull << 30) + 4096},
                                 {kSize1264128, 0, 1264128}, {kAccented, 0x014C, 1024}, {kOutsideAnsi, 0x8664, 1024}};

// An image as far as the probe reads one: "MZ", e_lfanew, the signature and the machine.
bool writeFixture(const FileFixture& f) {
    HANDLE file = CreateFileW((std::wstring(kFolder) + L"\\" + e2e::widen(f.name)).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes(f.machine ? 1024 : 40, f.machine ? '\0' : 'x');
    if (f.machine) {
        bytes.replace(0, 2, "MZ");
        bytes[0x3C] = '\x80';
        bytes.replace(0x80, 6, std::string("PE\0\0", 4) + char(f.machine & 0xFF) + char(f.machine >> 8));
    }
    DWORD written = 0, ignored = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (f.size > bytes.size()) {
        DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(f.size);
        ok = ok && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    }
    SYSTEMTIME local{2019, 3, 2, 5, 14, 7, 33, 0}, utc{};
    FILETIME time{};
    ok = ok && TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &time) &&
         SetFileTime(file, &time, &time, &time);
    CloseHandle(file);
    return ok;
}

struct FilePanel : e2e::ProductTest {
    void SetUp() override {
        if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
        // The names outside ASCII need the English group's UTF-8 character set.
        const char* locale = std::getenv("BRONTAL_E2E_LOCALE");
        const bool brazil = locale && std::string(locale) == "brazil";
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        for (const FileFixture& f : kFixtures)
            if (!brazil || (f.name != kAccented && f.name != kOutsideAnsi)) ASSERT_TRUE(writeFixture(f)) << f.name;
        startIn(kFolder);
    }
};

TEST_F(FilePanel, FactsOfTheSelectedFileInTheBrazilianLocale) {
    // Nothing selected: the report refuses (the window tests read why), nothing opens.
    ASSERT_EQ(text("txtFile"), "");
    ASSERT_TRUE(finishes(brontal::ui::kVerificationsDoneProp, [&] {
        click(c("btnFile"));
        click(c("btnVer"));   // refused too, and counted once it has been
    }));
    EXPECT_FALSE(app->form("Form3")) << "the report window stays closed";

    for (auto [name, bits] : {std::pair{kPe32, "32"}, {kPe64, "64"}, {kText, "32"}}) {
        SCOPED_TRACE(name);
        selectFile(name);
        EXPECT_EQ(text("lblb"), bits);
        EXPECT_EQ(text("lblFileData"), kFixtureDate);
    }
    // Two decimals, grouping; beyond 2 GiB the true length, not a wrapped one.
    selectFile(kSize1264128);
    EXPECT_EQ(text("txtKB"), "1.234,50 kB");
    selectFile(kHuge);
    EXPECT_EQ(text("txtKB"), "2.097.156,00 kB");
    EXPECT_EQ(text("lblb"), "32");

    // An unknown machine is said in a message box, then shown as 32 bits.
    e2e::clickListItem(c("FileList"), c("FileList").find(kPeArm64));
    ASSERT_TRUE(e2e::waitUntil([&] { return !app->messageBoxes().empty(); }, 10000)) << "no message box";
    e2e::Ui box = app->messageBoxes().front();
    EXPECT_EQ(box.text(), "Brontal32");
    PostMessageW(box.hwnd(), WM_COMMAND, IDOK, 0);   // its OK button
    ASSERT_TRUE(waitText("lblb", "32"));
    EXPECT_TRUE(e2e::waitUntil([&] { return app->messageBoxes().empty(); }, 3000));
}

struct FileNames : FilePanel {};

TEST_F(FileNames, NamesOutsideAsciiAreShownAndProbedAndSizesAreInEnglish) {
    for (auto [name, bits] : {std::pair{kAccented, "32"}, std::pair{kOutsideAnsi, "64"}}) {
        SCOPED_TRACE(name);
        selectFile(name);
        EXPECT_EQ(text("lblb"), bits);
        EXPECT_EQ(text("txtKB"), "1.00 kB");
        EXPECT_EQ(text("lblFileData"), kFixtureDate);
    }
    selectFile(kSize1264128);
    EXPECT_EQ(text("txtKB"), "1,234.50 kB");
}

} // namespace
