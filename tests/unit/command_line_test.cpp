#include <gtest/gtest.h>

#include "../e2e/driver/json.h"
#include "app/command_args.h"
#include "report/verification.h"

using namespace brontal;

TEST(ParseCommand, SwitchesPathsAndRefusals) {
    struct Case {
        std::vector<std::string> args;
        CommandKind kind;
        std::string path;
        bool json;
    };
    const Case cases[] = {
        {{}, CommandKind::Window, "", false},
        {{"/?"}, CommandKind::Usage, "", false},
        {{"-?"}, CommandKind::Usage, "", false},
        {{"/VERIFICAR", "a b.dll"}, CommandKind::Verify, "a b.dll", false},
        {{"/verificar", "/json", "x.dll"}, CommandKind::Verify, "x.dll", true},
        {{"-verificar", "x.dll", "-JSON"}, CommandKind::Verify, "x.dll", true},
        {{"/Registrar", "..\\c.ocx"}, CommandKind::Register, "..\\c.ocx", false},
        {{"/desregistrar", "Компонент.dll"}, CommandKind::Unregister, "Компонент.dll", false},
        // Refused: unknown switch, no file, two files, /json where it means nothing, /? with more.
        {{"/verify", "x.dll"}, CommandKind::Invalid, "", false},
        {{"x.dll"}, CommandKind::Invalid, "", false},
        {{"/verificar"}, CommandKind::Invalid, "", false},
        {{"/verificar", "/json"}, CommandKind::Invalid, "", false},
        {{"/verificar", "a.dll", "b.dll"}, CommandKind::Invalid, "", false},
        {{"/verificar", "a.dll", "/json", "/json"}, CommandKind::Invalid, "", false},
        {{"/registrar", "a.dll", "/json"}, CommandKind::Invalid, "", false},
        {{"/?", "x"}, CommandKind::Invalid, "", false},
    };
    for (const Case& k : cases) {
        Command c = parseCommand(k.args);
        std::string shown = k.args.empty() ? "(none)" : k.args[0];
        EXPECT_EQ(c.kind, k.kind) << shown;
        if (k.kind == CommandKind::Invalid) {
            EXPECT_FALSE(c.error.empty()) << shown;
            continue;
        }
        EXPECT_EQ(c.path, k.path) << shown;
        EXPECT_EQ(c.json, k.json) << shown;
    }
}

// A verification whose texts hold every character JSON must escape.
Verification awkwardVerification() {
    Verification v;
    v.fileName = "a \"b\"\\ção\t.dll";
    v.path = "C:\\x\\" + v.fileName;
    v.date = "07/12/2026 20:19:38";
    v.size = "1,50 kB";
    v.is64 = true;
    v.registered32 = false;
    v.registered64 = true;
    v.loads = false;
    v.loadFailure = std::string("Biblioteca ausente: X\x01.DLL");
    v.copies = {{"C:\\Windows\\System32", true, "01/01/2020 00:00:00", "2,00 kB", true},
                {"C:\\Windows\\SysWOW64", false, "", "", false}};
    v.systemLine = "Sistema operacional Windows 10  (v10.0.18362) / 64 bits";
    v.windows64 = true;
    return v;
}

TEST(VerificationJson, EveryFieldReadsBackAsItWas) {
    const Verification v = awkwardVerification();
    std::optional<testjson::Value> j = testjson::parse(verificationJson(v));
    ASSERT_TRUE(j) << verificationJson(v);
    const testjson::Value& o = *j;
    EXPECT_EQ(o["file"].text, v.fileName);
    EXPECT_EQ(o["path"].text, v.path);
    EXPECT_EQ(o["size"].text, v.size);
    EXPECT_EQ(o["date"].text, v.date);
    EXPECT_EQ(o["bits"].number, 64);
    EXPECT_TRUE(o["registered"].boolean);
    EXPECT_EQ(o["registry32"].kind, testjson::Value::Bool);
    EXPECT_FALSE(o["registry32"].boolean);
    EXPECT_TRUE(o["registry64"].boolean);
    EXPECT_FALSE(o["loads"].boolean);
    EXPECT_EQ(o["loadFailure"].text, v.loadFailure);
    ASSERT_EQ(o["copies"].items.size(), 2u);
    EXPECT_EQ(o["copies"].items[0]["folder"].text, "C:\\Windows\\System32");
    EXPECT_EQ(o["copies"].items[0]["bits"].number, 64);
    EXPECT_FALSE(o["copies"].items[1]["readable"].boolean);
    EXPECT_FALSE(o["copies"].items[1].has("size"));
    EXPECT_EQ(o["windows"].text, v.systemLine);
    EXPECT_EQ(o["windowsBits"].number, 64);
    EXPECT_EQ(o["exitCode"].number, 1);

    // 32-bit Windows has no 64-bit view; a file that loads has no reason.
    Verification plain = v;
    plain.registered64.reset();
    plain.loads = true;
    plain.loadFailure.clear();
    plain.copies.clear();
    j = testjson::parse(verificationJson(plain));
    ASSERT_TRUE(j);
    EXPECT_EQ((*j)["registry64"].kind, testjson::Value::Null);
    EXPECT_EQ((*j)["loadFailure"].kind, testjson::Value::Null);
    EXPECT_EQ((*j)["copies"].kind, testjson::Value::Array);
    EXPECT_FALSE((*j)["registered"].boolean);
}

TEST(VerificationReport, IsTheReportWindowsTextAndExitCode) {
    Verification v = awkwardVerification();
    ReportFields r = reportFieldsOf(v);
    EXPECT_EQ(r.bitness, "64 bits");
    EXPECT_EQ(r.address, v.path);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.copies[0].factsLine, "01/01/2020 00:00:00 - 64 bits - 2,00 kB");
    EXPECT_EQ(r.copies[1].factsLine, kCopyUnreadable);
    v.copies.clear();
    EXPECT_FALSE(reportFieldsOf(v).found);

    // Found in either view and loaded: 0; anything less: 1.
    EXPECT_EQ(verificationExitCode(v), 1);
    v.loads = true;
    EXPECT_EQ(verificationExitCode(v), 0);
    v.registered64.reset();
    EXPECT_EQ(verificationExitCode(v), 1);
    v.registered32 = true;
    EXPECT_EQ(verificationExitCode(v), 0);
}
