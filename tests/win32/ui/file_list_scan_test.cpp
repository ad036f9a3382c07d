// What a folder selection lists: the names that qualify, in the file system's order, with their
// size and local last-write time as the list shows them.
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

// Sizes are whole byte counts; times local as Explorer shows them, on a 24-hour clock: on NT-based
// Windows with the daylight-saving offset of each file's own date, on 95, 98 and Me with today's.
// Run in the zones that win32_tests.cmake gives; elsewhere nothing is known to expect.
TEST(FolderScanInZone, SizesInBytesAndLocalTimesOnATwentyFourHourClockEachWithItsOwnDatesOffset) {
    char zone[64] = "";
    ::GetEnvironmentVariableA("TZ", zone, sizeof(zone));
    TIME_ZONE_INFORMATION now{};
    const bool summer = ::GetTimeZoneInformation(&now) == TIME_ZONE_ID_DAYLIGHT;
    const bool today = (::GetVersion() & 0x80000000) != 0; // today's offset for every date
    if (std::string(zone) == "CET-1CEST,M3.5.0,M10.5.0/3")
        ExpectShown({{"winter.awd", 0, Utc(2019, 3, 4, 14, 15),
                      today && summer ? "0,2019.03.04 16:15" : "0,2019.03.04 15:15"},
                     {"summer.awd", 1234, Utc(2019, 7, 4, 13, 15),
                      today && !summer ? "1234,2019.07.04 14:15" : "1234,2019.07.04 15:15"},
                     {"new-year.awd", 5000000000ull, Utc(2019, 12, 31, 23, 30),
                      today && summer ? "5000000000,2020.01.01 01:30" : "5000000000,2020.01.01 00:30"}});
    else if (std::string(zone) == "EST+5EDT,M3.2.0,M11.1.0")
        ExpectShown({{"winter.awd", 1, Utc(2019, 3, 4, 20, 15), "1,2019.03.04 15:15"},
                     {"summer.awd", 1, Utc(2019, 7, 4, 19, 15), "1,2019.07.04 15:15"},
                     {"evening.awd", 1, Utc(2019, 7, 5, 0, 30), "1,2019.07.04 20:30"}});
    else
        GTEST_SKIP() << "no time zone known to this test (TZ)";
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
