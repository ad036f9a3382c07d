// One progress step per row, ticked or not; results only on the rows converted.
#include "conversion_fixture.h"

#include <commctrl.h>

namespace {
class BatchProgress : public ConversionTest {};

TEST_F(BatchProgress, ThreeRowsWithTheSecondTicked) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    for (const char* name : {"one.awd", "two.awd", "three.awd"})
        WriteFaxFixture(fax + "\\" + name, 1, 4);
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"one.awd", "two.awd", "three.awd"});
        dialog.m_listFiles.SetItemText(0, 3, "Fail");
        TickRow(dialog, 1);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "Fail") << "an unticked row keeps its text";
        EXPECT_EQ(ResultOf(dialog, 1), "OK");
        EXPECT_EQ(ResultOf(dialog, 2), "");
        EXPECT_EQ(dialog.m_progress.GetPos(), 3);
        EXPECT_EQ(dialog.m_progress.GetRangeUpper(), 3);
    });
    EXPECT_EQ(StubLog().size(), 1u);
    EXPECT_TRUE(FileExists(fax + "\\two.tif"));
    EXPECT_FALSE(FileExists(fax + "\\one.tif"));
    EXPECT_FALSE(FileExists(fax + "\\three.tif"));
}

TEST_F(BatchProgress, EmptyListsNamelessRowsAndNoFolderAtAll) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    WithDialog([&](CConverterDlg& dialog) {
        // Nothing selected, nothing typed: Go does nothing.
        ClickGo(dialog);
        EXPECT_EQ(dialog.m_bWorkerRunning, 0);
        EXPECT_EQ(dialog.m_hWorkerThread, nullptr);

        // An empty list still runs a batch, which ends at once.
        ShowFolder(dialog, fax, {});
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(dialog.m_progress.GetPos(), 0);
        EXPECT_TRUE(::IsWindowEnabled(dialog.GetDlgItem(1009)));

        // A ticked row whose name reads empty is passed over but counted.
        ShowFolder(dialog, fax, {"", "x.awd"});
        TickRow(dialog, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "");
        EXPECT_EQ(dialog.m_progress.GetPos(), 2);
    });
    EXPECT_TRUE(StubLog().empty());
}

TEST_F(BatchProgress, MoreThan65535RowsFillTheBarExactly) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    constexpr int kRows = 70000;
    WithDialog(
        [&](CConverterDlg& dialog) {
            ShowFolder(dialog, fax, {});
            dialog.m_listFiles.SendMessage(WM_SETREDRAW, FALSE);
            for (int i = 0; i < kRows; ++i)
                dialog.m_listFiles.InsertItem(i, "r.awd");
            dialog.m_listFiles.SendMessage(WM_SETREDRAW, TRUE);
            // Ticked rows among them, whose documents do not exist.
            for (int row : {0, 40000, kRows - 1})
                TickRow(dialog, row);
            ASSERT_TRUE(RunBatch(dialog, 300000));
            EXPECT_EQ(ResultOf(dialog, 40000), "Fail");
            EXPECT_EQ(ResultOf(dialog, 40001), "");
            EXPECT_EQ(dialog.m_progress.GetRangeUpper(), kRows);
            EXPECT_EQ(dialog.m_progress.GetPos(), kRows);
        },
        400000);
}
} // namespace
