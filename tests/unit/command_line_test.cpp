#include <gtest/gtest.h>

#include <map>

#include "../e2e/driver/json.h"
#include "app/command_args.h"
#include "app/component_list.h"
#include "report/verification.h"

using namespace brontal;

TEST(ParseCommand, SwitchesPathsAndRefusals) {
    struct Case {
        std::vector<std::string> args;
        CommandKind kind;
        std::string pathOrError;   // the path taken, or a part of the refusal's text
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
        // Paths that begin as switches do.
        {{"/verificar", "/temp/a.dll"}, CommandKind::Verify, "/temp/a.dll", false},
        {{"/verificar", "-a.ocx"}, CommandKind::Verify, "-a.ocx", false},
        // One file or folder alone opens the window on it.
        {{"C:\\pasta com espaço\\comp.dll"}, CommandKind::Open, "C:\\pasta com espaço\\comp.dll", false},
        {{"..\\pasta"}, CommandKind::Open, "..\\pasta", false},
        // Refused, each saying what is wrong.
        {{"/verify", "x.dll"}, CommandKind::Invalid, "Argumento desconhecido: \"/verify\"", false},
        {{"a.dll", "b.dll"}, CommandKind::Invalid, "Argumento a mais: \"b.dll\"", false},
        {{"/verificar"}, CommandKind::Invalid, "Falta o arquivo depois de \"/verificar\"", false},
        {{"/verificar", ""}, CommandKind::Invalid, "Falta o arquivo depois de \"/verificar\"", false},
        {{"/verificar", "/json"}, CommandKind::Invalid, "Falta o arquivo", false},
        {{"/verificar", "/registrar", "x.dll"}, CommandKind::Invalid, "Opção fora do lugar: \"/registrar\", onde", false},
        {{"/verificar", "/jsno", "x.dll"}, CommandKind::Invalid, "\"/jsno\", onde se espera o arquivo", false},
        {{"/verificar", "a.dll", ""}, CommandKind::Invalid, "Argumento vazio depois de \"a.dll\"", false},
        {{"/verificar", "/s", "/s", "x"}, CommandKind::Invalid, "Opção fora do lugar: \"/s\", onde", false},
        {{"/verificar", "/continuar", "x.dll"}, CommandKind::Invalid, "Opção fora do lugar: \"/continuar\"", false},
        {{"/registrar", "x.dll", "/continuar", "-CONTINUAR"}, CommandKind::Invalid, "Opção fora do lugar: \"-CONTINUAR\".", false},
        {{"/verificar", "a.dll", "/json", "/json"}, CommandKind::Invalid, "Opção fora do lugar: \"/json\".", false},
        {{"/registrar", "a.dll", "/json", "/json"}, CommandKind::Invalid, "Opção fora do lugar: \"/json\".", false},
        {{"/?", "x"}, CommandKind::Invalid, "não aceita outros argumentos", false},
        // "C:\x\" /json, as Windows splits it: one argument holding a quote.
        {{"/verificar", "C:\\x\" /json"}, CommandKind::Invalid, "Aspas dentro do argumento \"C:\\x\" /json\"", false},
        {{"C:\\x\" /json"}, CommandKind::Invalid, "Aspas dentro do argumento", false},
    };
    for (const Case& k : cases) {
        Command c = parseCommand(k.args);
        std::string shown;
        for (const std::string& a : k.args) shown += "[" + a + "]";
        EXPECT_EQ(c.kind, k.kind) << shown << " " << c.error;
        if (k.kind == CommandKind::Invalid) {
            EXPECT_NE(c.error.find(k.pathOrError), std::string::npos) << shown << ": " << c.error;
            continue;
        }
        EXPECT_EQ(c.path, k.pathOrError) << shown;
        EXPECT_EQ(c.json, k.json) << shown;
    }
}

// The window's plain start skips the splitting; anything after the name must not be lost.
TEST(ParseCommand, OnlyANameAloneMeansNoArguments) {
    for (const char* alone : {"Brontal32.exe", "\"C:\\Program Files\\B\\Brontal32.exe\"",
                              "\"C:\\a b\\Brontal32.exe\"  \t ", "Brontal32.exe   ", "\"unclosed name"})
        EXPECT_FALSE(argumentsFollowProgramName(alone)) << alone;
    for (const char* with : {"Brontal32.exe /verificar", "\"C:\\a b\\Brontal32.exe\" x.dll",
                             "\"C:\\a b\\Brontal32.exe\"x.dll", "Brontal32.exe\t\"\"",
                             "\"C:\\a b\\Brontal32.exe\" \"\""})
        EXPECT_TRUE(argumentsFollowProgramName(with)) << with;
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

    // No PE header (an empty or a text file): no bits in the JSON, where the window shows "32".
    v.peImage = false;
    v.is64 = false;
    v.copies[0].peImage = false;
    j = testjson::parse(verificationJson(v));
    ASSERT_TRUE(j);
    EXPECT_EQ((*j)["bits"].kind, testjson::Value::Null);
    EXPECT_EQ((*j)["copies"].items[0]["bits"].kind, testjson::Value::Null);
    EXPECT_EQ(reportFieldsOf(v).bitness, "32 bits");
}

TEST(ParseCommand, VerifyTakesFilesAndFoldersInOrderWithItsSwitchesAnywhere) {
    Command c = parseCommand({"/verificar", "a.dll", "/S", "C:\\pasta", "-json", "a.dll", "b c.ocx"});
    ASSERT_EQ(c.kind, CommandKind::Verify) << c.error;
    EXPECT_EQ(c.paths, (std::vector<std::string>{"a.dll", "C:\\pasta", "a.dll", "b c.ocx"}));
    EXPECT_EQ(c.path, "a.dll");
    EXPECT_TRUE(c.json && c.recursive);
    EXPECT_FALSE(parseCommand({"/verificar", "x.dll"}).recursive);
    c = parseCommand({"/desregistrar", "a.dll", "/continuar", "b.ocx", "/json"});
    ASSERT_EQ(c.kind, CommandKind::Unregister) << c.error;
    EXPECT_EQ(c.paths, (std::vector<std::string>{"a.dll", "b.ocx"}));
    EXPECT_TRUE(c.keepGoing && c.json);
}

namespace {

struct Entry { std::string name; bool folder = false, link = false; };

ListEntries listing(const std::map<std::string, std::vector<Entry>>& tree) {
    return [&tree](const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
        auto it = tree.find(folder);
        if (it == tree.end()) return false;
        for (const Entry& e : it->second) visit(FolderEntry{e.name, e.folder, e.link});
        return true;
    };
}

} // namespace

TEST(ComponentList, AFolderStandsForItsComponentsInNameOrderThenItsSubfolders) {
    const std::map<std::string, std::vector<Entry>> tree = {
        {"C:\\A", {{"zeta.OCX"}, {"sub", true}, {"Beta.dll"}, {"notas.txt"}, {"alfa.dll"}, {"dll", false},
                    {"elo", true, true}, {"Água.dll"}, {"Outra", true}}},
        {"C:\\A\\sub", {{"b.dll"}, {"a.ocx"}}},
        {"C:\\A\\Outra", {{"x.dll"}}},
        {"C:\\A\\elo", {{"laço.dll"}}},
    };
    EXPECT_EQ(folderComponents(listing(tree), "C:\\A", false),
              (std::vector<std::string>{"C:\\A\\alfa.dll", "C:\\A\\Beta.dll", "C:\\A\\zeta.OCX", "C:\\A\\Água.dll"}));
    // Subfolders in name order after the folder's own files; the link is not entered.
    EXPECT_EQ(folderComponents(listing(tree), "C:\\A", true),
              (std::vector<std::string>{"C:\\A\\alfa.dll", "C:\\A\\Beta.dll", "C:\\A\\zeta.OCX", "C:\\A\\Água.dll",
                                        "C:\\A\\Outra\\x.dll", "C:\\A\\sub\\a.ocx", "C:\\A\\sub\\b.dll"}));
    EXPECT_TRUE(folderComponents(listing(tree), "C:\\nada", true).empty());
}

TEST(ComponentList, AFileGivenTwiceIsOneFileWhateverItsLetterCase) {
    EXPECT_EQ(firstOfEach({"C:\\a.dll", "C:\\B.dll", "c:\\A.DLL", "C:\\ÁGUA.dll", "C:\\água.dll", "C:\\b.dll"}),
              (std::vector<std::size_t>{0, 1, 0, 3, 3, 1}));
}

// A thousand components with blanks, accents and characters outside the BMP:
// every one listed once, in name order, none lost among the others.
TEST(ComponentList, AThousandNamesComeOutEveryOneOnceInOrder) {
    std::map<std::string, std::vector<Entry>> tree;
    std::vector<Entry>& entries = tree["C:\\Mil"];
    for (int i = 999; i >= 0; --i) {
        char n[16];
        std::snprintf(n, sizeof n, "%03d", i);
        entries.push_back({std::string(i % 2 ? "Ação " : "ação ") + n + (i % 3 ? " \xF0\x9D\x84\x9E.dll" : ".OCX")});
        entries.push_back({std::string("notas ") + n + ".txt"});
    }
    std::vector<std::string> listed = folderComponents(listing(tree), "C:\\Mil", false);
    ASSERT_EQ(listed.size(), 1000u);
    for (int i = 0; i < 1000; ++i) EXPECT_NE(listed[static_cast<size_t>(i)].find(std::to_string(1000 + i).substr(1)), std::string::npos) << i;
    std::vector<std::size_t> first = firstOfEach(listed);
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i], i);
}
