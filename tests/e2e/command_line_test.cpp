// The program from a command line, as a script or a technician at a prompt
// uses it: usage and refusals, a whole register-verify-unregister round with
// the real regsvr32 on a file named outside the ANSI code page and given
// relative to the current folder, and a registration that fails with its
// reason. Run in both prefixes.
#include <gtest/gtest.h>

#include <memory>

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
        // No PE header: empty, and text under a component's name and under its own.
        for (auto [name, bytes] : {std::pair{L"Vazio.dll", ""}, std::pair{L"Texto.dll", "texto\r\n"},
                                   std::pair{L"notas.txt", "texto\r\n"}}) {
            HANDLE file = CreateFileW((std::wstring(kFolder) + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            ASSERT_TRUE(WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr));
            CloseHandle(file);
        }
    }
};

TEST_F(CommandLine, UsageAndRefusalsEndAtOnceWithoutAWindowEachWithItsOwnCode) {
    e2e::CommandRun usage = brontal(L"/?");
    EXPECT_EQ(usage.exitCode, 0u);
    EXPECT_NE(usage.out.find("Brontal32.exe /verificar ARQUIVO [/json]"), std::string::npos) << usage.out;
    EXPECT_NE(usage.out.find("  17     o regsvr32 ou o reg não terminou em 60 s\r\n"), std::string::npos) << usage.out;
    EXPECT_EQ(usage.err, "");

    e2e::CommandRun bad = brontal(L"/verify x.dll");   // the other refusals are the unit tests' table
    EXPECT_EQ(bad.exitCode, 10u);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("Argumento desconhecido: \"/verify\".\r\n\r\nBrontal32: ", 0), 0u) << bad.err;
    // "C:\x\" /json: Windows hands the program one argument, and it says why.
    e2e::CommandRun joined = brontal(L"/verificar \"C:\\brontal\\linha\\\" /json");
    EXPECT_EQ(joined.exitCode, 10u);
    EXPECT_EQ(joined.err.rfind("Aspas dentro do argumento \"C:\\brontal\\linha\" /json\"", 0), 0u) << joined.err;
    // A file that is not there: said on standard error, relative to the current folder.
    e2e::CommandRun missing = brontal(L"/verificar nada.dll /json");
    EXPECT_EQ(missing.exitCode, 11u);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Não foi possível ler o arquivo: C:\\brontal\\linha\\nada.dll\r\n");
    // What the verify button refuses, in its words.
    e2e::CommandRun text = brontal(L"/verificar notas.txt");
    EXPECT_EQ(text.exitCode, 12u);
    EXPECT_EQ(text.err, "Apenas arquivos dll e ocx podem ser verificados.\r\n");
    // Output that cannot be written (a full device) is lost loudly.
    e2e::CommandRun full = e2e::runProgram(e2e::productExe(), L"/verificar Falha.dll /json", kFolder, 180000,
                                           L"Z:\\dev\\full");
    EXPECT_EQ(full.exitCode, 16u);
    EXPECT_EQ(full.err, "Não foi possível escrever a saída (erro 112 do Windows).\r\n");
}

// A file without a PE header: the window shows "32", the JSON says it has no bits.
TEST_F(CommandLine, AFileWithoutAPeHeaderHasNoBitsInTheJson) {
    for (const wchar_t* name : {L"Vazio.dll", L"Texto.dll"}) {
        e2e::CommandRun run = brontal(std::wstring(L"/verificar ") + name + L" /json");
        EXPECT_EQ(run.exitCode, 1u) << run.err;
        std::optional<testjson::Value> v = testjson::parse(run.out);
        ASSERT_TRUE(v) << run.out;
        EXPECT_EQ((*v)["bits"].kind, testjson::Value::Null) << run.out;
        EXPECT_FALSE((*v)["loads"].boolean);
        e2e::CommandRun plain = brontal(std::wstring(L"/verificar ") + name);
        EXPECT_NE(plain.out.find(" - 32 bits - "), std::string::npos) << plain.out;
    }
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
// it): the console's own wide characters, whatever its code page, and exactly
// one line break after the output, whether or not the output ends with one.
TEST_F(CommandLine, AtAConsoleItWritesWideCharactersAndEndsWithOneLineBreak) {
    const HANDLE saved[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE)};
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    // The cursor after each run.
    auto runAtConsole = [&](const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + e2e::productExe() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        CONSOLE_SCREEN_BUFFER_INFO after{};
        if (CreateProcessW(e2e::productExe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           kFolder, &startup, &process)) {
            EXPECT_EQ(WaitForSingleObject(process.hProcess, 180000), WAIT_OBJECT_0);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            GetConsoleScreenBufferInfo(screen, &after);
        }
        return after;
    };
    CONSOLE_SCREEN_BUFFER_INFO afterUsage = runAtConsole(L"/?");   // its text ends with a line break
    CONSOLE_SCREEN_BUFFER_INFO afterReport = runAtConsole(L"/verificar \"" + std::wstring(kName) + L"\"");   // not
    const SHORT width = afterReport.dwSize.X;
    std::wstring shown(static_cast<size_t>(width) * (afterReport.dwCursorPosition.Y + 1), L' ');
    DWORD got = 0;
    ReadConsoleOutputCharacterW(screen, shown.data(), static_cast<DWORD>(shown.size()), COORD{0, 0}, &got);
    CloseHandle(screen);
    FreeConsole();
    SetStdHandle(STD_INPUT_HANDLE, saved[0]);
    SetStdHandle(STD_OUTPUT_HANDLE, saved[1]);
    SetStdHandle(STD_ERROR_HANDLE, saved[2]);
    EXPECT_NE(shown.find(L"Arquivo referência: " + std::wstring(kName)), std::wstring::npos)
        << e2e::narrow(shown.substr(0, 240));
    // The cursor at the start of the line right under each output's last line, which is not blank.
    auto lineAbove = [&](const CONSOLE_SCREEN_BUFFER_INFO& after) {
        EXPECT_EQ(after.dwCursorPosition.X, 0);
        if (after.dwCursorPosition.Y < 1) return std::wstring();
        return shown.substr(static_cast<size_t>(width) * (after.dwCursorPosition.Y - 1), width);
    };
    std::wstring usageEnd = lineAbove(afterUsage), reportEnd = lineAbove(afterReport);
    EXPECT_EQ(usageEnd.rfind(L"  19     /orfaos: o Registro não pôde ser lido", 0), 0u) << e2e::narrow(usageEnd);
    EXPECT_NE(reportEnd.find(L" Sistema operacional "), std::wstring::npos) << e2e::narrow(reportEnd);
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

// Dropped on the program, "Abrir com", "Enviar para", a shortcut with an
// argument: the window opens with the browser there. Started from another
// folder, with no console and no standard handles, as Explorer starts it.
struct StartedWith : CommandLine {
    std::unique_ptr<e2e::Product> app;
    void start(const std::wstring& arguments, bool window = true) {
        app = std::make_unique<e2e::Product>(e2e::Product::Options{e2e::productExe(), L"C:\\windows", L"", arguments, window});
    }
    bool waitText(const char* name, const std::string& wanted) {
        return e2e::waitUntil([&] { return (*app)[name].text() == wanted; }, 10000);
    }
};

TEST_F(StartedWith, AFileOpensTheWindowWithTheFileChosen) {
    ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", L"C:\\pasta com espaço\\comp.dll"));
    start(L"\"C:\\pasta com espaço\\comp.dll\"");
    ASSERT_TRUE(waitText("txtFile", "comp.dll")) << (*app)["txtFile"].text();
    EXPECT_EQ((*app)["lblDirAddress"].text(), "C:\\pasta com espaço\\");
    e2e::Ui files = (*app)["FileList"];
    EXPECT_EQ(SendMessageW(files.hwnd(), LB_GETCURSEL, 0, 0), files.find("comp.dll"));
    // Its facts, as a click on it shows them.
    EXPECT_TRUE(waitText("lblb", "32")) << (*app)["lblb"].text();
    EXPECT_NE((*app)["txtKB"].text().find(" kB"), std::string::npos) << (*app)["txtKB"].text();
    EXPECT_EQ((*app)["lblFileData"].text().size(), 19u) << (*app)["lblFileData"].text();
    EXPECT_TRUE((*app)["btnVer"].enabled());
}

// A file of System32, as a 64-bit Explorer hands it over: the native one, chosen in the Sysnative listing.
TEST_F(StartedWith, ASystem32FileIsChosenInTheNativeListing) {
    if (e2e::prefixKind() != "win64") GTEST_SKIP() << "a 64-bit Windows scenario";
    start(L"C:\\Windows\\System32\\kernel32.dll");
    ASSERT_TRUE(waitText("txtFile", "kernel32.dll")) << (*app)["txtFile"].text();
    EXPECT_EQ((*app)["lblDirAddress"].text(), "C:\\Windows\\Sysnative\\");
    e2e::Ui listing = (*app)["List1"];   // over the file list, where a click would land
    EXPECT_EQ(SendMessageW(listing.hwnd(), LB_GETCURSEL, 0, 0), listing.find("kernel32.dll"));
    EXPECT_TRUE(waitText("lblb", "64")) << "the 64-bit System32 copy, not its SysWOW64 namesake";
}

TEST_F(StartedWith, AFolderOpensTheBrowserThere) {
    start(L"C:\\brontal\\linha");
    ASSERT_TRUE(waitText("lblDirAddress", "C:\\brontal\\linha\\")) << (*app)["lblDirAddress"].text();
    EXPECT_GE((*app)["FileList"].find("Falha.dll"), 0);
    EXPECT_EQ((*app)["txtFile"].text(), "");
}

BOOL CALLBACK shownIconOf(HWND child, LPARAM found) {
    if ((GetWindowLongW(child, GWL_STYLE) & (SS_TYPEMASK | WS_VISIBLE)) != (SS_ICON | WS_VISIBLE)) return TRUE;
    *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    return FALSE;
}

// With nobody to read standard error, a refused command line says why in a message box.
TEST_F(StartedWith, ABadSwitchWithNoConsoleShowsAMessageBox) {
    FreeConsole();   // as from Explorer: no console to attach to either
    start(L"/verify x.dll", false);
    std::vector<e2e::Ui> boxes;
    ASSERT_TRUE(e2e::waitUntil([&] { return !(boxes = app->messageBoxes()).empty(); }, 20000));
    EXPECT_EQ(boxes[0].text(), "Brontal32");
    wchar_t said[2048] = L"";
    GetDlgItemTextW(boxes[0].hwnd(), 0xFFFF, said, 2048);
    std::string text = e2e::narrow(said);
    EXPECT_EQ(text.rfind("Argumento desconhecido: \"/verify\".", 0), 0u) << text;
    EXPECT_NE(text.find("Uso:"), std::string::npos) << text;
    // An icon is shown (Wine's box holds its own copy of the system's, so which one is not told apart here).
    HICON shownIcon = nullptr;
    EnumChildWindows(boxes[0].hwnd(), shownIconOf, reinterpret_cast<LPARAM>(&shownIcon));
    EXPECT_NE(shownIcon, nullptr);
    PostMessageW(boxes[0].hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(app->waitForExit(10000), std::optional<DWORD>(10u));
}

} // namespace
