// An archive: with Subfolders ticked every folder below is converted into the same folders of the
// output, and "Skip converted" on a second run keeps every output no older than its AWD file,
// untouched, and names it in the row's tip; a document made newer since is converted again.
#include "conversion_fixture.h"

#include "framework/file_names.h"
#include "ui/resource.h"
#include "win32/ui/ui_test_support.h"

namespace {
// The file's last write in seconds, after setting it to second `second` of year `year` when given.
ULONGLONG LastWrite(const std::string& path, WORD year = 0, WORD second = 0) {
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const SYSTEMTIME utc{year, 1, 0, 1, 0, 0, second, 0};
    FILETIME time{};
    EXPECT_TRUE(year ? ::SystemTimeToFileTime(&utc, &time) && ::SetFileTime(file, nullptr, nullptr, &time)
                     : ::GetFileTime(file, nullptr, nullptr, &time));
    ::CloseHandle(file);
    return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000000;
}

TEST_F(ConversionTest, SkipConvertedKeepsWhatIsNoOlderThanItsDocument) {
    const std::string fax = Folder("fax"), out = Folder("out");
    // A name the code page cannot spell shows whole in the tip where names are wide.
    const std::string kept = files::WideNames() ? "Факс" : "kept";
    const std::vector<std::string> stems{"same second", "2019\\older", "2019\\03\\" + kept, "2020\\newer"};
    for (const char* below : {"2019", "2019\\03", "2020", "empty"})
        ::CreateDirectoryA((fax + "\\" + below).c_str(), nullptr);
    Results results;
    for (const std::string& stem : stems) {
        WriteFaxFixture(fax + "\\" + stem + ".awd", 1, static_cast<unsigned>(results.size()) + 1);
        results[stem + ".awd"] = "Skipped";
    }
    const auto tickSubfolders = [&](HWND dialog) {
        ::CheckDlgButton(dialog, IDC_SUBFOLDERS, BST_CHECKED);
        SelectFolder(dialog, fax);
        TickAll(dialog);
        TypeOutputFolder(dialog, out);
    };
    EXPECT_EQ(ConvertFolder(fax, out.c_str(), nullptr, tickSubfolders).size(), stems.size());
    for (const std::string& stem : stems)
        EXPECT_EQ(ReadFaxPages(out + "\\" + stem + ".tif"), ReadFaxPages(fax + "\\" + stem + ".awd")) << stem;
    // Times a conversion now could not leave: outputs of 2015 from documents of 2010, but one document
    // a second after its output (FAT keeps two-second steps) and one a year after.
    ULONGLONG made = 0;
    for (const std::string& stem : stems) {
        LastWrite(fax + "\\" + stem + ".awd", 2010);
        made = LastWrite(out + "\\" + stem + ".tif", 2015);
    }
    LastWrite(fax + "\\same second.awd", 2015, 1);
    LastWrite(fax + "\\2020\\newer.awd", 2016);
    results["2020\\newer.awd"] = "OK";
    const std::string bytes = ReadFile(out + "\\2019\\older.tif");
    const auto look = [&](HWND dialog) {
        EXPECT_EQ(ResultTipOf(dialog, RowOf(dialog, "2019\\03\\" + kept + ".awd")),
                  "Already converted into " + out + "\\2019\\03\\" + kept +
                      ".tif (untick Skip converted to convert it again)");
        EXPECT_EQ(ProgressOf(dialog).pos, 4);
        EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_ACCOUNT)).rfind("1 converted, 3 skipped in ", 0), 0u);
    };
    const auto tickSkip = [&](HWND dialog) {
        tickSubfolders(dialog);
        ::CheckDlgButton(dialog, IDC_SKIP_CONVERTED, BST_CHECKED);
    };
    EXPECT_EQ(ConvertFolder(fax, out.c_str(), look, tickSkip), results);
    EXPECT_EQ(ReadFile(out + "\\2019\\older.tif"), bytes);
    for (const std::string& stem : {stems[0], stems[1], stems[2]})
        EXPECT_EQ(LastWrite(out + "\\" + stem + ".tif"), made) << stem << " was written again";
}
} // namespace
