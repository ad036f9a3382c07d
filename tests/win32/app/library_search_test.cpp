// Libraries come from the system folder, never from the folder the program was started in.
#include "app/environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

TEST(LibrarySearch, BareNamesGetTheSystemFolderAndTheCurrentDirectoryIsLeftOut) {
    char system[MAX_PATH] = "", path[MAX_PATH], program[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(SystemModulePath("tarnvel-nowhere.dll", path));
    EXPECT_EQ(std::string(system) + "\\tarnvel-nowhere.dll", path);

    // A library planted in the current directory loads by its bare name until the search is
    // restricted (for the rest of this test program).
    TempDir current("planted");
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string doubles = std::string(program, std::strrchr(program, '\\')) + "\\doubles";
    ASSERT_TRUE(
        ::CopyFileA((doubles + "\\imgedit_double.dll").c_str(), (current / "planted.dll").c_str(), FALSE));
    char previous[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(current.Path().c_str()));
    const HMODULE before = ::LoadLibraryA("planted.dll");
    EXPECT_NE(nullptr, before) << "the test would not show the restriction";
    ::FreeLibrary(before);
    RestrictDllSearch();
    EXPECT_EQ(nullptr, ::LoadLibraryA("planted.dll"));
    ::SetCurrentDirectoryA(previous);
}
