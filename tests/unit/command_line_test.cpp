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

TEST(JsonString, EscapesWhatJsonMustAndPassesUtf8Whole) {
    EXPECT_EQ(jsonString("a \"b\"\\c"), "\"a \\\"b\\\"\\\\c\"");
    EXPECT_EQ(jsonString("\r\n\t\x01\x1f"), "\"\\r\\n\\t\\u0001\\u001f\"");
    EXPECT_EQ(jsonString("Компонент ção"), "\"Компонент ção\"");
}

TEST(Verification, JsonReportAndExitCode) {
    Verification v;
    v.fileName = "a.dll";
    v.path = "C:\\x\\a.dll";
    v.is64 = true;
    v.registered64 = true;
    v.loadFailure = "Imagem de 64 bits";
    v.copies = {{"C:\\Windows\\System32", true, "01/01/2020 00:00:00", "2,00 kB", true},
                {"C:\\Windows\\SysWOW64", false, "", "", false}};
    std::optional<testjson::Value> j = testjson::parse(verificationJson(v));
    ASSERT_TRUE(j) << verificationJson(v);
    EXPECT_EQ((*j)["path"].text, v.path);
    EXPECT_TRUE((*j)["registered"].boolean);
    EXPECT_FALSE((*j)["registry32"].boolean);
    EXPECT_EQ((*j)["loadFailure"].text, v.loadFailure);
    ASSERT_EQ((*j)["copies"].items.size(), 2u);
    EXPECT_EQ((*j)["copies"].items[0]["bits"].number, 64);
    EXPECT_FALSE((*j)["copies"].items[1].has("size"));

    ReportFields r = reportFieldsOf(v);
    EXPECT_EQ(r.bitness, "64 bits");
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.copies[0].factsLine, "01/01/2020 00:00:00 - 64 bits - 2,00 kB");
    EXPECT_EQ(r.copies[1].factsLine, kCopyUnreadable);

    // Found in either view, registered for this very copy and loaded: 0; anything less: 1.
    EXPECT_EQ(verificationExitCode(v), 1);
    v.loads = true;
    EXPECT_EQ(verificationExitCode(v), 1) << "no registration points at this copy";
    Registration other{64, "InprocServer32", "{C}", "", "", "C:\\y\\a.dll", "C:\\y\\a.dll", RegistrationTarget::Other};
    v.registrations = {other};
    EXPECT_EQ(verificationExitCode(v), 1);
    v.registrations.push_back(other);
    v.registrations.back().target = RegistrationTarget::This;
    EXPECT_EQ(verificationExitCode(v), 0);
    v.registered64.reset();
    EXPECT_EQ(verificationExitCode(v), 1);
    EXPECT_EQ((*testjson::parse(verificationJson(v)))["registry64"].kind, testjson::Value::Null);
    v.registered32 = true;
    EXPECT_EQ(verificationExitCode(v), 0);
}
