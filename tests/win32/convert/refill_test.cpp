// The tree, the list, Select All and Save Dir stay usable during a batch: the batch works on
// what was there when Go was pressed, and its results land only on the rows they belong to.
#include "conversion_fixture.h"

namespace {
class FolderChangeDuringBatch : public ConversionTest {};

TEST_F(FolderChangeDuringBatch, ResultsLandNowhereAfterARefillAndOutputsStayWhereGoSaid) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    const std::string other = Folder("other");
    const std::string out = Folder("out");
    WriteFaxFixture(fax + "\\slow.awd", 1, 1);
    for (const char* name : {"b.awd", "c.awd"})
        WriteFaxFixture(fax + "\\" + name, 1, 2);
    WriteFaxFixture(other + "\\x.awd", 1, 3);

    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"slow.awd", "b.awd", "c.awd"});
        for (int i = 0; i < 3; ++i)
            TickRow(dialog, i);
        ::SetDlgItemTextA(dialog.m_hWnd, 1005, out.c_str());
        ClickGo(dialog);
        EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(1009))) << "disabled before the worker's first step";
        Serve(300);
        ASSERT_TRUE(dialog.m_bWorkerRunning);
        const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
        dialog.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.m_hWnd), overClient);
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT)) << "the wait cursor during a batch";
        EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(1009))) << "Go is disabled during a batch";

        // Another folder is selected while the first file renders, and Go is clicked again.
        ShowFolder(dialog, other, {"x.awd", "y.awd", "z.awd"});
        TickRow(dialog, 0);
        ClickGo(dialog);
        ASSERT_TRUE(Serve(30000, [&] { return !dialog.m_bWorkerRunning; }));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(ResultOf(dialog, i), "") << "row " << i << " is another file now";
        EXPECT_EQ(dialog.m_progress.GetPos(), 0) << "no step of the old batch lands on the new list";
        EXPECT_EQ(OutputFieldOf(dialog), other);
        dialog.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.m_hWnd), overClient);
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW)) << "the arrow again after it";
    });
    EXPECT_EQ(StubLog().size(), 3u) << "one batch, three files";
    for (const char* name : {"slow.tif", "b.tif", "c.tif"})
        EXPECT_TRUE(FileExists(out + "\\" + name)) << name;
    EXPECT_TRUE(ListFiles(other, "*.tif").empty());
}

TEST_F(FolderChangeDuringBatch, TickingAndUntickingDuringABatchChangesNothingOfIt) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\slow.awd", 1, 1);
    WriteFaxFixture(fax + "\\b.awd", 1, 2);
    WriteFaxFixture(fax + "\\c.awd", 1, 2);
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"slow.awd", "b.awd", "c.awd"});
        TickRow(dialog, 0);
        TickRow(dialog, 1);
        ClickGo(dialog);
        Serve(300);
        TickRow(dialog, 1, false);
        TickRow(dialog, 2, true);
        ASSERT_TRUE(Serve(30000, [&] { return !dialog.m_bWorkerRunning; }));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        EXPECT_EQ(ResultOf(dialog, 1), "OK");
        EXPECT_EQ(ResultOf(dialog, 2), "");
        EXPECT_EQ(dialog.m_progress.GetPos(), 3);
    });
}
} // namespace
