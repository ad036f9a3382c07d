// What a folder scan collects: the names that qualify, in the file system's order, with their
// size and last-write time (UTC) as the list shows them.
#include "temp_folder.h"
#include "ui_test_support.h"
#include "ui/converter_dlg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

Texts Strings(const CStringArray& array) {
    Texts texts;
    for (int i = 0; i < array.GetSize(); ++i)
        texts.emplace_back(array[i].GetString());
    return texts;
}

// The details of the one file named `name` of the last scan.
std::string DetailsOf(const CConverterDlg& dlg, const char* name) {
    for (int i = 0; i < dlg.m_arrFileNames.GetSize(); ++i)
        if (dlg.m_arrFileNames[i] == name)
            return dlg.m_arrFileDetails[i].GetString();
    return "(not listed)";
}

// A drive root the test may write, without writing into a real drive's root (a standard user may
// not): the drive the wine harness gives the tests (TARNVEL_TEST_DRIVE), else a drive letter
// substituted for a temporary folder. Files in it get names of this process's own.
class ScratchDrive {
public:
    explicit ScratchDrive(const std::string& folder) : m_folder(folder) {
        if (const char* given = std::getenv("TARNVEL_TEST_DRIVE")) {
            m_root = std::string(given) + "\\";
            return;
        }
        const DWORD used = ::GetLogicalDrives();
        for (char letter = 'T'; letter <= 'Y' && m_device.empty(); ++letter) {
            const std::string device = std::string(1, letter) + ":";
            if (!(used & (1u << (letter - 'A'))) && ::DefineDosDeviceA(0, device.c_str(), folder.c_str()))
                m_device = device;
        }
        if (!m_device.empty())
            m_root = m_device + "\\";
    }
    ~ScratchDrive() {
        if (!m_device.empty())
            ::DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, m_device.c_str(),
                               m_folder.c_str());
    }
    ScratchDrive(const ScratchDrive&) = delete;
    ScratchDrive& operator=(const ScratchDrive&) = delete;
    // "T:\\", or empty when there is no such drive.
    const std::string& Root() const { return m_root; }
    // A name in the root that no other test process uses.
    std::string Own(const char* suffix) const {
        return "tarnvel-" + std::to_string(::GetCurrentProcessId()) + suffix;
    }

private:
    std::string m_folder;
    std::string m_device;
    std::string m_root;
};
} // namespace

TEST(FolderScan, ListsTheQualifyingFilesInTheFileSystemsOrder) {
    TempFolder temp("scan");
    for (const char* name :
         {"fax.awd", "FAX2.AWD", "Fax3.Awd", "notes.rawd", "faxawd", "fax.awd.bak", "fax.aw", "awd.txt"})
        temp.MakeFile(name);
    temp.MakeFolder("old.awd");
    temp.MakeFile("hidden.awd");
    ASSERT_TRUE(
        ::SetFileAttributesA((temp / "hidden.awd").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));

    CConverterDlg dlg;
    EXPECT_EQ(dlg.ScanFolder(temp.Path().c_str()), 0);
    EXPECT_STREQ(dlg.m_strSourceFolder, temp.Path().c_str());

    // The expected order is the file system's own: no sorting is done.
    Texts expected;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((temp / "*.*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        const std::string name = found.cFileName;
        for (const char* listed : {"fax.awd", "FAX2.AWD", "Fax3.Awd", "notes.rawd", "faxawd", "hidden.awd"})
            if (name == listed)
                expected.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    ASSERT_EQ(expected.size(), 6u);
    EXPECT_EQ(Strings(dlg.m_arrFileNames), expected);
    EXPECT_EQ(dlg.m_arrFileDetails.GetSize(), dlg.m_arrFileNames.GetSize());
}

TEST(FolderScan, SizesAreWholeByteCounts) {
    TempFolder temp("sizes");
    temp.MakeFile("empty.awd", 0);
    temp.MakeFile("small.awd", 1234);
    temp.MakeFile("huge.awd", 5000000000ull); // sparse: past what 32 bits hold
    CConverterDlg dlg;
    dlg.ScanFolder(temp.Path().c_str());
    EXPECT_EQ(DetailsOf(dlg, "empty.awd").substr(0, 2), "0,");
    EXPECT_EQ(DetailsOf(dlg, "small.awd").substr(0, 5), "1234,");
    EXPECT_EQ(DetailsOf(dlg, "huge.awd").substr(0, 11), "5000000000,");
}

TEST(FolderScan, TimesAreTheUtcLastWriteTimeOnATwelveHourClock) {
    TempFolder temp("times");
    const SYSTEMTIME justAfterMidnight = Utc(2008, 5, 12, 0, 5);
    const SYSTEMTIME afternoon = Utc(2008, 5, 12, 13, 5);
    const SYSTEMTIME lateEvening = Utc(1999, 12, 31, 23, 59);
    temp.MakeFile("midnight.awd", 10, &justAfterMidnight);
    temp.MakeFile("afternoon.awd", 20, &afternoon);
    temp.MakeFile("evening.awd", 30, &lateEvening);
    // The same clock time on another day, and another time on the same day.
    const SYSTEMTIME sameClock = Utc(1999, 12, 31, 13, 5);
    const SYSTEMTIME sameDay = Utc(2008, 5, 12, 12, 5);
    temp.MakeFile("same-clock.awd", 40, &sameClock);
    temp.MakeFile("same-day.awd", 50, &sameDay);
    CConverterDlg dlg;
    dlg.ScanFolder(temp.Path().c_str());
    EXPECT_EQ(DetailsOf(dlg, "midnight.awd"), "10,2008.05.12 12:05");
    EXPECT_EQ(DetailsOf(dlg, "afternoon.awd"), "20,2008.05.12 01:05");
    EXPECT_EQ(DetailsOf(dlg, "evening.awd"), "30,1999.12.31 11:59");
    EXPECT_EQ(DetailsOf(dlg, "same-clock.awd"), "40,1999.12.31 01:05");
    EXPECT_EQ(DetailsOf(dlg, "same-day.awd"), "50,2008.05.12 12:05");
}

// Run with a time zone far from UTC (see win32_tests.cmake); elsewhere there is nothing to show.
TEST(FolderScanAwayFromUtc, TheDateIsTheUtcDateWhereTheLocalDateDiffers) {
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    if (zone.Bias == 0)
        GTEST_SKIP() << "local time is UTC here";
    TempFolder temp("zone");
    // 23:30 UTC on the 12th is already the 13th east of UTC; 00:30 is still the 11th west of it.
    const SYSTEMTIME late = Utc(2008, 5, 12, 23, 30);
    const SYSTEMTIME early = Utc(2008, 5, 12, 0, 30);
    temp.MakeFile("late.awd", 1, &late);
    temp.MakeFile("early.awd", 1, &early);
    CConverterDlg dlg;
    dlg.ScanFolder(temp.Path().c_str());
    EXPECT_EQ(DetailsOf(dlg, "late.awd"), "1,2008.05.12 11:30");
    EXPECT_EQ(DetailsOf(dlg, "early.awd"), "1,2008.05.12 12:30");
}

TEST(FolderScan, AMissingFolderOrOneWithoutAPathGivesNothing) {
    TempFolder temp("missing");
    CConverterDlg dlg;
    dlg.ScanFolder((temp / "not-there").c_str());
    EXPECT_EQ(dlg.m_arrFileNames.GetSize(), 0);
    EXPECT_STREQ(dlg.m_strSourceFolder, (temp / "not-there").c_str());

    // With an AWD file in the root of the current directory's drive, an empty folder must still
    // list nothing: "\*.*" would find that root's files.
    TempFolder rooted("root");
    ScratchDrive drive(rooted.Path());
    ASSERT_FALSE(drive.Root().empty()) << "no drive root to write";
    const std::string probe = drive.Root() + drive.Own(".awd");
    const std::string current = drive.Root() + drive.Own("-current");
    HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << probe;
    ::CloseHandle(file);
    ::CreateDirectoryA(current.c_str(), nullptr);
    char saved[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    const bool moved = ::SetCurrentDirectoryA(current.c_str());
    dlg.ScanFolder("");
    ::SetCurrentDirectoryA(saved);
    ::DeleteFileA(probe.c_str());
    ::RemoveDirectoryA(current.c_str());
    ASSERT_TRUE(moved) << current;
    EXPECT_EQ(dlg.m_arrFileNames.GetSize(), 0);
    EXPECT_STREQ(dlg.m_strSourceFolder, "");
}

TEST(FolderScan, ADriveRootIsScannedWithItsBackslashKept) {
    TempFolder rooted("drive");
    ScratchDrive drive(rooted.Path());
    ASSERT_FALSE(drive.Root().empty()) << "no drive root to write";
    const std::string probe = drive.Root() + drive.Own(".awd");
    HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << probe;
    ::CloseHandle(file);
    CConverterDlg dlg;
    dlg.ScanFolder(drive.Root().c_str());
    ::DeleteFileA(probe.c_str());
    EXPECT_STREQ(dlg.m_strSourceFolder, drive.Root().c_str());
    EXPECT_NE(DetailsOf(dlg, drive.Own(".awd").c_str()), "(not listed)");
}
