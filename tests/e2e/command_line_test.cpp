// The program from a command line, as a script or a technician at a prompt
// uses it: usage and refusals, a whole register-verify-unregister round with
// the real regsvr32 on a file named outside the ANSI code page and given
// relative to the current folder, and a registration that fails with its
// reason. Run in both prefixes.
#include <gtest/gtest.h>

#include "command_run.h"
#include "driver.h"
#include "json.h"
#include "scenario.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\linha";
constexpr wchar_t kName[] = L"Компонент линии.dll";
constexpr wchar_t kTest32Class[] = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";

e2e::CommandRun brontal(const std::wstring& arguments) {
    return e2e::runProgram(e2e::productExe(), arguments, kFolder);
}

bool classRegistered() { return e2e::registryKeyExists(HKEY_CLASSES_ROOT, kTest32Class, KEY_WOW64_32KEY); }

struct CommandLine : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(kFolder));
        for (auto [fixture, name] : {std::pair{L"BrontalTest32.dll", kName}, std::pair{L"BrontalNeedsLib32.dll", L"Falha.dll"},
                                     std::pair{L"BrontalTest64.dll", L"Largo.dll"}})
            ASSERT_TRUE(e2e::putFixture(fixture, std::wstring(kFolder) + L"\\" + name));
    }
};

TEST_F(CommandLine, UsageAndRefusalsEndAtOnceWithoutAWindow) {
    e2e::CommandRun usage = brontal(L"/?");
    EXPECT_EQ(usage.exitCode, 0u);
    EXPECT_NE(usage.out.find("Brontal32.exe /verificar ARQUIVO [/json]"), std::string::npos) << usage.out;
    EXPECT_EQ(usage.err, "");

    e2e::CommandRun bad = brontal(L"/verify x.dll");   // the other refusals are the unit tests' table
    EXPECT_EQ(bad.exitCode, 2u);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("Uso:"), std::string::npos) << bad.err;
    // A file that is not there: said on standard error, relative to the current folder.
    e2e::CommandRun missing = brontal(L"/verificar nada.dll /json");
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Não foi possível ler o arquivo: C:\\brontal\\linha\\nada.dll\r\n");
}

TEST_F(CommandLine, RegistersVerifiesAndUnregistersWithTheRealRegsvr32) {
    const bool windows64 = e2e::prefixKind() == "win64";
    const std::string name = e2e::narrow(kName), path = "C:\\brontal\\linha\\" + name;
    const std::wstring quoted = L"\"" + std::wstring(kName) + L"\"";

    e2e::CommandRun reg = brontal(L"/registrar " + quoted);
    EXPECT_EQ(reg.exitCode, 0u) << reg.err;
    EXPECT_EQ(reg.out, "Componente registrado com sucesso.\r\n");
    EXPECT_TRUE(classRegistered());

    e2e::CommandRun json = brontal(L"/verificar " + quoted + L" /json");
    EXPECT_EQ(json.exitCode, 0u) << json.out << json.err;
    std::optional<testjson::Value> v = testjson::parse(json.out);
    ASSERT_TRUE(v) << json.out;
    const testjson::Value& o = *v;
    EXPECT_EQ(o["file"].text, name);
    EXPECT_EQ(o["path"].text, path);
    EXPECT_EQ(o["bits"].number, 32);
    EXPECT_NE(o["size"].text.find(" kB"), std::string::npos);
    EXPECT_EQ(o["date"].text.size(), 19u) << o["date"].text;
    EXPECT_TRUE(o["registered"].boolean && o["registry32"].boolean);
    EXPECT_EQ(o["registry64"].kind, windows64 ? testjson::Value::Bool : testjson::Value::Null);
    EXPECT_TRUE(o["loads"].boolean);
    EXPECT_EQ(o["loadFailure"].kind, testjson::Value::Null);
    EXPECT_TRUE(o["copies"].items.empty());
    EXPECT_EQ(o["version"].kind, testjson::Value::Null) << "the test component has no version resource";
    EXPECT_EQ(o["windowsBits"].number, windows64 ? 64 : 32);
    EXPECT_EQ(o["windows"].text.rfind("Sistema operacional Windows ", 0), 0u) << o["windows"].text;
    EXPECT_EQ(o["exitCode"].number, 0);

    e2e::CommandRun unreg = brontal(L"/desregistrar " + quoted);
    EXPECT_EQ(unreg.exitCode, 0u) << unreg.err;
    EXPECT_EQ(unreg.out, "Componente desregistrado com sucesso.\r\n");
    EXPECT_FALSE(classRegistered());

    // Plain: the report's text, in UTF-8 through the pipe; no longer registered.
    e2e::CommandRun plain = brontal(L"/verificar " + quoted);
    EXPECT_EQ(plain.exitCode, 1u);
    EXPECT_EQ(plain.out.rfind("Arquivo referência: " + name + "\r\nEndereço: " + path + "\r\n", 0), 0u) << plain.out;
    const std::string end = windows64 ? " / 64 bits" : " / 32 bits";
    EXPECT_EQ(plain.out.substr(plain.out.size() - std::min(plain.out.size(), end.size())), end);
}

// At a console prompt (the program attaches to the console of whoever started
// it): the console's own wide characters, whatever its code page.
TEST_F(CommandLine, AtAConsoleItWritesWideCharacters) {
    const HANDLE saved[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE)};
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    std::wstring commandLine = L"\"" + e2e::productExe() + L"\" /verificar \"" + kName + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring shown(4000, L' ');
    DWORD got = 0;
    if (CreateProcessW(e2e::productExe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, kFolder,
                       &startup, &process)) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 180000), WAIT_OBJECT_0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ReadConsoleOutputCharacterW(screen, shown.data(), static_cast<DWORD>(shown.size()), COORD{0, 0}, &got);
    }
    CloseHandle(screen);
    FreeConsole();
    SetStdHandle(STD_INPUT_HANDLE, saved[0]);
    SetStdHandle(STD_OUTPUT_HANDLE, saved[1]);
    SetStdHandle(STD_ERROR_HANDLE, saved[2]);
    EXPECT_NE(shown.find(L"Arquivo referência: " + std::wstring(kName)), std::wstring::npos)
        << e2e::narrow(shown.substr(0, 240));
}

// On 64-bit Windows a 64-bit component is registered in the 64-bit view only,
// and the command line, unlike the window, looks there too.
TEST_F(CommandLine, The64BitRegistryViewIsAskedOn64BitWindows) {
    if (e2e::prefixKind() != "win64") GTEST_SKIP() << "run in the 64-bit prefix";
    ASSERT_EQ(brontal(L"/registrar Largo.dll").exitCode, 0u);
    e2e::CommandRun run = brontal(L"/verificar Largo.dll /json");
    std::optional<testjson::Value> v = testjson::parse(run.out);
    ASSERT_TRUE(v) << run.out;
    EXPECT_FALSE((*v)["registry32"].boolean);
    EXPECT_TRUE((*v)["registry64"].boolean);
    EXPECT_EQ((*v)["bits"].number, 64);
    EXPECT_EQ((*v)["loadFailure"].text, "Imagem de 64 bits: não pode ser carregada por um processo de 32 bits");
    EXPECT_EQ(run.exitCode, 1u) << "it cannot load into a 32-bit process";
    // Its class found in the 64-bit view only, for this very copy.
    int found = 0;
    for (const testjson::Value& r : (*v)["registrations"].items) {
        if (r["clsid"].text != "{8E802D47-6660-4BFD-9723-DE51531FD0EB}") continue;
        ++found;
        EXPECT_EQ(r["view"].number, 64);
        EXPECT_EQ(r["kind"].text, "InprocServer32");
        EXPECT_EQ(r["target"].text, "this") << r["path"].text;
    }
    EXPECT_EQ(found, 1) << run.out;
    EXPECT_EQ(brontal(L"/desregistrar Largo.dll").exitCode, 0u);
}

// A component whose library is missing: regsvr32's code and why, then the
// load test's reason in the verification.
TEST_F(CommandLine, AFailureSaysWhy) {
    e2e::CommandRun run = brontal(L"/registrar Falha.dll");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.out, "Erro ao tentar registrar componente.\r\nregsvr32 (código 3): o arquivo não carregou.\r\n");
    run = brontal(L"/verificar Falha.dll /json");
    EXPECT_EQ(run.exitCode, 1u);
    std::optional<testjson::Value> v = testjson::parse(run.out);
    ASSERT_TRUE(v) << run.out;
    EXPECT_FALSE((*v)["loads"].boolean);
    EXPECT_EQ((*v)["loadFailure"].text, "Biblioteca ausente: BrontalAusente.dll");
}

} // namespace
