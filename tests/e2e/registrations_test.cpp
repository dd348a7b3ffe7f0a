// Which copy the registry points at, and which version each copy is, from the
// command line in both widths of Windows: two builds of one component under
// one name, registered for real by the component itself, then the registry
// bent by hand (a short path, a local server's command line, hostile values).
#include <gtest/gtest.h>

#include <array>

#include "command_run.h"
#include "driver.h"
#include "json.h"
#include "scenario.h"

namespace {

constexpr wchar_t kName[] = L"Versionada.dll";
constexpr wchar_t kFolderA[] = L"C:\\brontal\\registros\\cópia a";
constexpr wchar_t kFolderB[] = L"C:\\brontal\\registros\\b";
constexpr char kClsid[] = "{6F1C2B3A-8D4E-4A5B-9C7D-1E2F3A4B5C6D}";
constexpr wchar_t kServerKey[] = L"CLSID\\{6F1C2B3A-8D4E-4A5B-9C7D-1E2F3A4B5C6D}\\InprocServer32";
// Classes of the test alone, for the values no registering program writes.
constexpr std::array<const wchar_t*, 8> kHostile = {
    L"{B1000000-0000-4000-8000-000000000001}", L"{B1000000-0000-4000-8000-000000000002}",
    L"{B1000000-0000-4000-8000-000000000003}", L"{B1000000-0000-4000-8000-000000000004}",
    L"{B1000000-0000-4000-8000-000000000005}", L"{B1000000-0000-4000-8000-000000000006}",
    L"{B1000000-0000-4000-8000-000000000007}", L"{B1000000-0000-4000-8000-000000000008}"};

std::wstring pathIn(const wchar_t* folder) { return std::wstring(folder) + L"\\" + kName; }

// The test runs as a 32-bit process: its HKEY_CLASSES_ROOT is the 32-bit view.
bool setValue(const std::wstring& key, const wchar_t* value, DWORD type, const void* data, DWORD bytes) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), value, type, data, bytes) == ERROR_SUCCESS;
}
bool setText(const std::wstring& key, const std::wstring& text, DWORD type = REG_SZ) {
    return setValue(key, nullptr, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool callServer(const std::wstring& path, const char* entry) {
    HMODULE server = LoadLibraryW(path.c_str());
    auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(server, entry)));
    HRESULT result = call ? call() : E_FAIL;
    if (server) FreeLibrary(server);
    return result == S_OK;
}

struct Verified {
    DWORD exitCode = 99;
    testjson::Value json;
    // The registration of that kind and class, or an empty value.
    testjson::Value find(const std::string& kind, const std::string& clsid) const {
        for (const testjson::Value& r : json["registrations"].items)
            if (r["kind"].text == kind && r["clsid"].text == clsid) return r;
        return {};
    }
};

Verified verify(const std::wstring& path) {
    e2e::CommandRun run = e2e::runProgram(e2e::productExe(), L"/verificar \"" + path + L"\" /json");
    Verified v;
    v.exitCode = run.exitCode.value_or(99);
    std::optional<testjson::Value> json = testjson::parse(run.out);
    EXPECT_TRUE(json) << run.out << run.err;
    if (json) v.json = *json;
    return v;
}

bool samePath(const std::string& a, const std::wstring& b) {
    return CompareStringOrdinal(e2e::widen(a).c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct Registrations : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(e2e::putFixture(L"BrontalVersion1.dll", pathIn(kFolderA)));
        ASSERT_TRUE(e2e::putFixture(L"BrontalVersion2.dll", pathIn(kFolderB)));
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + e2e::widen(kClsid)).c_str());
        for (const wchar_t* clsid : kHostile) RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + clsid).c_str());
    }
};

TEST_F(Registrations, ThisCopyAnotherCopyAndAMissingFile) {
    const std::wstring a = pathIn(kFolderA), b = pathIn(kFolderB);
    ASSERT_TRUE(callServer(a, "DllRegisterServer"));

    Verified onB = verify(b);
    testjson::Value r = onB.find("InprocServer32", kClsid);
    EXPECT_EQ(r["target"].text, "other") << r["path"].text;
    EXPECT_TRUE(samePath(r["path"].text, a)) << r["path"].text;
    EXPECT_EQ(r["view"].number, 32);
    EXPECT_EQ(r["name"].text, "Brontal Versioned Component 32");
    EXPECT_EQ(onB.exitCode, 1u) << "registered, but for another copy";
    EXPECT_EQ(onB.json["version"]["file"].text, "2.0.0.7");
    EXPECT_EQ(onB.json["version"]["company"].text, "Brontal Testes Ltda");
    EXPECT_EQ(onB.json["version"]["product"].text, "Brontal Versionado");

    Verified onA = verify(a);
    EXPECT_EQ(onA.find("InprocServer32", kClsid)["target"].text, "this");
    EXPECT_EQ(onA.exitCode, 0u);
    EXPECT_EQ(onA.json["version"]["file"].text, "1.2.3.4");

    // The registry holding the 8.3 name of the long path selected.
    wchar_t shortPath[MAX_PATH];
    DWORD n = GetShortPathNameW(a.c_str(), shortPath, MAX_PATH);
    ASSERT_TRUE(n > 0 && n < MAX_PATH);
    ASSERT_NE(std::wstring(shortPath), a);
    ASSERT_TRUE(setText(kServerKey, shortPath));
    r = verify(a).find("InprocServer32", kClsid);
    EXPECT_EQ(r["target"].text, "this") << r["path"].text;
    EXPECT_EQ(r["path"].text, e2e::narrow(shortPath));

    // A deleted: its name no longer resolves from a short one, so the long path is written back first.
    ASSERT_TRUE(setText(kServerKey, a));
    ASSERT_TRUE(DeleteFileW(a.c_str()));
    r = verify(b).find("InprocServer32", kClsid);
    EXPECT_EQ(r["target"].text, "missing") << r["path"].text;
}

// Values a registering program never writes: none stops the listing, and the
// sound ones around them, a local server's command line among them, are found.
TEST_F(Registrations, HostileValuesNeitherCrashNorStopTheListing) {
    const std::wstring a = pathIn(kFolderA), key = L"CLSID\\";
    ASSERT_TRUE(callServer(a, "DllRegisterServer"));
    const std::wstring wideName = std::wstring(L"x\\") + kName;
    const DWORD number = 7;
    const std::wstring big = L"C:\\" + std::wstring(32 * 1024, L'x') + L"\\" + kName;
    ASSERT_TRUE(setValue(key + kHostile[0] + L"\\InprocServer32", nullptr, REG_BINARY, wideName.c_str(),
                         static_cast<DWORD>(wideName.size() * 2)));
    ASSERT_TRUE(setValue(key + kHostile[1] + L"\\InprocServer32", nullptr, REG_DWORD, &number, sizeof number));
    ASSERT_TRUE(setText(key + kHostile[2] + L"\\InprocServer32", L""));
    ASSERT_TRUE(setText(key + kHostile[3] + L"\\InprocServer32", big));
    // No terminating zero.
    ASSERT_TRUE(setValue(key + kHostile[4] + L"\\InprocHandler32", nullptr, REG_SZ, a.c_str(),
                         static_cast<DWORD>(a.size() * 2)));
    ASSERT_TRUE(setText(key + kHostile[5] + L"\\LocalServer32", L"\"\""));
    ASSERT_TRUE(setText(key + kHostile[6] + L"\\LocalServer32", L"    "));
    // Unquoted, with blanks in the path and arguments after it; expanded.
    ASSERT_TRUE(setText(key + kHostile[7] + L"\\LocalServer32",
                        L"%SystemDrive%\\brontal\\registros\\cópia a\\" + std::wstring(kName) + L" /Automation -x",
                        REG_EXPAND_SZ));

    Verified v = verify(a);
    EXPECT_EQ(v.exitCode, 0u);
    EXPECT_EQ(v.find("InprocServer32", kClsid)["target"].text, "this");
    auto id = [](const wchar_t* clsid) { return e2e::narrow(clsid); };
    EXPECT_EQ(v.find("InprocHandler32", id(kHostile[4]))["target"].text, "this");
    testjson::Value local = v.find("LocalServer32", id(kHostile[7]));
    EXPECT_EQ(local["target"].text, "this") << local["path"].text;
    EXPECT_EQ(local["path"].text.rfind("%SystemDrive%\\brontal", 0), 0u) << "as written: " << local["path"].text;
    EXPECT_EQ(v.find("InprocServer32", id(kHostile[3]))["target"].text, "missing");
    for (int i : {0, 1, 2, 5, 6})
        EXPECT_EQ(v.find(i < 5 ? "InprocServer32" : "LocalServer32", id(kHostile[i])).kind, testjson::Value::Null)
            << i;
}

} // namespace
