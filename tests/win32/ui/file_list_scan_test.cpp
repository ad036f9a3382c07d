// What a folder selection lists: the names that qualify, in the file system's order, with their
// size and last-write time (UTC) as the list shows them.
#include "support/scratch_drive.h"
#include "support/text_file.h"
#include "temp_folder.h"
#include "ui_test_support.h"
#include "win32/convert/conversion_fixture.h"
#include "win32/dialog_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

// What the main dialog lists for `folder`: the names in order, each name's "size,date time", and
// the output field.
struct Listing {
    Texts names;
    std::map<std::string, std::string> details;
    std::string field;
};

Listing Listed(const std::string& folder) {
    Listing listing;
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, folder);
        for (int row = 0; row < RowCount(dialog); ++row) {
            listing.names.push_back(CellOf(dialog, row, 0));
            listing.details[CellOf(dialog, row, 0)] = CellOf(dialog, row, 1) + "," + CellOf(dialog, row, 2);
        }
        listing.field = OutputFolderOf(dialog);
    });
    return listing;
}

struct Written {
    const char* name;
    ULONGLONG size;
    SYSTEMTIME time; // UTC
    const char* shown;
};

// Lists a folder of `files` and expects each shown as given.
void ExpectShown(const std::vector<Written>& files) {
    TempFolder temp("details");
    for (const Written& file : files)
        temp.MakeFile(file.name, file.size, &file.time);
    Listing listing = Listed(temp.Path());
    EXPECT_EQ(listing.names.size(), files.size());
    for (const Written& file : files)
        EXPECT_EQ(listing.details[file.name], file.shown) << file.name;
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

    // The expected order is the file system's own: no sorting is done.
    const Texts listed = {"fax.awd", "FAX2.AWD", "Fax3.Awd", "notes.rawd", "faxawd", "hidden.awd"};
    Texts expected;
    for (const std::string& name : ListFiles(temp.Path()))
        if (std::find(listed.begin(), listed.end(), name) != listed.end())
            expected.push_back(name);
    ASSERT_EQ(expected.size(), 6u);
    EXPECT_EQ(Listed(temp.Path()).names, expected);
}

// Sizes are whole byte counts; times the UTC last-write time on a twelve-hour clock, with the same
// clock time on another day and another time on the same day.
TEST(FolderScan, SizesAreWholeByteCountsAndTimesTheUtcLastWriteTimeOnATwelveHourClock) {
    ExpectShown({{"empty.awd", 0, Utc(2008, 5, 12, 0, 5), "0,2008.05.12 12:05"},
                 {"small.awd", 1234, Utc(2008, 5, 12, 13, 5), "1234,2008.05.12 01:05"},
                 {"huge.awd", 5000000000ull, Utc(1999, 12, 31, 23, 59), "5000000000,1999.12.31 11:59"},
                 {"same-clock.awd", 40, Utc(1999, 12, 31, 13, 5), "40,1999.12.31 01:05"},
                 {"same-day.awd", 50, Utc(2008, 5, 12, 12, 5), "50,2008.05.12 12:05"}});
}

// Run with a time zone far from UTC (see win32_tests.cmake); elsewhere there is nothing to show.
TEST(FolderScanAwayFromUtc, TheDateIsTheUtcDateWhereTheLocalDateDiffers) {
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    if (zone.Bias == 0)
        GTEST_SKIP() << "local time is UTC here";
    // 23:30 UTC on the 12th is already the 13th east of UTC; 00:30 is still the 11th west of it.
    ExpectShown({{"late.awd", 1, Utc(2008, 5, 12, 23, 30), "1,2008.05.12 11:30"},
                 {"early.awd", 1, Utc(2008, 5, 12, 0, 30), "1,2008.05.12 12:30"}});
}

TEST(FolderScan, AMissingFolderOrOneWithoutAPathGivesNothingAndADriveRootKeepsItsBackslash) {
    TempFolder temp("missing");
    const Listing missing = Listed(temp / "not-there");
    EXPECT_TRUE(missing.names.empty());
    EXPECT_EQ(missing.field, temp / "not-there");

    // An AWD file in the root of a drive is listed with that root; with the current directory on
    // that drive, an empty path must still list nothing: "\*.*" would find that root's files.
    ScratchDrive drive(temp.Path());
    ASSERT_FALSE(drive.Root().empty()) << "no drive root to write";
    const std::string probe = drive.Root() + drive.Own(".awd");
    const std::string current = drive.Root() + drive.Own("-current");
    ASSERT_TRUE(WriteText(probe, "")) << probe;
    const Listing root = Listed(drive.Root());
    ::CreateDirectoryA(current.c_str(), nullptr);
    char saved[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    const bool moved = ::SetCurrentDirectoryA(current.c_str());
    const Listing pathless = Listed("");
    ::SetCurrentDirectoryA(saved);
    ::DeleteFileA(probe.c_str());
    ::RemoveDirectoryA(current.c_str());
    EXPECT_EQ(root.field, drive.Root());
    EXPECT_EQ(root.details.count(drive.Own(".awd")), 1u);
    ASSERT_TRUE(moved) << current;
    EXPECT_TRUE(pathless.names.empty());
}
