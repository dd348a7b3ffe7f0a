#include <gtest/gtest.h>

#include <map>

#include "folders/tree_search.h"

using namespace brontal;

namespace {

struct Entry { std::string name; bool folder = false, link = false; };

struct FakeTree : TreeSearchHost {
    std::map<std::string, std::vector<Entry>> folders;
    std::vector<std::string> hits, visited;
    int stopAfterVisits = -1;

    bool enumerate(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) override {
        auto it = folders.find(folder);
        if (it == folders.end()) return false;
        visited.push_back(folder);
        for (const Entry& e : it->second) visit(FolderEntry{e.name, e.folder, e.link});
        return true;
    }
    void showCount(int) override {}
    void addHit(const std::string& path) override { hits.push_back(path); }
    void processEvents() override {}
    bool stopRequested() override {
        return stopAfterVisits >= 0 && static_cast<int>(visited.size()) >= stopAfterVisits;
    }
};

FakeTree sample() {
    FakeTree t;
    t.folders = {{"C:\\S", {{"sub", true}, {"A.DLL"}, {"b.txt"}, {"loop", true, true}, {"other", true}}},
                 {"C:\\S\\sub", {{"deep", true}, {"a.dll"}}},
                 {"C:\\S\\sub\\deep", {{"a.dll"}}},
                 {"C:\\S\\loop", {{"a.dll"}}},
                 {"C:\\S\\other", {}}};
    return t;
}

} // namespace

TEST(TreeSearch, OwnFilesFirstThenSubfoldersDepthFirstInAnyCase) {
    FakeTree t = sample();
    EXPECT_TRUE(searchFolderTree(t, "C:\\S", "a.dll"));
    EXPECT_EQ(t.hits, (std::vector<std::string>{"C:\\S\\A.DLL", "C:\\S\\sub\\a.dll", "C:\\S\\sub\\deep\\a.dll"}));
    // The junction is never entered.
    EXPECT_EQ(t.visited, (std::vector<std::string>{"C:\\S", "C:\\S\\sub", "C:\\S\\sub\\deep", "C:\\S\\other"}));
    // A folder that is not there yields nothing.
    EXPECT_FALSE(searchFolderTree(t, "C:\\Program Files (x86)\\Common Files", "a.dll"));
    EXPECT_EQ(t.hits.size(), 3u);
}

TEST(TreeSearch, AStopLeavesEachLevelAfterItsFirstSubfolder) {
    FakeTree t = sample();
    t.stopAfterVisits = 0;
    searchFolderTree(t, "C:\\S", "a.dll");
    EXPECT_EQ(t.visited, (std::vector<std::string>{"C:\\S", "C:\\S\\sub", "C:\\S\\sub\\deep"}));
}


// The count held at 32767 is watched on screen by the Faults end-to-end scenario.
TEST(TreeSearch, NamesMatchIgnoringCaseOfAccentedLetters) {
    EXPECT_TRUE(sameFileName("AÇÃO.dll", "ação.DLL"));
    EXPECT_FALSE(sameFileName("a.dll", "a.dl"));
    EXPECT_FALSE(sameFileName("b.dll", "a.dll"));
}
