// The results are where the user looks: Go brings the result column into view, and each row is
// scrolled into view as its result lands.
#include "conversion_fixture.h"

namespace {
class ResultsInView : public ConversionTest {};

RECT ResultCell(CConverterDlg& dialog, int row) {
    RECT cell{};
    cell.top = 3;
    cell.left = LVIR_BOUNDS;
    dialog.m_listFiles.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(&cell));
    return cell;
}

TEST_F(ResultsInView, GoShowsTheResultColumnAndEachRowAsItsResultLands) {
    ScopedGeneration generation(7);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\last.awd", 1, 2);
    std::vector<std::string> names;
    for (int i = 0; i < 39; ++i)
        names.push_back("x" + std::to_string(i) + ".awd");
    names.push_back("last.awd");
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, names);
        TickRow(dialog, 39);
        RECT client;
        dialog.m_listFiles.GetClientRect(&client);
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
