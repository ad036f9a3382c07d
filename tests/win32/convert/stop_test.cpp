// Stop in a batch, the line under the list that tells how a batch went, and the rows copied.
#include "conversion_fixture.h"

#include "convert/stop_request.h"
#include "win32/ui/ui_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <regex>

namespace {
const char kStopped[] = "The conversion was stopped before the renderer finished: convert the file again";
const char kDamaged[] = "The renderer wrote no TIFF: is the AWD file damaged?";

class StopDuringBatch : public ConversionTest {
protected:
    ScopedGeneration m_generation{7}; // the fax viewer program, which a stop ends
};

TEST_F(StopDuringBatch, TheFileInHandIsGivenUpTheRestLeftAndTheNextGoConvertsAsUsual) {
    const std::string fax = Folder("fax"), out = Folder("out"), bad = "Łódź.awd"; // beyond the code page
    // Whatever order the disk lists them in, one hanging document comes after the other.
    for (const char* name : {"a.awd", "hang1.awd", "hang2.awd"})
        WriteFaxFixture(fax + "\\" + name, 1, 5);
    ASSERT_TRUE(WriteText(fax + "\\bad", "not a fax") &&
                ::MoveFileW(Wide(fax + "\\bad").c_str(), Wide(fax + "\\" + bad).c_str()));
    ClearStandInLogs();
    WithMainDialog([&](HWND dialog) {
        // The line under the list, with the time it gives masked.
        const auto account = [&] {
            return std::regex_replace(TextOf(::GetDlgItem(dialog, 1017)), std::regex("in \\d+ s"), "in N s");
        };
        SelectFolder(dialog, fax);
        const int a = RowOf(dialog, "a.awd"), failed = RowOf(dialog, bad);
        const int hang = std::min(RowOf(dialog, "hang1.awd"), RowOf(dialog, "hang2.awd")), before = a < hang;
        TickAll(dialog);
        Tick(dialog, failed, false);
        TypeOutputFolder(dialog, out);
        PressGo(dialog);
        // The viewer logs its command line as it starts, and the hanging one its process then.
        ASSERT_TRUE(Serve(20000, [&] { return StubLog().size() == static_cast<size_t>(before) + 2; }));
        const std::string converting = "Converting " + std::to_string(before + 1) + " of 3...";
        EXPECT_TRUE(Serve(2000, [&] { return account() == converting; })) << account(); // shown within 100 ms
        ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, 1016)));
        Press(dialog, 1016);
        ASSERT_TRUE(WaitForBatchEnd(dialog, kStopGraceMs + 3000)) << "the hanging viewer was waited for";
        for (int row = 0; row < RowCount(dialog); ++row)
            EXPECT_EQ(ResultOf(dialog, row), row == hang ? "Fail" : row == a && before ? "OK" : "") << row;
        EXPECT_EQ(ListFiles(out), std::vector<std::string>(before, "a.tif")); // nothing of the hanging one
        EXPECT_EQ(ProgressOf(dialog), (Progress{hang + 1, 0, 4}));
        EXPECT_EQ(account(), std::to_string(before) + " converted, 1 failed in N s; stopped: " +
                                 std::to_string(2 - before) + " not reached");

        Tick(dialog, RowOf(dialog, "hang1.awd"), false);
        Tick(dialog, RowOf(dialog, "hang2.awd"), false);
        Tick(dialog, failed);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1016)));
        EXPECT_EQ(ResultOf(dialog, a) + ResultOf(dialog, failed), "OKFail");
        EXPECT_EQ(account(), "1 converted, 1 failed in N s");
        // Ctrl+C copies the selected rows (one first, then all of them after Ctrl+A) with their reasons.
        const auto copied = [&](int row, const std::string& reason) {
            return CellOf(dialog, row, 0) + "\t" + CellOf(dialog, row, 1) + "\t" + CellOf(dialog, row, 2) +
                   "\t" + ResultOf(dialog, row) + "\t" + reason + "\r\n";
        };
        ListView_SetItemState(::GetDlgItem(dialog, 1001), failed, LVIS_SELECTED, LVIS_SELECTED);
        PressCtrlKeyInList(dialog, 'C');
        EXPECT_EQ(ClipboardText(), copied(failed, kDamaged));
        PressCtrlKeyInList(dialog, 'A');
        PressCtrlKeyInList(dialog, 'C');
        std::string all;
        for (int row = 0; row < RowCount(dialog); ++row)
            all += copied(row, row == hang ? kStopped : row == failed ? kDamaged : "");
        EXPECT_EQ(ClipboardText(), all);
    });
}
} // namespace
