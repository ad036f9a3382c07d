// The tree, the list, Select All and Save Dir stay usable during a batch: the batch works on
// what was there when Go was pressed, and its results land only on the rows they belong to.
#include "conversion_fixture.h"

namespace {
// The cursor the dialog sets for a mouse over its client area.
HCURSOR CursorOver(HWND dialog) {
    ::SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
}

using FolderChangeDuringBatch = ConversionTest;

TEST_F(FolderChangeDuringBatch, TicksAndAnotherFolderDuringABatchChangeNothingOfItAndGetNoResults) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    const std::string other = Folder("other");
    const std::string out = Folder("out");
    for (const char* name : {"slow.awd", "b.awd", "c.awd"})
        WriteFaxFixture(fax + "\\" + name, 1, name[0] == 's' ? 1 : 2);
    for (const char* name : {"x.awd", "y.awd", "z.awd"})
        WriteFaxFixture(other + "\\" + name, 1, 3);
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, fax);
        TypeOutputFolder(dialog, Folder("first"));
        Tick(dialog, RowOf(dialog, "slow.awd"));
        Tick(dialog, RowOf(dialog, "b.awd"));
        PressGo(dialog);
        Serve(300);
        Tick(dialog, RowOf(dialog, "b.awd"), false);
        Tick(dialog, RowOf(dialog, "c.awd"));
        ASSERT_TRUE(WaitForBatchEnd(dialog));
        EXPECT_EQ(ResultsOf(dialog), (Results{{"slow.awd", "OK"}, {"b.awd", "OK"}, {"c.awd", ""}}));
        EXPECT_EQ(ProgressOf(dialog).pos, 3);

        TickAll(dialog);
        TypeOutputFolder(dialog, out);
        PressGo(dialog);
        EXPECT_FALSE(GoEnabled(dialog)) << "disabled before the worker's first step";
        Serve(300);
        ASSERT_FALSE(GoEnabled(dialog)) << "the batch ended before the folder changed";
        EXPECT_EQ(CursorOver(dialog), ::LoadCursorA(nullptr, IDC_WAIT)) << "the wait cursor during a batch";
        // Another folder is selected while a file renders, and Go is clicked again.
        SelectFolder(dialog, other);
        const Progress atRefill = ProgressOf(dialog);
        Tick(dialog, RowOf(dialog, "x.awd"));
        PressGo(dialog);
        ASSERT_TRUE(WaitForBatchEnd(dialog));
        EXPECT_EQ(ResultsOf(dialog), (Results{{"x.awd", ""}, {"y.awd", ""}, {"z.awd", ""}}))
            << "the rows are other files now";
        EXPECT_EQ(ProgressOf(dialog), atRefill) << "a step of the old batch landed on the new list";
        EXPECT_EQ(OutputFolderOf(dialog), other);
        EXPECT_EQ(CursorOver(dialog), ::LoadCursorA(nullptr, IDC_ARROW)) << "the arrow again after it";
    });
    EXPECT_EQ(StubLog().size(), 5u) << "two batches, of two files and three";
    for (const char* name : {"slow.tif", "b.tif", "c.tif"})
        EXPECT_TRUE(FileExists(out + "\\" + name)) << name;
    EXPECT_TRUE(ListFiles(other, "*.tif").empty());
}
} // namespace
