// The results are where the user looks: Go brings the result column into view, and each row is
// scrolled into view as its result lands.
#include "conversion_fixture.h"

#include <commctrl.h>

namespace {
class ResultsInView : public ConversionTest {};

RECT ResultCell(HWND dialog, int row) {
    RECT cell{};
    cell.top = 3;
    cell.left = LVIR_BOUNDS;
    ::SendDlgItemMessageA(dialog, 1001, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&cell));
    return cell;
}

TEST_F(ResultsInView, GoShowsTheResultColumnAndEachRowAsItsResultLands) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\x0.awd", 1, 2);
    for (int i = 1; i < 40; ++i)
        CopyFixture(fax + "\\x0.awd", fax + "\\x" + std::to_string(i) + ".awd");
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, fax);
        Tick(dialog, 39);
        RECT client;
        ::GetClientRect(::GetDlgItem(dialog, 1001), &client);
        const RECT before = ResultCell(dialog, 39);
        ASSERT_GT(before.right, client.right) << "the column starts out of view";
        ASSERT_GT(before.bottom, client.bottom) << "the row starts out of view";
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 39), "OK");
        const RECT after = ResultCell(dialog, 39);
        EXPECT_GE(after.left, client.left);
        EXPECT_LE(after.right, client.right);
        EXPECT_GE(after.top, client.top);
        EXPECT_LE(after.bottom, client.bottom);
    });
}
} // namespace
