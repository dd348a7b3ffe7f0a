#include <gtest/gtest.h>

#include "report/report_text.h"
#include "report/verification.h"

using namespace brontal;

// The plain case, a folder per hit, is read for real by the report's end-to-end scenarios.
TEST(FoldersFromHits, OnlyTheExactAliasIsRewritten) {
    std::vector<std::string> hits = {"c:\\windows\\sysnative\\a.dll", "C:\\Windows\\Sysnative\\Sub\\a.dll",
                                     "D:\\Copia\\C:\\Windows\\Sysnative\\a.dll"};
    std::vector<std::string> expected = {"c:\\windows\\sysnative", "C:\\Windows\\System32\\Sub",
                                         "D:\\Copia\\C:\\Windows\\System32"};
    EXPECT_EQ(foldersFromHits(hits, "a.dll"), expected);
}

TEST(FoldersFromHits, CutsByTheSelectedNamesLength) {
    EXPECT_TRUE(foldersFromHits({}, "a.dll").empty());
    // Exactly name + backslash: an empty folder; shorter: nothing to cut, no entry.
    EXPECT_EQ(foldersFromHits({"\\a.dll", "a.dll", ""}, "a.dll"), std::vector<std::string>{""});
    // Accented names count in bytes on both sides, so the cut still lands on the backslash.
    EXPECT_EQ(foldersFromHits({"C:\\Pasta\\Ação.dll"}, "Ação.dll"), std::vector<std::string>{"C:\\Pasta"});
}

// The two main cases, through the alias and not, are read for real end to end.
TEST(CopyReadPath, OnlyTheExactSystem32AndItsSubfoldersGoThroughTheAlias) {
    EXPECT_EQ(copyReadPath("C:\\Windows\\System32\\drivers", "a.dll", true),
              "C:\\Windows\\Sysnative\\drivers\\a.dll");
    EXPECT_EQ(copyReadPath("c:\\windows\\system32", "a.dll", true), "c:\\windows\\system32\\a.dll");
}

TEST(ReportText, SevenLinesWithoutFoldersThreeMoreForEachFolder) {
    ReportFields r{"comdlg32.ocx", "C:\\Windows\\SysWOW64\\comdlg32.ocx", "05/03/2019 14:07:33", "32 bits", "137,34 kB",
                   "Sistema operacional Windows 7 SP1 (v6.1.7601) / 64 bits"};
    const std::string head = "Arquivo referência: comdlg32.ocx\r\n"
                             "Endereço: C:\\Windows\\SysWOW64\\comdlg32.ocx\r\n"
                             "05/03/2019 14:07:33 - 32 bits - 137,34 kB\r\n\r\n",
                      tail = "\r\n\r\nRodando em Sistema operacional Windows 7 SP1 (v6.1.7601) / 64 bits";
    r.copies.push_back({"ignored", "ignored"});   // not found: copies do not count
    EXPECT_EQ(reportText(r), head + "Componente não encontrado nas pastas comuns." + tail);
    r.found = true;
    r.copies = {{"C:\\Windows\\SysWOW64", "05/03/2019 14:07:33 - 32 bits - 137,34 kB"},
                {"C:\\Windows\\System32", kCopyUnreadable}};
    EXPECT_EQ(reportText(r), head +
                                 "Encontrado nas pastas: \r\n"
                                 "\r\n"
                                 "C:\\Windows\\SysWOW64\r\n"
                                 "05/03/2019 14:07:33 - 32 bits - 137,34 kB\r\n"
                                 "\r\n"
                                 "C:\\Windows\\System32\r\n"
                                 "Não foi possível ler o arquivo nesta pasta." +
                                 tail);
}

// Whatever the bytes (a library name read from a file, say), the JSON string
// is UTF-8 a strict reader takes: well-formed sequences kept, every other
// byte U+FFFD.
TEST(JsonString, AlwaysValidUtf8) {
    struct Case { std::string in, out; } cases[] = {
        {"zzpl\xE2nt.dll", "\"zzpl\xEF\xBF\xBDnt.dll\""},
        {"zzpl\xC3\xA2nt.dll", "\"zzpl\xC3\xA2nt.dll\""},
        {"\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD "
                                                   "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},   // overlong, surrogate, past U+10FFFF
        {"\xF0\x9F\x98\x80\"\xE2\x82", "\"\xF0\x9F\x98\x80\\\"\xEF\xBF\xBD\xEF\xBF\xBD\""},   // cut at the end
    };
    for (const Case& c : cases) EXPECT_EQ(brontal::jsonString(c.in), c.out) << c.in;
}
