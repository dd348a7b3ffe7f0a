#include <gtest/gtest.h>

#include "report/os_naming.h"

using namespace brontal;

namespace {

OsVersionRecord version(std::uint32_t major, std::uint32_t minor, std::uint8_t productType = 1,
                        std::uint16_t suite = 0) {
    return {major, minor, 0, 0, 0, suite, productType};
}

} // namespace

TEST(WindowsName, EveryRowOfTheTableInOrder) {
    struct Row { std::uint32_t major, minor; const char *server, *workstation; } rows[] = {
        {3, 51, "Windows NT 3.5 Server", "Windows NT 3.5 Workstation"},
        {4, 0, "Windows NT 4.0 Server", "Windows NT 4.0 Workstation"},
        {5, 0, "Windows 2000 Server", "Windows 2000 Workstation"},
        {5, 2, "Windows Server 2003", "Windows XP 64-bit Edition"},
        {6, 0, "Windows Server 2008", "Windows Vista"},
        {6, 1, "Windows Server 2008 R2", "Windows 7"},
        {6, 2, "Windows Server 2012", "Windows 8"},
        {6, 3, "Windows Server 2012 R2", "Windows 8.1"},
        {10, 0, "Windows Server 2016/2019/2022", "Windows 10"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(GetWindowsName(version(r.major, r.minor, 1)), r.workstation) << r.major << "." << r.minor;
        // Any product type but workstation is a server, even an unset one.
        for (std::uint8_t type : {0, 2, 3})
            EXPECT_EQ(GetWindowsName(version(r.major, r.minor, type)), r.server) << r.major << "." << r.minor;
    }
    EXPECT_FALSE(IsServerEdition(version(6, 1, 1)));
    EXPECT_TRUE(IsServerEdition(version(6, 1, 0)));
}

TEST(WindowsName, XpLooksOnlyAtTheSuiteAndTenAtNothingElse) {
    // A server product type does not make 5.1 a server; only the personal suite bit counts.
    for (std::uint8_t type : {1, 3}) {
        EXPECT_EQ(GetWindowsName(version(5, 1, type, 0x100)), "Windows XP Professional");
        EXPECT_EQ(GetWindowsName(version(5, 1, type, 0x200 | 0x10)), "Windows XP Home Edition");
    }
    EXPECT_EQ(GetWindowsName({10, 0, 22631, 0, 0, 0, 1}), "Windows 10");   // 11 by its build
    EXPECT_EQ(GetWindowsName(version(10, 7, 1)), "Windows 10");
}

TEST(WindowsName, CombinationsOutsideTheTableHaveNoName) {
    for (auto [major, minor] : {std::pair{0u, 0u}, {1u, 0u}, {2u, 0u}, {5u, 3u}, {6u, 4u}, {7u, 0u}, {8u, 0u},
                                {9u, 0u}, {11u, 0u}, {0xFFFFFFFFu, 0u}}) {
        EXPECT_EQ(GetWindowsName(version(major, minor, 1)), "") << major << "." << minor;
        EXPECT_EQ(GetWindowsName(version(major, minor, 3)), "") << major << "." << minor;
    }
}

TEST(ServicePackText, MajorThenMinorWhenThereIsOne) {
    // Read as signed 16-bit numbers: the high half counts as negative, and a
    // minor without a major is no service pack.
    struct Case { std::uint16_t major, minor; const char* text; } cases[] = {
        {0, 0, ""}, {0, 3, ""}, {1, 0, "SP1"}, {2, 1, "SP2.1"}, {0x8001, 0, ""}, {3, 0xFFFF, "SP3"}};
    for (const Case& k : cases) {
        OsVersionRecord v = version(6, 1);
        v.servicePackMajor = k.major;
        v.servicePackMinor = k.minor;
        EXPECT_EQ(GetServicePackText(v), k.text) << k.major << "." << k.minor;
    }
}

// Windows 7 SP1, 10 and Server 2003 SP2 are read for real end to end.
TEST(WindowsVersionText, NameServicePackAndVersion) {
    OsVersionRecord xp{5, 1, 2600, 3, 2, 0x200, 1};
    EXPECT_EQ(windowsVersionText(xp), "Windows XP Home Edition SP3.2 (v5.1.2600)");
    OsVersionRecord unknown{12, 0, 4000000000u};   // the build is unsigned, never negative
    EXPECT_EQ(windowsVersionText(unknown), "  (v12.0.4000000000)");
    EXPECT_EQ(windowsVersionText(std::nullopt), "Failed to retrieve Windows version");
}
