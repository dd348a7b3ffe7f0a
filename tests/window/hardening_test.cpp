// A program that runs with administrator rights must not load a DLL that
// someone has put beside it or in the current folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/system.h"

namespace {

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring ownFolder() {
    wchar_t buf[MAX_PATH];
    GetModuleFileNameW(nullptr, buf, MAX_PATH);
    return folderOf(buf);
}

bool plantedLoaded() { return GetEnvironmentVariableW(L"BRONTAL_PLANTED_LOADED", nullptr, 0) != 0; }

struct HardeningTest : ::testing::Test {
    std::wstring planted = ownFolder() + L"\\fixtures\\planted\\brontal_planted.dll";
    void SetUp() override {
        if (GetFileAttributesW(planted.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no planted fixture";
    }
};

TEST_F(HardeningTest, ADllBesideTheProgramOrInTheCurrentFolderIsNotLoaded) {
    // The same folder, first with Windows' usual search: there it loads.
    std::wstring beside = ownFolder() + L"\\brontal_planted.dll";
    ASSERT_TRUE(CopyFileW(planted.c_str(), beside.c_str(), FALSE));
    HMODULE usual = LoadLibraryExW(L"brontal_planted.dll", nullptr, 0);
    ASSERT_NE(usual, nullptr) << "the fixture must be loadable at all";
    EXPECT_TRUE(plantedLoaded());
    FreeLibrary(usual);
    SetEnvironmentVariableW(L"BRONTAL_PLANTED_LOADED", nullptr);

    brontal::platform::restrictDllSearchToSystem();
    EXPECT_EQ(LoadLibraryW(L"brontal_planted.dll"), nullptr);
    EXPECT_FALSE(plantedLoaded());

    // Nor from the current folder.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folderOf(planted).c_str());
    EXPECT_EQ(LoadLibraryW(L"brontal_planted.dll"), nullptr);
    EXPECT_FALSE(plantedLoaded());
    SetCurrentDirectoryW(previous);

    // What the system asks for by name still comes, from the system folder.
    HMODULE version = LoadLibraryW(L"version.dll");
    EXPECT_NE(version, nullptr);
    if (version) FreeLibrary(version);
    DeleteFileW(beside.c_str());
}

} // namespace
