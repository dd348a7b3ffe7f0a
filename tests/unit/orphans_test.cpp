#include <gtest/gtest.h>

#include <map>

#include "../e2e/driver/json.h"
#include "report/orphans.h"

using namespace brontal;

namespace {

Registration entry(int view, const std::string& kind, const std::string& clsid, const std::string& path) {
    Registration r;
    r.view = view;
    r.kind = kind;
    r.clsid = clsid;
    r.path = r.file = path;
    return r;
}

} // namespace

TEST(Orphans, OnlyMissingFilesSortedByPathEachPathAskedOnce) {
    std::vector<Registration> all = {
        entry(64, "InprocServer32", "{B}", "C:\\z\\gone.dll"),
        entry(32, "InprocServer32", "{A}", "C:\\Windows\\System32\\ole32.dll"),
        entry(32, "LocalServer32", "{C}", "C:\\A\\Gone.exe"),
        entry(32, "TypeLib", "{D} 1.0", "c:\\z\\GONE.dll"),
        entry(32, "InprocHandler32", "{E}", "C:\\Windows\\System32\\ole32.dll"),
        entry(32, "InprocServer32", "{F}", "C:\\removido\\a.dll"),
        entry(32, "InprocServer32", "{G}", "C:\\Removido\\b.dll"),
        entry(32, "InprocServer32", "{H}", "C:\\raiz.dll"),
    };
    all[0].progid = "Z.Prog";
    all[0].name = "Zeta";
    std::map<std::string, int> asked, folders;
    std::vector<Registration> found = orphansOf(
        all, [](const Registration& r) { return r.file; },
        [&asked](const std::string& path) {
            ++asked[path];
            return path.find("ole32") != std::string::npos;
        },
        [&folders](const std::string& folder) {
            ++folders[folder];
            return folder.find("emovido") == std::string::npos;
        });
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].clsid, "{C}");
    EXPECT_EQ(found[1].clsid, "{H}");
    EXPECT_EQ(found[2].clsid, "{F}");
    EXPECT_EQ(found[3].clsid, "{G}");
    EXPECT_EQ(found[4].clsid, "{D} 1.0");   // the same path letter case aside: the 32-bit view first
    EXPECT_EQ(found[5].clsid, "{B}");
    // Once each, and never a file in a folder that is gone.
    for (const auto& [path, times] : asked) EXPECT_EQ(times, 1) << path;
    for (const auto& [folder, times] : folders) EXPECT_EQ(times, 1) << folder;
    EXPECT_EQ(asked.size(), 4u);
    EXPECT_EQ(folders.size(), 4u);
    EXPECT_EQ(asked.count("C:\\removido\\a.dll"), 0u);
    found.erase(found.begin() + 1, found.begin() + 4);
    EXPECT_EQ(orphansText(found), "C:\\A\\Gone.exe  (32 bits, LocalServer32, {C})\r\n"
                                  "c:\\z\\GONE.dll  (32 bits, TypeLib, {D} 1.0)\r\n"
                                  "C:\\z\\gone.dll  (64 bits, InprocServer32, {B}, Z.Prog, \"Zeta\")\r\n");
    EXPECT_EQ(orphansText({}), "Nenhum registro aponta para um arquivo inexistente.\r\n");
}

// Whatever other programs wrote: control characters, bytes that are no UTF-8
// (a lone surrogate's encoding), a path of 40 000 characters.
TEST(Orphans, TheJsonStaysValidWhateverTheRegistryHolds) {
    std::vector<Registration> found = {entry(32, "InprocServer32", "{A}", std::string("C:\\a\tb\x01\"\\\x7f.dll")),
                                       entry(64, "TypeLib", "{B} 1.0", "C:\\\xed\xa0\x80\xff.dll"),
                                       entry(32, "LocalServer32", "{C}", "C:\\" + std::string(40000, 'x') + ".exe")};
    found[0].name = "nome\r\ncom quebra";
    std::optional<testjson::Value> v = testjson::parse(orphansJson(found));
    ASSERT_TRUE(v) << orphansJson(found);
    ASSERT_EQ(v->items.size(), 3u);
    EXPECT_EQ(v->items[0]["path"].text, "C:\\a\tb\x01\"\\\x7f.dll");
    EXPECT_EQ(v->items[0]["name"].text, "nome\r\ncom quebra");
    EXPECT_EQ(v->items[0]["progid"].kind, testjson::Value::Null);
    EXPECT_EQ(v->items[1]["view"].number, 64);
    EXPECT_EQ(v->items[2]["path"].text.size(), 40007u);
    EXPECT_EQ(testjson::parse(orphansJson({}))->kind, testjson::Value::Array);
}
