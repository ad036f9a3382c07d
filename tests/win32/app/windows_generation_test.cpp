// The classification of Windows versions into the codes that pick the rendering route.
#include "app/environment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// GetVersion's value: bit 31 for the non-NT family, the major version in the low byte.
DWORD VersionValue(bool nt, DWORD major, DWORD minor) {
    return (nt ? 0u : 0x80000000u) | (minor << 8) | major;
}

OSVERSIONINFOA Record(DWORD platform, DWORD major, DWORD minor) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

int Classify(bool nt, DWORD major, DWORD minor) {
    OSVERSIONINFOA info = Record(nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS, major, minor);
    return ClassifyWindowsVersion(VersionValue(nt, major, minor), &info);
}
} // namespace

TEST(WindowsGeneration, EveryRowOfTheTable) {
    EXPECT_EQ(0, Classify(false, 3, 10)) << "Win32s";
    EXPECT_EQ(1, Classify(true, 3, 51)) << "NT 3.51";
    EXPECT_EQ(1, Classify(true, 5, 2)) << "Server 2003";
    EXPECT_EQ(1, Classify(true, 6, 1)) << "Windows 7";
    EXPECT_EQ(1, Classify(true, 10, 0)) << "Windows 10";
    EXPECT_EQ(2, Classify(false, 4, 0)) << "Windows 95";
    EXPECT_EQ(2, Classify(false, 4, 3)) << "another 4.x";
    EXPECT_EQ(2, Classify(false, 5, 0)) << "a non-NT major version above 4";
    EXPECT_EQ(3, Classify(false, 4, 10)) << "Windows 98 and 98 SE";
    EXPECT_EQ(4, Classify(false, 4, 90)) << "Windows Me";
    EXPECT_EQ(5, Classify(true, 4, 0)) << "NT 4.0";
    EXPECT_EQ(6, Classify(true, 5, 0)) << "Windows 2000";
    EXPECT_EQ(7, Classify(true, 5, 1)) << "Windows XP";
}

TEST(WindowsGeneration, MissingVersionRecordGivesTheFamilysCatchAll) {
    EXPECT_EQ(1, ClassifyWindowsVersion(VersionValue(true, 5, 1), nullptr));
    EXPECT_EQ(2, ClassifyWindowsVersion(VersionValue(false, 4, 10), nullptr));
    // Win32s is decided from GetVersion alone.
    EXPECT_EQ(0, ClassifyWindowsVersion(VersionValue(false, 3, 95), nullptr));
}

TEST(WindowsGeneration, NonNtUsesTheRecordsVersionNotGetVersions) {
    // Windows 98's GetVersion carries 4.10, but the record decides: a record of 4.90 is Me.
    OSVERSIONINFOA me = Record(VER_PLATFORM_WIN32_WINDOWS, 4, 90);
    EXPECT_EQ(4, ClassifyWindowsVersion(VersionValue(false, 4, 10), &me));
}

// Run for real under each of wine's Windows versions (the test program's copy named
// PROGRAM-VERSION.exe reports that version); the plain program skips it.
TEST(RealWindowsVersion, ClassifiesTheRunningSystem) {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    name = name.substr(name.find_last_of('\\') + 1);
    const size_t dash = name.rfind('-');
    if (dash == std::string::npos)
        GTEST_SKIP() << "not a copy for one Windows version";
    const std::string version = name.substr(dash + 1, name.size() - dash - 5);
    const struct {
        const char* version;
        int generation;
    } expected[] = {{"win95", 2}, {"win98", 3}, {"winme", 4}, {"nt40", 5},
                    {"win2k", 6}, {"winxp", 7}, {"win7", 1},  {"win10", 1}};
    for (const auto& row : expected) {
        if (version == row.version) {
            EXPECT_EQ(row.generation, GetWindowsGeneration())
                << version << ", GetVersion " << std::hex << ::GetVersion();
            return;
        }
    }
    FAIL() << "no expected code for " << version;
}
