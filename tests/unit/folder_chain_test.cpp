#include <gtest/gtest.h>

#include "inspect/folder_chain.h"

using brontal::folderChain;
using brontal::folderDisplayName;
using brontal::withTrailingBackslash;

TEST(FolderChain, RunsFromTheDriveRootDownToTheFolder) {
    EXPECT_EQ(folderChain("C:\\Windows\\System32"),
              (std::vector<std::string>{"C:\\", "C:\\Windows", "C:\\Windows\\System32"}));
    EXPECT_EQ(folderChain("C:\\Windows\\System32\\"), folderChain("C:\\Windows\\System32"));
    EXPECT_EQ(folderChain("D:\\"), (std::vector<std::string>{"D:\\"}));
    EXPECT_EQ(folderChain("D:"), (std::vector<std::string>{"D:\\"}));
    EXPECT_EQ(folderChain("Z:\\a\\\\b"), (std::vector<std::string>{"Z:\\", "Z:\\a", "Z:\\a\\b"}));
    // Paths without a drive have none.
    for (const char* path : {"", "\\\\server\\share", "relative\\path"}) EXPECT_TRUE(folderChain(path).empty()) << path;
}

TEST(FolderChain, ShowsRootsInLowerCaseAndFoldersByTheirLastName) {
    EXPECT_EQ(folderDisplayName("C:\\"), "c:\\");
    EXPECT_EQ(folderDisplayName("C:\\Program Files (x86)"), "Program Files (x86)");
    EXPECT_EQ(withTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(withTrailingBackslash("C:\\Windows"), "C:\\Windows\\");
}
