// Libraries come from the system folder, never from whatever folder the program was started in.
#include "app/environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {
std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path);
    return program.substr(0, program.find_last_of('\\'));
}
} // namespace

TEST(LibrarySearch, BareNamesGetTheSystemFolderAndTheCurrentDirectoryIsLeftOut) {
    char system[MAX_PATH] = "";
    ASSERT_GT(::GetSystemDirectoryA(system, MAX_PATH), 0u);
    char path[MAX_PATH];
    ASSERT_TRUE(SystemModulePath("tarnvel-nowhere.dll", path));
    EXPECT_EQ(std::string(system) + "\\tarnvel-nowhere.dll", path);
    char loaded[MAX_PATH] = "";
    ::GetModuleFileNameA(::GetModuleHandleA("kernel32.dll"), loaded, MAX_PATH);
    ASSERT_TRUE(SystemModulePath("kernel32.dll", path));
    EXPECT_STREQ(loaded, path) << "a loaded library stays the one it is";
    ASSERT_TRUE(SystemModulePath("C:\\folder\\named.dll", path));
    EXPECT_STREQ("C:\\folder\\named.dll", path);
    EXPECT_FALSE(SystemModulePath(std::string(MAX_PATH, 'x').c_str(), path));

    // A library planted in the current directory loads by its bare name until the search is
    // restricted (for the rest of this test program).
    TempDir current("planted");
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\doubles\\imgedit_double.dll").c_str(),
                            (current / "tarnvel-planted.dll").c_str(), FALSE));
    char previous[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(current.Path().c_str()));
    const HMODULE before = ::LoadLibraryA("tarnvel-planted.dll");
    EXPECT_NE(nullptr, before) << "the test would not show the restriction";
    if (before)
        ::FreeLibrary(before);
    RestrictDllSearch();
    const HMODULE after = ::LoadLibraryA("tarnvel-planted.dll");
    EXPECT_EQ(nullptr, after);
    if (after)
        ::FreeLibrary(after);
    ::SetCurrentDirectoryA(previous);
}
