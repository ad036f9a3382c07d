// What a folder selection lists: the names that qualify, in the file system's order, with their
// size and last-write time (UTC) as the list shows them.
#include "support/scratch_drive.h"
#include "temp_folder.h"
#include "ui_test_support.h"
#include "win32/dialog_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

// What the main dialog lists for `folder`: each row's name and its "size,date time", and the
// output field.
struct Listing {
    std::vector<std::pair<std::string, std::string>> rows;
    std::string field;

    Texts Names() const {
        Texts names;
        for (const auto& row : rows)
            names.push_back(row.first);
        return names;
    }
    std::string DetailsOf(const std::string& name) const {
        for (const auto& row : rows)
            if (row.first == name)
                return row.second;
        return "(not listed)";
    }
};

Listing Listed(const std::string& folder) {
    Listing listing;
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, folder);
        for (int row = 0; row < RowCount(dialog); ++row)
            listing.rows.emplace_back(CellOf(dialog, row, 0),
                                      CellOf(dialog, row, 1) + "," + CellOf(dialog, row, 2));
        listing.field = OutputFolderOf(dialog);
    });
    return listing;
}
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

    const Listing listing = Listed(temp.Path());

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
    EXPECT_EQ(listing.Names(), expected);
}

TEST(FolderScan, SizesAreWholeByteCounts) {
    TempFolder temp("sizes");
    temp.MakeFile("empty.awd", 0);
    temp.MakeFile("small.awd", 1234);
    temp.MakeFile("huge.awd", 5000000000ull); // sparse: past what 32 bits hold
    const Listing listing = Listed(temp.Path());
    EXPECT_EQ(listing.DetailsOf("empty.awd").substr(0, 2), "0,");
    EXPECT_EQ(listing.DetailsOf("small.awd").substr(0, 5), "1234,");
    EXPECT_EQ(listing.DetailsOf("huge.awd").substr(0, 11), "5000000000,");
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
    const Listing listing = Listed(temp.Path());
    EXPECT_EQ(listing.DetailsOf("midnight.awd"), "10,2008.05.12 12:05");
    EXPECT_EQ(listing.DetailsOf("afternoon.awd"), "20,2008.05.12 01:05");
    EXPECT_EQ(listing.DetailsOf("evening.awd"), "30,1999.12.31 11:59");
    EXPECT_EQ(listing.DetailsOf("same-clock.awd"), "40,1999.12.31 01:05");
    EXPECT_EQ(listing.DetailsOf("same-day.awd"), "50,2008.05.12 12:05");
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
    const Listing listing = Listed(temp.Path());
    EXPECT_EQ(listing.DetailsOf("late.awd"), "1,2008.05.12 11:30");
    EXPECT_EQ(listing.DetailsOf("early.awd"), "1,2008.05.12 12:30");
}

TEST(FolderScan, AMissingFolderOrOneWithoutAPathGivesNothing) {
    TempFolder temp("missing");
    const Listing missing = Listed(temp / "not-there");
    EXPECT_TRUE(missing.rows.empty());
    EXPECT_EQ(missing.field, temp / "not-there");

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
    const Listing pathless = Listed("");
    ::SetCurrentDirectoryA(saved);
    ::DeleteFileA(probe.c_str());
    ::RemoveDirectoryA(current.c_str());
    ASSERT_TRUE(moved) << current;
    EXPECT_TRUE(pathless.rows.empty());
}

TEST(FolderScan, ADriveRootIsScannedWithItsBackslashKept) {
    TempFolder rooted("drive");
    ScratchDrive drive(rooted.Path());
    ASSERT_FALSE(drive.Root().empty()) << "no drive root to write";
    const std::string probe = drive.Root() + drive.Own(".awd");
    HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << probe;
    ::CloseHandle(file);
    const Listing listing = Listed(drive.Root());
    ::DeleteFileA(probe.c_str());
    EXPECT_EQ(listing.field, drive.Root());
    EXPECT_NE(listing.DetailsOf(drive.Own(".awd")), "(not listed)");
}
