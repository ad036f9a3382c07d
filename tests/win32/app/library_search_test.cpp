// Libraries come from the system folder, never from the folder the program was started in.
#include "app/environment.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// That the current directory is left out is start-up's own test (start_up_test.cpp): it restricts
// the search for the whole process.
TEST(LibrarySearch, BareNamesGetTheSystemFolder) {
    char system[MAX_PATH] = "", path[MAX_PATH];
    ::GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(SystemModulePath("tarnvel-nowhere.dll", path));
    EXPECT_EQ(std::string(system) + "\\tarnvel-nowhere.dll", path);
}
