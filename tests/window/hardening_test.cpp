// Run with administrator rights, the program loads no DLL put beside it or in the current folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/system.h"

namespace {

// The planted fixture sets this variable when it is loaded.
bool plantedLoaded() { return GetEnvironmentVariableW(L"BRONTAL_PLANTED_LOADED", nullptr, 0) != 0; }

TEST(Hardening, ADllBesideTheProgramOrInTheCurrentFolderIsNotLoaded) {
    wchar_t buf[MAX_PATH], previous[MAX_PATH];
    GetModuleFileNameW(nullptr, buf, MAX_PATH);
    const std::wstring own = std::wstring(buf).substr(0, std::wstring(buf).find_last_of(L'\\'));
    const std::wstring folder = own + L"\\fixtures\\planted", beside = own + L"\\brontal_planted.dll";
    if (GetFileAttributesW((folder + L"\\brontal_planted.dll").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no planted fixture";
    // Beside the program Windows' usual search does load it: the fixture works.
    ASSERT_TRUE(CopyFileW((folder + L"\\brontal_planted.dll").c_str(), beside.c_str(), FALSE));
    HMODULE usual = LoadLibraryExW(L"brontal_planted.dll", nullptr, 0);
    ASSERT_NE(usual, nullptr);
    EXPECT_TRUE(plantedLoaded());
    FreeLibrary(usual);
    SetEnvironmentVariableW(L"BRONTAL_PLANTED_LOADED", nullptr);

    brontal::platform::restrictDllSearchToSystem();
    GetCurrentDirectoryW(MAX_PATH, previous);
    for (const std::wstring& current : {std::wstring(previous), folder}) {
        SetCurrentDirectoryW(current.c_str());
        EXPECT_EQ(LoadLibraryW(L"brontal_planted.dll"), nullptr);
        EXPECT_FALSE(plantedLoaded());
    }
    SetCurrentDirectoryW(previous);
    // What the system asks for by name still comes, from the system folder.
    HMODULE version = LoadLibraryW(L"version.dll");
    EXPECT_NE(version, nullptr);
    if (version) FreeLibrary(version);
    DeleteFileW(beside.c_str());
}

} // namespace
