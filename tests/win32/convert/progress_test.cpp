// One progress step per row, ticked or not; results only on the rows converted.
#include "conversion_fixture.h"

#include <commctrl.h>

namespace {
using BatchProgress = ConversionTest;

TEST_F(BatchProgress, EveryRowStepsOnceAndOnlyTickedRowsGetResultsAndMoreThan65535RowsFillTheBar) {
    constexpr int kRows = 70000;
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    for (const char* name : {"one.awd", "two.awd", "three.awd"})
        WriteFaxFixture(fax + "\\" + name, 1, 4);
    WithMainDialog([&](HWND dialog) {
        // An empty list still runs a batch, which ends at once.
        SelectFolder(dialog, Folder("empty"));
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ProgressOf(dialog), (Progress{0, 0, 0}));

        // By row, whatever order the file system lists the files in: the rows after the last
        // ticked one still step the bar.
        SelectFolder(dialog, fax);
        Tick(dialog, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ProgressOf(dialog), (Progress{3, 0, 3}));
        Tick(dialog, 0, false);
        Tick(dialog, 1);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ((std::vector<std::string>{ResultOf(dialog, 0), ResultOf(dialog, 1), ResultOf(dialog, 2)}),
                  (std::vector<std::string>{"OK", "OK", ""}));
        EXPECT_EQ(ProgressOf(dialog), (Progress{3, 0, 3}));

        // Wine takes minutes to write a folder of 70,000 files (each new name is looked for in the
        // whole folder, in any case), so the rows come into the list of a listed folder through the
        // list's own messages; their files are not there, so no renderer starts.
        SelectFolder(dialog, Folder("many"));
        const HWND list = ::GetDlgItem(dialog, 1001);
        ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        LVITEMA row{};
        row.mask = LVIF_TEXT;
        for (row.pszText = const_cast<char*>("r.awd"); row.iItem < kRows; ++row.iItem)
            ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
        ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        ASSERT_EQ(RowCount(dialog), kRows);
        for (int ticked : {0, 40000, kRows - 1})
            Tick(dialog, ticked);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 40000), "Fail");
        EXPECT_EQ(ResultOf(dialog, 40001), "");
        EXPECT_EQ(ProgressOf(dialog), (Progress{kRows, 0, kRows}));
    });
    EXPECT_EQ(StubLog().size(), 2u) << "an unticked row or a missing file was rendered";
}
} // namespace
