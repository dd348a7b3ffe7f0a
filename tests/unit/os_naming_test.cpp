#include <gtest/gtest.h>

#include "report/os_naming.h"

using namespace brontal;

namespace {

OsVersionRecord version(std::uint32_t major, std::uint32_t minor, std::uint8_t productType = 1,
                        std::uint16_t suite = 0) {
    OsVersionRecord v;
    v.majorVersion = major;
    v.minorVersion = minor;
    v.productType = productType;
    v.suiteMask = suite;
    return v;
}

} // namespace

TEST(WindowsName, EveryRowOfTheTableInOrder) {
    struct Row {
        std::uint32_t major, minor;
        std::uint8_t type;
        std::uint16_t suite;
        const char* name;
    } rows[] = {
        {3, 51, 3, 0, "Windows NT 3.5 Server"},
        {3, 51, 1, 0, "Windows NT 3.5 Workstation"},
        {4, 0, 2, 0, "Windows NT 4.0 Server"},
        {4, 0, 1, 0, "Windows NT 4.0 Workstation"},
        {5, 0, 3, 0, "Windows 2000 Server"},
        {5, 0, 1, 0, "Windows 2000 Workstation"},
        {5, 1, 1, 0x200, "Windows XP Home Edition"},
        {5, 1, 1, 0x100, "Windows XP Professional"},
        {5, 2, 3, 0, "Windows Server 2003"},
        {5, 2, 1, 0, "Windows XP 64-bit Edition"},
        {6, 0, 3, 0, "Windows Server 2008"},
        {6, 0, 1, 0, "Windows Vista"},
        {6, 1, 2, 0, "Windows Server 2008 R2"},
        {6, 1, 1, 0, "Windows 7"},
        {6, 2, 3, 0, "Windows Server 2012"},
        {6, 2, 1, 0, "Windows 8"},
        {6, 3, 3, 0, "Windows Server 2012 R2"},
        {6, 3, 1, 0, "Windows 8.1"},
        {10, 0, 3, 0, "Windows Server 2016/2019/2022"},
        {10, 0, 1, 0, "Windows 10"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(GetWindowsName(version(r.major, r.minor, r.type, r.suite)), r.name)
            << r.major << "." << r.minor << " type " << int(r.type);
    // Any product type but workstation is a server, even an unset one.
    EXPECT_FALSE(IsServerEdition(version(6, 1, 1)));
    EXPECT_TRUE(IsServerEdition(version(6, 1, 0)));
    EXPECT_EQ(GetWindowsName(version(6, 1, 0)), "Windows Server 2008 R2");
}

TEST(WindowsName, XpLooksOnlyAtTheSuiteAndTenAtNothingElse) {
    // A server product type does not make 5.1 a server; only the personal suite bit counts.
    EXPECT_EQ(GetWindowsName(version(5, 1, 3, 0)), "Windows XP Professional");
    EXPECT_EQ(GetWindowsName(version(5, 1, 3, 0x200 | 0x10)), "Windows XP Home Edition");
    OsVersionRecord eleven = version(10, 0);
    eleven.buildNumber = 22631;
    EXPECT_EQ(GetWindowsName(eleven), "Windows 10");
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
    OsVersionRecord v = version(6, 1);
    EXPECT_EQ(GetServicePackText(v), "");
    v.servicePackMinor = 3; // a minor without a major is no service pack
    EXPECT_EQ(GetServicePackText(v), "");
    v.servicePackMajor = 1;
    v.servicePackMinor = 0;
    EXPECT_EQ(GetServicePackText(v), "SP1");
    v.servicePackMajor = 2;
    v.servicePackMinor = 1;
    EXPECT_EQ(GetServicePackText(v), "SP2.1");
    // Read as signed 16-bit numbers: the high half counts as negative.
    v.servicePackMajor = 0x8001;
    EXPECT_EQ(GetServicePackText(v), "");
    v.servicePackMajor = 3;
    v.servicePackMinor = 0xFFFF;
    EXPECT_EQ(GetServicePackText(v), "SP3");
}

// Windows 7 SP1, 10 and Server 2003 SP2 are read for real by the report's
// end-to-end scenarios.
TEST(WindowsVersionText, NameServicePackAndVersion) {
    OsVersionRecord xp = version(5, 1, 1, 0x200);
    xp.buildNumber = 2600;
    xp.servicePackMajor = 3;
    xp.servicePackMinor = 2;
    EXPECT_EQ(windowsVersionText(xp), "Windows XP Home Edition SP3.2 (v5.1.2600)");

    OsVersionRecord unknown = version(12, 0);
    unknown.buildNumber = 4000000000u;   // unsigned, never negative
    EXPECT_EQ(windowsVersionText(unknown), "  (v12.0.4000000000)");

    EXPECT_EQ(windowsVersionText(std::nullopt), "Failed to retrieve Windows version");
}
