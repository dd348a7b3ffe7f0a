#include <gtest/gtest.h>

#include "core/file_facts.h"
#include "panel/folder_slots.h"
#include "registration/registration_command.h"
#include "verify/registry_query.h"

using namespace brontal;

TEST(SizeText, RoundsHalfToEvenInTheUsersLocale) {
    NumberFormat br;                                   // "," and "."
    NumberFormat en{".", ",", "3;0", true};
    EXPECT_EQ(sizeText(1536, br), "1,50 kB");
    EXPECT_EQ(sizeText(1536, en), "1.50 kB");
    EXPECT_EQ(sizeText(0, br), "0,00 kB");
    EXPECT_EQ(sizeText(5, br), "0,00 kB");
    EXPECT_EQ(sizeText(128, br), "0,12 kB");          // 0.125: the tie goes to 2
    // Thousands and sizes past 2 GiB are read for real end to end, in both locales.
    EXPECT_EQ(sizeText(128, NumberFormat{",", ".", "3;0", false}), ",12 kB");
    EXPECT_EQ(sizeText(1024ull * 1234567, NumberFormat{".", ",", "3;2;0", true}), "12,34,567.00 kB");
}

TEST(DateText, IsDayMonthYearAndTwentyFourHoursOfTheLastWrite) {
    // "/" and ":", the user's usual separators, are read for real end to end.
    EXPECT_EQ(dateText({2024, 12, 31, 0, 0, 9}, ".", "."), "31.12.2024 00.00.09");
    // Wine reports a file's creation time equal to its last write: the choice is seen here only.
    EXPECT_EQ(dateShown({.created = 300, .accessed = 500, .written = 400}), 400u);
    EXPECT_EQ(dateShown({.created = 900, .accessed = 100, .written = 200}), 200u);
}

TEST(FolderSlots, NamesakeIsTheFirstHitUnderTheFolderInAnyCase) {
    std::vector<std::string> hits = {"C:\\Program Files (x86)\\Common Files\\a.dll",
                                     "C:\\WINDOWS\\SYSNATIVE\\drivers\\a.dll", "C:\\Windows\\Sysnative\\a.dll"};
    EXPECT_EQ(findNamesake(hits, "C:\\Windows\\Sysnative"), 1);
    EXPECT_EQ(findNamesake(hits, "C:\\Program Files\\Common Files"), -1);
    EXPECT_EQ(findNamesake(hits, "C:\\Program Files (x86)\\Common Files"), 0);
    EXPECT_EQ(findNamesake({}, "C:\\Windows\\SysWOW64"), -1);
}

TEST(RegistrationCommand, MatchesTheFileAndTheWindows) {
    EXPECT_EQ(regsvr32Program("32", true), "C:\\Windows\\SysWow64\\regsvr32.exe");
    EXPECT_EQ(regsvr32Program("64", true), "C:\\Windows\\Sysnative\\regsvr32.exe");
    EXPECT_EQ(regsvr32Program("", true), "C:\\Windows\\Sysnative\\regsvr32.exe");
    EXPECT_EQ(regsvr32Program("32", false), "C:\\Windows\\System32\\regsvr32.exe");
    EXPECT_EQ(regsvr32Arguments(RegMode::Register, "C:\\a b\\&^%.dll"), "  /s \"C:\\a b\\&^%.dll\"");
    EXPECT_EQ(regsvr32Arguments(RegMode::Unregister, "x.ocx"), "  /u /s \"x.ocx\"");
    // Codes 3, 4 and 5 are seen end to end with real components; these are not.
    EXPECT_EQ(exitCodeReason(0), "");
    for (unsigned long code : {1ul, 2ul})
        EXPECT_EQ(exitCodeReason(code).rfind("regsvr32 (código " + std::to_string(code) + "): ", 0), 0u);
    EXPECT_EQ(exitCodeReason(3221225477ul), "regsvr32 terminou com o código 3221225477.");
    for (const char* ok : {"a.dll", "A.DLL", "b.Ocx"}) EXPECT_TRUE(hasComponentExtension(ok)) << ok;
    for (const char* bad : {"a.txt", "a.dll ", "dll", ".dl", "a.dllx"}) EXPECT_FALSE(hasComponentExtension(bad)) << bad;
}

// The command line is run for real by the end-to-end scenarios.
TEST(RegistryQuery, LooksForTheKeyInExactCase) {
    EXPECT_TRUE(outputNamesClsid("\r\nHKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32\r\n"));
    EXPECT_FALSE(outputNamesClsid("hkey_classes_root\\clsid"));
    EXPECT_FALSE(outputNamesClsid("HKEY_CLASSES_ROOT\\Interface\\{1}\r\n"));
    EXPECT_FALSE(outputNamesClsid("Failed to execute command."));
    EXPECT_FALSE(outputNamesClsid(""));
}

// What /f compares in each line of the listing: a key's own name, a value's
// name and data; never the root, the type or a parent's part of a path.
TEST(RegistryQuery, TheListingFindsANameWhereTheSearchOfItsOwnWould) {
    const std::string listing =
        "\r\nHKEY_CLASSES_ROOT\\CLSID\r\n"
        "    (DEFAULT)    REG_SZ    \r\n\r\n"
        "HKEY_CLASSES_ROOT\\CLSID\\{1}\r\n"
        "    (DEFAULT)    REG_SZ    CONTROLE DE GRADE\r\n\r\n"
        "HKEY_CLASSES_ROOT\\CLSID\\{1}\\INPROCSERVER32\r\n"
        "    (DEFAULT)    REG_EXPAND_SZ    %SYSTEMROOT%\\GRADE.OCX\r\n"
        "    THREADINGMODEL    REG_SZ    APARTMENT\r\n\r\n"
        "HKEY_CLASSES_ROOT\\CLSID\\{2}\\CHAVE.DLL\r\n\r\n"
        "HKEY_CLASSES_ROOT\\CLSID\\{3}\r\n"
        "    NOTA.OCX    REG_DWORD    0X1\r\n"
        "    LINHAS    REG_SZ    PRIMEIRA\r\n"
        "SEGUNDA AÇÃO.DLL\r\n";
    const std::vector<bool> found = listingNamesEach(
        listing, {"GRADE.OCX", "CHAVE.DLL", "NOTA.OCX", "AÇÃO.DLL", "CLSID", "REG_EXPAND_SZ", "{1}\\INPROCSERVER32",
                  "SZ    CONTROLE", "AUSENTE.DLL", ""});
    EXPECT_EQ(found, (std::vector<bool>{true, true, true, true, false, false, false, false, false, false}));
    EXPECT_EQ(listingNamesEach("", {"A.DLL"}), std::vector<bool>{false});
}
