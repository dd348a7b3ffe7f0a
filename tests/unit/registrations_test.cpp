#include <gtest/gtest.h>

#include <set>

#include "../e2e/driver/json.h"
#include "core/registration.h"
#include "core/server_path.h"
#include "report/verification.h"

using namespace brontal;

// What Windows takes out of a LocalServer32 command line, with the files that exist on the left.
TEST(LocalServerFile, TakesTheProgramAsWindowsDoes) {
    const std::set<std::string> files = {"C:\\Program Files\\Old App\\srv.exe", "C:\\Apps\\one.exe",
                                         "C:\\Dir With\\tool", "C:\\Dir With\\tool.exe"};
    auto isFile = [&](const std::string& p) { return files.count(p) > 0; };
    struct Case {
        std::string line, file;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\Old App\\srv.exe\" /Automation", "C:\\Program Files\\Old App\\srv.exe"},
        {"  \"C:\\Program Files\\Old App\\srv.exe\"", "C:\\Program Files\\Old App\\srv.exe"},
        {"\"C:\\No Close\\x.exe", "C:\\No Close\\x.exe"},
        // Unquoted with blanks: the first run up to a blank that is a file.
        {"C:\\Program Files\\Old App\\srv.exe /Automation -Embedding", "C:\\Program Files\\Old App\\srv.exe"},
        {"C:\\Apps\\one.exe /x", "C:\\Apps\\one.exe"},
        {"C:\\Apps\\one /x", "C:\\Apps\\one.exe"},   // ".exe" tried after the name as written
        {"C:\\Dir With\\tool -x", "C:\\Dir With\\tool"},
        // None is a file: the first run that looks like a file, else the first word.
        {"C:\\Gone Away\\srv.exe /Automation", "C:\\Gone Away\\srv.exe"},
        {"C:\\Gone Away\\srv /x", "C:\\Gone"},
        {"\t\tC:\\Apps\\one.exe\t", "C:\\Apps\\one.exe"},
        // Only quotes or blanks: nothing.
        {"\"\"", ""}, {"\"", ""}, {"   ", ""}, {"", ""}, {"\" \"  /x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(localServerFile(c.line, isFile), c.file) << c.line;

    // Thousands of words cost a bounded number of questions.
    int asked = 0;
    std::string many;
    for (int i = 0; i < 5000; ++i) many += "w ";
    localServerFile(many, [&](const std::string&) { return ++asked, false; });
    EXPECT_LE(asked, 2 * 64);
}

TEST(InprocServerFile, QuotesAndBlanksAround) {
    EXPECT_EQ(inprocServerFile("  \"C:\\A B\\x.ocx\"  "), "C:\\A B\\x.ocx");
    EXPECT_EQ(inprocServerFile("C:\\A B\\x.ocx"), "C:\\A B\\x.ocx");
    EXPECT_EQ(inprocServerFile("\"\""), "");
    EXPECT_EQ(fileNameOf("C:\\A B/x.ocx"), "x.ocx");
    EXPECT_EQ(fileNameOf("x.ocx"), "x.ocx");
}

TEST(RegistrationTarget, SameIdentityOnlyIsThisCopy) {
    const FileIdentity a{7, 42}, b{7, 43}, otherVolume{8, 42};
    EXPECT_EQ(registrationTarget(a, {true, a}), RegistrationTarget::This);
    EXPECT_EQ(registrationTarget(a, {true, b}), RegistrationTarget::Other);
    EXPECT_EQ(registrationTarget(a, {true, otherVolume}), RegistrationTarget::Other);
    EXPECT_EQ(registrationTarget(a, {true, std::nullopt}), RegistrationTarget::Other) << "there, but not openable";
    EXPECT_EQ(registrationTarget(std::nullopt, {true, a}), RegistrationTarget::Other);
    EXPECT_EQ(registrationTarget(a, {false, std::nullopt}), RegistrationTarget::Missing);
}

TEST(RegistrationsTip, OneSentenceOrTheCountAndTheFirstThatIsNotThisCopy) {
    auto reg = [](RegistrationTarget t, std::string file) {
        Registration r;
        r.target = t;
        r.file = std::move(file);
        return r;
    };
    const Registration self = reg(RegistrationTarget::This, "C:\\a\\x.ocx"),
                       other = reg(RegistrationTarget::Other, "C:\\b\\x.ocx"),
                       gone = reg(RegistrationTarget::Missing, "C:\\c\\x.ocx");
    EXPECT_EQ(registrationsTip({self}), "Registrado para esta cópia.");
    EXPECT_EQ(registrationsTip({other}), "Registrado para outra cópia: C:\\b\\x.ocx");
    EXPECT_EQ(registrationsTip({gone}), "O Registro aponta para um arquivo ausente: C:\\c\\x.ocx");
    EXPECT_EQ(registrationsTip({self, gone, other}), "3 registros. O Registro aponta para um arquivo ausente: C:\\c\\x.ocx");
    EXPECT_EQ(registrationsTip({self, self}), "2 registros. Registrado para esta cópia.");
    EXPECT_EQ(registrationsTip({}), "Nenhuma classe registrada para este nome de arquivo.");
}

TEST(Verification, JsonGivesRegistrationsAndVersions) {
    Verification v;
    v.fileName = "x.ocx";
    v.registrations = {{64, "LocalServer32", "{C}", "X.Y", "", "\"C:\\b\\x.ocx\" /a", "C:\\b\\x.ocx",
                        RegistrationTarget::Other}};
    VersionRecord version;
    version.fileVersion = std::array<std::uint16_t, 4>{6, 1, 98, 39};
    version.companyName = "Fabricante";
    v.version = version;
    v.copies = {{"C:\\Windows\\System32", true, "d", "s", false, true, std::nullopt}};
    std::optional<testjson::Value> j = testjson::parse(verificationJson(v));
    ASSERT_TRUE(j) << verificationJson(v);
    const testjson::Value& r = (*j)["registrations"].items.at(0);
    EXPECT_EQ(r["view"].number, 64);
    EXPECT_EQ(r["kind"].text, "LocalServer32");
    EXPECT_EQ(r["progid"].text, "X.Y");
    EXPECT_EQ(r["name"].kind, testjson::Value::Null);
    EXPECT_EQ(r["path"].text, "\"C:\\b\\x.ocx\" /a");
    EXPECT_EQ(r["target"].text, "other");
    EXPECT_EQ((*j)["version"]["file"].text, "6.1.98.39");
    EXPECT_EQ((*j)["version"]["product"].kind, testjson::Value::Null);
    EXPECT_EQ((*j)["version"]["company"].text, "Fabricante");
    EXPECT_EQ((*j)["copies"].items.at(0)["version"].kind, testjson::Value::Null);
}
