// The command line where end-to-end cannot go: Wine runs every process
// elevated, regsvr32 always starts and ends within its time, and its exit
// code can always be read; so the token probe and the runs are stood in for.
// The time limit is seen once with a real child: the reg stand-in asked for
// "BrontalHold" never answers.
#include <windows.h>
#include <tlhelp32.h>

#include "app/command_line.h"
#include "platform/process.h"
#include "platform/text.h"
#include "registration/registration_command.h"
#include "stand_ins.h"

namespace {

using brontal::platform::ProcessExit;

struct Captured final : brontal::platform::TextStreams {
    std::string out_, err_;
    bool errConsole = false;
    void out(std::string_view t) override { out_ += t; }
    void err(std::string_view t) override { err_ += t; }
    bool outIsConsole() const override { return false; }
    bool errIsConsole() const override { return errConsole; }
};

TEST(CommandLineRegistration, EachOutcomeOfTheRunHasAnExitCodeOfItsOwn) {
    const std::string dll = "C:\\Windows\\System32\\ole32.dll";   // any readable 32-bit library
    brontal::Command command = brontal::parseCommand({"/desregistrar", dll});
    struct Case {
        bool elevated;
        ProcessExit exit;
        int code;
        const char* says;   // on standard error, or on standard output for regsvr32's own code
    };
    const Case cases[] = {
        {false, {true, true, 0}, brontal::kExitNotAdmin, "administrador"},
        {true, {true, true, 4}, 4, "Erro ao tentar desregistrar componente.\r\nregsvr32 (código 4)"},
        {true, {false, false, 0}, brontal::kExitNotStarted, "Erro ao tentar executar como administrador: "},
        {true, {true, false, 0}, brontal::kExitCodeUnread, "Não foi possível ler o código de saída de "},
        {true, {true, false, 0, true}, brontal::kExitTimedOut, "regsvr32.exe não terminou em 60 s."},
    };
    for (const Case& k : cases) {
        window_test::Recorder recorder;
        recorder.outcomes.push_back(k.exit);
        brontal::Services services = window_test::standIns(recorder, k.elevated);
        Captured streams;
        int code = brontal::runCommand(command, services, streams);
        EXPECT_EQ(code, k.code) << k.says;
        EXPECT_NE((streams.err_ + streams.out_).find(k.says), std::string::npos) << streams.err_ << streams.out_;
        if (!k.elevated) {
            EXPECT_TRUE(recorder.runs.empty()) << "regsvr32 ran without administrator rights";
            continue;
        }
        ASSERT_EQ(recorder.runs.size(), 1u);
        EXPECT_EQ(recorder.runs[0].verb, "runas");
        EXPECT_EQ(recorder.runs[0].parameters, "  /u /s \"" + dll + "\"");
        EXPECT_EQ(recorder.runs[0].timeLimitMs, brontal::kChildTimeLimitMs);
    }
}

bool regRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{sizeof entry};
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = lstrcmpiW(entry.szExeFile, L"reg.exe") == 0;
    CloseHandle(snapshot);
    return found;
}

TEST(CommandLineTimeLimit, AChildThatNeverAnswersIsEndedAndTheRunSaysSo) {
    // The hidden run the registrations use.
    brontal::platform::HiddenRun run;
    run.file = brontal::platform::systemProgram("reg.exe");
    run.commandLine = "reg query HKEY_CLASSES_ROOT\\CLSID /s /f BrontalHold";
    run.timeLimitMs = 500;
    ProcessExit exit = brontal::platform::runHidden(run);
    EXPECT_TRUE(exit.started && exit.timedOut && !exit.exitCodeRead);
    EXPECT_FALSE(regRunning()) << "the child outlived its time limit";

    // The verification's reg, read through a pipe.
    const std::string dll = "C:\\brontal\\limite\\BrontalHold.dll";
    CreateDirectoryW(L"C:\\brontal", nullptr);
    CreateDirectoryW(L"C:\\brontal\\limite", nullptr);
    ASSERT_TRUE(CopyFileW(L"C:\\Windows\\System32\\ole32.dll", brontal::widen(dll).c_str(), FALSE));
    window_test::Recorder recorder;
    brontal::Services services = window_test::standIns(recorder, true);
    Captured streams;
    int code = brontal::runCommand(brontal::parseCommand({"/verificar", dll, "/json"}), services, streams, 1000);
    EXPECT_EQ(code, brontal::kExitTimedOut);
    EXPECT_EQ(streams.out_, "");
    EXPECT_EQ(streams.err_, brontal::platform::systemProgram("reg.exe") + " não terminou em 1 s.\r\n");
    EXPECT_FALSE(regRunning());

    // In a set, at a console, where one listing of CLSID by each reg
    // answers every file: its count on standard error, written over on one
    // line; a listing that never answers is ended, every file gets the error
    // in its place, and the run ends with its code.
    const std::string other = "C:\\brontal\\limite\\Outro.dll";
    ASSERT_TRUE(CopyFileW(L"C:\\Windows\\System32\\ole32.dll", brontal::widen(other).c_str(), FALSE));
    Captured console;
    console.errConsole = true;
    SetEnvironmentVariableW(L"BRONTAL_REG_HOLD", L"1");
    code = brontal::runCommand(brontal::parseCommand({"/verificar", dll, other, "/json"}), services, console, 1000);
    SetEnvironmentVariableW(L"BRONTAL_REG_HOLD", nullptr);
    EXPECT_EQ(code, brontal::kExitTimedOut);
    const std::string late = brontal::platform::systemProgram("reg.exe") + " não terminou em 1 s.\r\n";
    const std::string blank1 = "\r" + std::string(std::string("1/2 BrontalHold.dll").size(), ' ') + "\r";
    const std::string blank2 = "\r" + std::string(std::string("2/2 Outro.dll").size(), ' ') + "\r";
    EXPECT_EQ(console.err_, "1/2 BrontalHold.dll" + blank1 + late + "2/2 Outro.dll" + blank2 + late);
    EXPECT_EQ(console.out_.rfind("[\n{\"file\": \"BrontalHold.dll\", \"path\": ", 0), 0u) << console.out_;
    EXPECT_NE(console.out_.find("\"path\": \"C:\\\\brontal\\\\limite\\\\Outro.dll\", \"error\""), std::string::npos)
        << console.out_;
    EXPECT_FALSE(regRunning());
}

} // namespace
