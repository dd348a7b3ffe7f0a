// The command line on a set of components, as an installer's script or a
// technician checks an application's thirty files: a folder and a list
// verified in one run, in order, each file once, with one walk of the common
// folders for them all. Run in both prefixes.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "command_run.h"
#include "driver.h"
#include "json.h"
#include "scenario.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\brontal\\conjunto";
// Names with blanks, accents and a character outside the BMP.
constexpr wchar_t kFirst[] = L"a \U0001D11E.dll", kSecond[] = L"b ação.ocx", kThird[] = L"c.dll";
constexpr wchar_t kTest32Class[] = L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}";

e2e::CommandRun brontal(const std::wstring& arguments) { return e2e::runProgram(e2e::productExe(), arguments, kFolder); }
std::wstring q(const std::wstring& s) { return L"\"" + s + L"\""; }
std::string in(const wchar_t* name) { return e2e::narrow(std::wstring(kFolder) + L"\\" + name); }

bool same(const testjson::Value& a, const testjson::Value& b) {
    if (a.kind != b.kind || a.boolean != b.boolean || a.number != b.number || a.text != b.text) return false;
    if (a.items.size() != b.items.size() || a.fields.size() != b.fields.size()) return false;
    for (size_t i = 0; i < a.items.size(); ++i)
        if (!same(a.items[i], b.items[i])) return false;
    for (const auto& [key, value] : a.fields)
        if (!b.has(key) || !same(value, b[key])) return false;
    return true;
}

std::vector<testjson::Value> array(const e2e::CommandRun& run) {
    std::optional<testjson::Value> v = testjson::parse(run.out);
    if (!v || v->kind != testjson::Value::Array) {
        ADD_FAILURE() << "not a JSON array: " << run.out << run.err;
        return {};
    }
    return v->items;
}

struct Sets : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_TRUE(e2e::makeFolders(std::wstring(kFolder) + L"\\sub"));
        ASSERT_TRUE(e2e::makeFolders(std::wstring(kFolder) + L"\\vazia\\funda"));
        for (auto [fixture, name] : {std::pair{L"BrontalTest32.dll", kFirst}, std::pair{L"BrontalNeedsLib32.dll", kSecond},
                                     std::pair{L"BrontalTest64.dll", kThird}, std::pair{L"BrontalBare32.dll", L"sub\\d.dll"},
                                     std::pair{L"BrontalBare32.dll", L"vazia\\notas.txt"}})
            ASSERT_TRUE(e2e::putFixture(fixture, std::wstring(kFolder) + L"\\" + name));
    }
};

TEST_F(Sets, AFolderStandsForItsComponentsInNameOrderAndSAddsItsSubfolders) {
    e2e::CommandRun run = brontal(L"/verificar C:\\brontal\\conjunto /json");
    EXPECT_EQ(run.exitCode, 1u) << run.err;   // none of them registered
    std::vector<testjson::Value> all = array(run);
    ASSERT_EQ(all.size(), 3u) << run.out;
    EXPECT_EQ(all[0]["path"].text, in(kFirst));
    EXPECT_EQ(all[1]["path"].text, in(kSecond));
    EXPECT_EQ(all[2]["file"].text, e2e::narrow(kThird));
    EXPECT_EQ(all[2]["bits"].number, 64);
    EXPECT_EQ(run.err, "") << "no progress on a pipe";

    e2e::CommandRun withSub = brontal(L"/verificar . /s /json");
    std::vector<testjson::Value> deep = array(withSub);
    ASSERT_EQ(deep.size(), 4u) << withSub.out << withSub.err;
    EXPECT_EQ(deep[3]["path"].text, in(L"sub\\d.dll"));

    // Plain: the copy-all reports one after another, a blank line between.
    e2e::CommandRun plain = brontal(L"/verificar .");
    EXPECT_EQ(plain.out.rfind("Arquivo referência: " + e2e::narrow(kFirst) + "\r\n", 0), 0u) << plain.out;
    size_t second = plain.out.find("\r\n\r\nArquivo referência: " + e2e::narrow(kSecond) + "\r\n");
    size_t third = plain.out.find("\r\n\r\nArquivo referência: " + e2e::narrow(kThird) + "\r\n");
    EXPECT_TRUE(second != std::string::npos && third != std::string::npos && second < third) << plain.out;

    // A folder with no component, even among its subfolders: said, with its own code, nothing verified.
    e2e::CommandRun none = brontal(L"/verificar " + q(kFirst) + L" vazia /s");
    EXPECT_EQ(none.exitCode, 18u);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "Nenhum arquivo dll ou ocx na pasta nem nas subpastas: C:\\brontal\\conjunto\\vazia\r\n");
}

TEST_F(Sets, AListIsAnArrayInOrderEachFileVerifiedOnceAndOneFailureFailsTheRun) {
    e2e::CommandRun reg = brontal(L"/registrar " + q(kFirst));
    ASSERT_EQ(reg.exitCode, 0u) << reg.err;
    e2e::CommandRun run = brontal(L"/verificar " + q(kFirst) + L" " + q(kSecond) + L" " + q(L"A \U0001D11E.DLL") + L" /json");
    EXPECT_EQ(run.exitCode, 1u) << run.err;
    std::vector<testjson::Value> all = array(run);
    ASSERT_EQ(all.size(), 3u) << run.out;
    EXPECT_EQ(all[0]["exitCode"].number, 0) << run.out;
    EXPECT_EQ(all[1]["path"].text, in(kSecond));
    EXPECT_EQ(all[1]["exitCode"].number, 1);
    EXPECT_TRUE(same(all[0], all[2])) << "the same file in both places";
    e2e::CommandRun passes = brontal(L"/verificar " + q(kFirst) + L" " + q(kFirst));
    EXPECT_EQ(passes.exitCode, 0u) << passes.out << passes.err;
    // One file and no folder: the single object of old.
    std::optional<testjson::Value> one = testjson::parse(brontal(L"/verificar " + q(kFirst) + L" /json").out);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->kind, testjson::Value::Object);
    EXPECT_EQ((*one)["exitCode"].number, 0);
    EXPECT_TRUE(same(*one, all[0])) << "a set's answer for a file is its own verification's, field by field";
    EXPECT_FALSE((*one)["registrations"].items.empty()) << run.out;
    EXPECT_EQ(brontal(L"/desregistrar " + q(kFirst)).exitCode, 0u);
    EXPECT_FALSE(e2e::registryKeyExists(HKEY_CLASSES_ROOT, kTest32Class, KEY_WOW64_32KEY));
}

// Listed, then unreadable when its turn comes (held open with no sharing, as
// an installer holds a file it is replacing): its own error, the others go on.
TEST_F(Sets, AFileThatCannotBeReadInItsTurnGetsItsOwnErrorAndTheOthersGoOn) {
    HANDLE held = CreateFileW((std::wstring(kFolder) + L"\\" + kSecond).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    e2e::CommandRun run = brontal(L"/verificar . /json");
    e2e::CommandRun plain = brontal(L"/verificar .");
    CloseHandle(held);
    EXPECT_EQ(run.exitCode, 11u);
    std::vector<testjson::Value> all = array(run);
    ASSERT_EQ(all.size(), 3u) << run.out;
    EXPECT_EQ(all[1]["error"].text, "Não foi possível ler o arquivo: " + in(kSecond)) << run.out;
    EXPECT_EQ(all[1]["exitCode"].number, 11);
    EXPECT_EQ(all[0]["bits"].number, 32);
    EXPECT_EQ(all[2]["bits"].number, 64);
    EXPECT_EQ(run.err, "Não foi possível ler o arquivo: " + in(kSecond) + "\r\n");
    EXPECT_NE(plain.out.find("\r\n\r\nNão foi possível ler o arquivo: " + in(kSecond) + "\r\n\r\nArquivo referência: c.dll"),
              std::string::npos) << plain.out;
}

// Copies of two names planted in two common folders: verified together, each
// is found exactly where verifying it alone finds it.
TEST_F(Sets, OneWalkForTheSetFindsEveryCopyWhereItsOwnVerificationDoes) {
    wchar_t system[MAX_PATH] = {}, common[MAX_PATH] = {};
    ASSERT_TRUE(GetSystemDirectoryW(system, MAX_PATH));
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, common, CSIDL_PROGRAM_FILES_COMMON, FALSE));
    const std::wstring planted[] = {std::wstring(system) + L"\\brontal_conjunto", std::wstring(common) + L"\\brontal_conjunto"};
    const wchar_t* names[] = {L"conjunto_um.dll", L"conjunto dois ção.ocx"};
    for (const std::wstring& folder : planted) {
        ASSERT_TRUE(e2e::makeFolders(folder));
        ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", folder + L"\\" + names[0]));
        ASSERT_TRUE(e2e::putFixture(L"BrontalTest64.dll", folder + L"\\" + names[1]));
    }
    const std::wstring pair = L"C:\\brontal\\par\\";
    ASSERT_TRUE(e2e::makeFolders(pair));
    for (const wchar_t* name : names) ASSERT_TRUE(e2e::putFixture(L"BrontalBare32.dll", pair + name));

    std::vector<testjson::Value> alone;
    for (const wchar_t* name : names) {
        std::optional<testjson::Value> v = testjson::parse(brontal(L"/verificar " + q(pair + name) + L" /json").out);
        ASSERT_TRUE(v);
        alone.push_back(*v);
    }
    e2e::CommandRun run = brontal(L"/verificar " + q(pair + names[0]) + L" " + q(pair + names[1]) + L" /json");
    std::vector<testjson::Value> together = array(run);
    for (const std::wstring& folder : planted) {
        for (const wchar_t* name : names) DeleteFileW((folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
    }
    ASSERT_EQ(together.size(), 2u) << run.out;
    for (size_t i = 0; i < 2; ++i) {
        const testjson::Value& copies = together[i]["copies"];
        ASSERT_EQ(copies.items.size(), 2u) << run.out;
        for (const testjson::Value& copy : copies.items)
            EXPECT_NE(copy["folder"].text.find("brontal_conjunto"), std::string::npos) << run.out;
        EXPECT_TRUE(same(copies, alone[i]["copies"])) << run.out;
        EXPECT_EQ(copies.items[0]["bits"].number, i == 0 ? 32 : 64) << "each name its own copies";
    }
}

// A set's run reads each registry view in one listing of CLSID by its reg:
// a registered component is found there whatever the letter case it is given
// in, one not registered is not, and each answer, field by field, is what the
// file's own verification (reg's own search for its name) gives.
TEST_F(Sets, TheSetsOneListingOfTheRegistryAnswersAsEachFilesOwnSearch) {
    const std::wstring folder = L"C:\\brontal\\lista";
    ASSERT_TRUE(e2e::makeFolders(folder));
    const std::wstring registered = folder + L"\\Grade Ação.ocx", given = folder + L"\\GRADE AÇÃO.OCX";
    const std::wstring other = folder + L"\\outra.dll";
    ASSERT_TRUE(e2e::putFixture(L"BrontalTest32.dll", registered));
    ASSERT_TRUE(e2e::putFixture(L"BrontalBare32.dll", other));
    e2e::CommandRun reg = brontal(L"/registrar " + q(registered));
    ASSERT_EQ(reg.exitCode, 0u) << reg.err;
    e2e::CommandRun run = brontal(L"/verificar " + q(given) + L" " + q(other) + L" /json");
    std::optional<testjson::Value> givenAlone = testjson::parse(brontal(L"/verificar " + q(given) + L" /json").out);
    std::optional<testjson::Value> otherAlone = testjson::parse(brontal(L"/verificar " + q(other) + L" /json").out);
    EXPECT_EQ(brontal(L"/desregistrar " + q(registered)).exitCode, 0u);
    std::vector<testjson::Value> together = array(run);
    ASSERT_EQ(together.size(), 2u) << run.out << run.err;
    ASSERT_TRUE(givenAlone && otherAlone);
    EXPECT_TRUE(together[0]["registry32"].boolean) << run.out;
    EXPECT_FALSE(together[1]["registry32"].boolean) << run.out;
    EXPECT_TRUE(same(together[0], *givenAlone)) << run.out;
    EXPECT_TRUE(same(together[1], *otherAlone)) << run.out;
}

// A B C where B's registration fails (its DllRegisterServer returns an
// error): by default the run stops after B with B's code and C is left alone;
// with /continuar C is registered too and the code is still B's.
TEST_F(Sets, ARegistrationStopsAtTheFirstFailureUnlessToldToGoOn) {
    const std::wstring folder = L"C:\\brontal\\registro\\";
    ASSERT_TRUE(e2e::makeFolders(folder));
    const std::pair<const wchar_t*, const wchar_t*> files[] = {
        {L"BrontalCtl32.ocx", L"a controle.ocx"}, {L"BrontalFail32.dll", L"b falha.dll"}, {L"BrontalTest32.dll", L"c ç.dll"}};
    for (auto [fixture, name] : files) ASSERT_TRUE(e2e::putFixture(fixture, folder + name));
    const wchar_t kControl[] = L"CLSID\\{0B87DA93-1291-46E7-A96D-12182300DFCB}";
    auto registered = [](const wchar_t* key) { return e2e::registryKeyExists(HKEY_CLASSES_ROOT, key, KEY_WOW64_32KEY); };
    const std::wstring all = q(folder + files[0].second) + L" " + q(folder + files[1].second) + L" " + q(folder + files[2].second);

    e2e::CommandRun stops = brontal(L"/registrar " + all);
    EXPECT_EQ(stops.exitCode, 5u) << stops.out << stops.err;
    const std::string at = e2e::narrow(folder);
    EXPECT_EQ(stops.out, at + "a controle.ocx: Componente registrado com sucesso.\r\n" + at +
                             "b falha.dll: Erro ao tentar registrar componente.\r\n"
                             "  regsvr32 (código 5): o componente retornou erro.\r\n"
                             "Parou na primeira falha (/continuar segue adiante):\r\n"
                             "Não registrado: " + at + "c ç.dll\r\n");
    EXPECT_TRUE(registered(kControl));
    EXPECT_FALSE(registered(kTest32Class)) << "C was registered after B failed";

    e2e::CommandRun goesOn = brontal(L"/registrar /continuar /json " + all);
    EXPECT_EQ(goesOn.exitCode, 5u) << goesOn.err;
    std::vector<testjson::Value> each = array(goesOn);
    ASSERT_EQ(each.size(), 3u) << goesOn.out;
    EXPECT_EQ(each[1]["file"].text, "b falha.dll");
    EXPECT_EQ(each[1]["path"].text, at + "b falha.dll");
    EXPECT_EQ(each[1]["exitCode"].number, 5);
    EXPECT_EQ(each[1]["outcome"].text, "Erro ao tentar registrar componente.");
    EXPECT_EQ(each[1]["reason"].text, "regsvr32 (código 5): o componente retornou erro.");
    EXPECT_EQ(each[2]["exitCode"].number, 0);
    EXPECT_EQ(each[2]["outcome"].text, "Componente registrado com sucesso.");
    EXPECT_EQ(each[2]["reason"].kind, testjson::Value::Null);
    EXPECT_TRUE(registered(kTest32Class));

    e2e::CommandRun undone = brontal(L"/desregistrar /continuar " + all);
    EXPECT_FALSE(registered(kTest32Class) || registered(kControl)) << undone.out;
}

// A component registered and then deleted is listed with its class and path
// (a 64-bit one too, in the 64-bit view of a 64-bit prefix), and its keys are
// still there afterwards; a registered component whose file is there is not.
TEST_F(Sets, OrphanedRegistrationsAreListedAndLeftAlone) {
    const bool windows64 = e2e::prefixKind() == "win64";
    const std::wstring folder = L"C:\\brontal\\orfaos\\";
    ASSERT_TRUE(e2e::makeFolders(folder));
    struct Planted { const wchar_t* fixture; const wchar_t* name; const wchar_t* key; REGSAM view; bool deleted; };
    std::vector<Planted> planted = {
        {L"BrontalTest32.dll", L"órfão 32.dll", L"CLSID\\{05676BC1-E667-47F8-8A79-6A33637BBD23}", KEY_WOW64_32KEY, true},
        {L"BrontalCtl32.ocx", L"presente.ocx", L"CLSID\\{0B87DA93-1291-46E7-A96D-12182300DFCB}", KEY_WOW64_32KEY, false}};
    if (windows64)
        planted.push_back({L"BrontalTest64.dll", L"órfão 64.dll", L"CLSID\\{8E802D47-6660-4BFD-9723-DE51531FD0EB}",
                           KEY_WOW64_64KEY, true});
    for (const Planted& p : planted) {
        ASSERT_TRUE(e2e::putFixture(p.fixture, folder + p.name));
        ASSERT_EQ(brontal(L"/registrar " + q(folder + p.name)).exitCode, 0u) << e2e::narrow(p.name);
    }
    for (const Planted& p : planted)
        if (p.deleted) ASSERT_TRUE(DeleteFileW((folder + p.name).c_str()));

    e2e::CommandRun json = brontal(L"/orfaos /json");
    e2e::CommandRun plain = brontal(L"/orfaos");
    EXPECT_EQ(json.exitCode, 1u) << json.err;
    EXPECT_EQ(plain.exitCode, 1u);
    std::vector<testjson::Value> all = array(json);
    for (const Planted& p : planted) {
        const std::string path = e2e::narrow(folder + p.name), key = e2e::narrow(p.key);
        const std::string clsid = key.substr(key.find('{'));
        int listed = 0;
        for (const testjson::Value& o : all) {
            if (o["path"].text != path) continue;
            ++listed;
            EXPECT_EQ(o["clsid"].text, clsid);
            EXPECT_EQ(o["kind"].text, "InprocServer32");
            EXPECT_EQ(o["view"].number, p.view == KEY_WOW64_64KEY ? 64 : 32);
        }
        EXPECT_EQ(listed, p.deleted ? 1 : 0) << path << "\n" << json.out;
        EXPECT_EQ(plain.out.find(path + "  ") != std::string::npos, p.deleted) << plain.out;
        EXPECT_TRUE(e2e::registryKeyExists(HKEY_CLASSES_ROOT, p.key, p.view)) << "an orphan's key was removed";
    }
    // Sorted by path (letter case aside) in the plain form.
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = plain.out.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(plain.out.substr(at, end - at));
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_LE(_stricmp(lines[i - 1].c_str(), lines[i].c_str()), 0) << lines[i];

    for (const Planted& p : planted) {
        if (p.deleted) ASSERT_TRUE(e2e::putFixture(p.fixture, folder + p.name));
        EXPECT_EQ(brontal(L"/desregistrar " + q(folder + p.name)).exitCode, 0u);
    }
}

} // namespace
