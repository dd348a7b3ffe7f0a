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

// A set's walk against each name's own walk, on trees of random shape whose
// files differ only in letter case, accents and place.
TEST(TreeSearch, ASetsWalkGivesEveryNameTheHitsOfItsOwnWalk) {
    const std::vector<std::string> spellings = {"a.dll", "A.DLL", "ação.ocx", "AÇÃO.OCX", "b.dll", "a.dl", "×.dll"};
    const std::vector<std::string> asked = {"a.dll", "AÇÃO.ocx", "b.DLL", "a.dll", "nada.dll", "÷.dll"};
    unsigned seed = 7;
    auto next = [&seed](unsigned n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    for (int round = 0; round < 50; ++round) {
        FakeTree t;
        std::vector<std::string> open = {"C:\\T"};
        for (size_t f = 0; f < open.size() && f < 40; ++f) {
            std::vector<Entry>& entries = t.folders[open[f]];
            for (unsigned k = next(8); k > 0; --k) {
                unsigned pick = next(10);
                if (pick < 3) {
                    std::string sub = "d" + std::to_string(open.size());
                    entries.push_back({sub, true, pick == 0});
                    if (pick != 0) open.push_back(open[f] + "\\" + sub);
                } else {
                    entries.push_back({spellings[next(static_cast<unsigned>(spellings.size()))]});
                }
            }
        }
        std::vector<std::vector<std::string>> hits;
        ListEntries list = [&t](const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
            return t.enumerate(folder, visit);
        };
        ASSERT_TRUE(searchFolderTreeForNames(list, "C:\\T", asked, hits));
        ASSERT_EQ(hits.size(), asked.size());
        for (size_t i = 0; i < asked.size(); ++i) {
            FakeTree alone = t;
            searchFolderTree(alone, "C:\\T", asked[i]);
            EXPECT_EQ(hits[i], alone.hits) << "round " << round << ", " << asked[i];
        }
    }
    std::vector<std::vector<std::string>> none;
    FakeTree empty;
    EXPECT_FALSE(searchFolderTreeForNames(
        [&empty](const std::string& f, const std::function<void(const FolderEntry&)>& v) { return empty.enumerate(f, v); },
        "C:\\X", asked, none));
}
