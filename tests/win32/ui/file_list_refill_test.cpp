// The main dialog's list after a folder selection: one unticked text-only row per AWD file, the
// output field showing the folder, and every earlier row gone.
#include "folder_tree_host.h"
#include "temp_folder.h"
#include "ui_test_support.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

namespace {
LRESULT Select(CConverterDlg& dlg, const std::string& folder) {
    return dlg.SendMessage(WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(folder.c_str()), 0);
}

std::string OutputField(const CConverterDlg& dlg) {
    char text[MAX_PATH * 2] = "";
    ::GetDlgItemTextA(dlg.m_hWnd, IDC_OUTPUT_FOLDER, text, sizeof(text));
    return text;
}

std::string Cell(const CConverterDlg& dlg, int row, int column) {
    return dlg.m_listFiles.GetItemText(row, column).GetString();
}

int StateImage(const CConverterDlg& dlg, int row) {
    return static_cast<int>(dlg.m_listFiles.GetItemState(row, LVIS_STATEIMAGEMASK) >> 12);
}

LPARAM ItemData(const CConverterDlg& dlg, int row) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = -1;
    dlg.m_listFiles.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

} // namespace

TEST(FileListRefill, EachSelectionReplacesTheRowsAndTheOutputFolder) {
    TempFolder first("refill-a");
    const SYSTEMTIME afternoon = Utc(2008, 5, 12, 13, 5);
    first.MakeFile("one.awd", 4321, &afternoon);
    first.MakeFile("skip.txt", 1, &afternoon);
    TempFolder second("refill-b");
    for (const char* name : {"x.awd", "y.AWD", "z.awd"})
        second.MakeFile(name, 7, &afternoon);

    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        const unsigned generation = dlg.m_nListGeneration;
        EXPECT_EQ(Select(dlg, first.Path()), 1);
        EXPECT_EQ(dlg.m_nListGeneration, generation + 1);
        ASSERT_EQ(dlg.m_listFiles.GetItemCount(), 1);
        EXPECT_EQ(Cell(dlg, 0, 0), "one.awd");
        EXPECT_EQ(Cell(dlg, 0, 1), "4321");
        EXPECT_EQ(Cell(dlg, 0, 2), "2008.05.12 01:05");
        EXPECT_EQ(Cell(dlg, 0, 3), "");
        EXPECT_EQ(StateImage(dlg, 0), 1) << "unticked";
        EXPECT_EQ(ItemData(dlg, 0), 0);
        EXPECT_EQ(OutputField(dlg), first.Path());
        EXPECT_STREQ(dlg.m_strOutputFolder, first.Path().c_str());
        EXPECT_STREQ(dlg.m_strSourceFolder, first.Path().c_str());

        // A folder chosen with Save Dir holds until the next selection.
        ::SetDlgItemTextA(dlg.m_hWnd, IDC_OUTPUT_FOLDER, "C:\\elsewhere");
        dlg.m_listFiles.SetItemText(0, 3, "OK");
        EXPECT_EQ(Select(dlg, second.Path()), 1);
        EXPECT_EQ(dlg.m_nListGeneration, generation + 2);
        ASSERT_EQ(dlg.m_listFiles.GetItemCount(), 3);
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(Cell(dlg, row, 1), "7");
            EXPECT_EQ(Cell(dlg, row, 3), "");
        }
        EXPECT_EQ(OutputField(dlg), second.Path());
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(FileListRefill, RowsComeUntickedWhileSelectAllStaysTicked) {
    TempFolder first("ticks-a");
    first.MakeFile("a.awd");
    first.MakeFile("b.awd");
    TempFolder second("ticks-b");
    second.MakeFile("c.awd");
    second.MakeFile("d.awd");

    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        Select(dlg, first.Path());
        HWND box = dlg.GetDlgItem(IDC_SELECT_ALL);
        ::SendMessageA(box, BM_CLICK, 0, 0);
        ASSERT_EQ(StateImage(dlg, 0), 2);
        ASSERT_EQ(StateImage(dlg, 1), 2);

        Select(dlg, second.Path());
        EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
        ASSERT_EQ(dlg.m_listFiles.GetItemCount(), 2);
        EXPECT_EQ(StateImage(dlg, 0), 1);
        EXPECT_EQ(StateImage(dlg, 1), 1);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(FileListRefill, AFolderThatCannotBeReadEmptiesTheListButStillSetsTheOutputFolder) {
    TempFolder temp("unreadable");
    temp.MakeFile("a.awd");
    const std::string missing = temp / "missing";

    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        Select(dlg, temp.Path());
        ASSERT_EQ(dlg.m_listFiles.GetItemCount(), 1);
        EXPECT_EQ(Select(dlg, missing), 1);
        EXPECT_EQ(dlg.m_listFiles.GetItemCount(), 0);
        EXPECT_EQ(OutputField(dlg), missing);

        Select(dlg, temp.Path());
        EXPECT_EQ(Select(dlg, ""), 1) << "an item without a path";
        EXPECT_EQ(dlg.m_listFiles.GetItemCount(), 0);
        EXPECT_EQ(OutputField(dlg), "");
        EXPECT_STREQ(dlg.m_strSourceFolder, "");
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(FileListRefill, SelectingInTheDialogsTreeListsThatFolder) {
    TempFolder temp("dialog-tree");
    temp.MakeFile("fax.awd");
    temp.MakeFolder("sub");

    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        EXPECT_EQ(dlg.m_listFiles.GetItemCount(), 0) << "nothing selected at start";
        EXPECT_EQ(dlg.m_treeFolders.GetSelectedItem(), nullptr);
        HTREEITEM folder = ExpandToPath(dlg.m_treeFolders, temp.Path());
        ASSERT_NE(folder, nullptr);
        dlg.m_treeFolders.SelectItem(folder);
        ASSERT_EQ(dlg.m_listFiles.GetItemCount(), 1);
        EXPECT_EQ(Cell(dlg, 0, 0), "fax.awd");
        EXPECT_EQ(OutputField(dlg), temp.Path());

        ExpandItem(dlg.m_treeFolders, folder);
        dlg.m_treeFolders.SelectItem(dlg.m_treeFolders.GetChildItem(folder));
        EXPECT_EQ(dlg.m_listFiles.GetItemCount(), 0);
        EXPECT_EQ(OutputField(dlg), temp / "sub");
        dlg.EndDialog(IDCANCEL);
    });
}
