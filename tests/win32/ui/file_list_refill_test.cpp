// The main dialog's list after a folder selection: one unticked text-only row per AWD file, the
// output field showing the folder, and every earlier row gone.
#include "folder_tree_host.h"
#include "temp_folder.h"
#include "ui_test_support.h"
#include "ui/resource.h"
#include "win32/dialog_driver.h"

#include <gtest/gtest.h>

TEST(FileListRefill, EachSelectionReplacesTheRowsAndTheOutputFolderAndUnticksWhileSelectAllStays) {
    TempFolder first("refill-a"), second("refill-b");
    // Noon UTC: the same date in every zone but the two beyond twelve hours east.
    const SYSTEMTIME afternoon = Utc(2008, 5, 12, 12, 5);
    first.MakeFile("one.awd", 4321, &afternoon);
    first.MakeFile("skip.txt", 1, &afternoon);
    for (const char* name : {"x.awd", "y.AWD", "z.awd"})
        second.MakeFile(name, 7, &afternoon);

    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, first.Path());
        ASSERT_EQ(RowCount(dialog), 1);
        EXPECT_EQ(CellOf(dialog, 0, 0), "one.awd");
        EXPECT_EQ(CellOf(dialog, 0, 1), "4321");
        EXPECT_EQ(CellOf(dialog, 0, 2).substr(0, 11), "2008.05.12 ");
        EXPECT_EQ(CellOf(dialog, 0, 3), "");
        EXPECT_EQ(CheckOf(dialog, 0), 1) << "unticked";
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.lParam = -1;
        ::SendDlgItemMessageA(dialog, IDC_LIST_FILES, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.lParam, 0);
        EXPECT_EQ(OutputFolderOf(dialog), first.Path());

        // A folder chosen with Save Dir holds until the next selection; an earlier result goes
        // with its row; Select All stays ticked but the new rows come unticked.
        TypeOutputFolder(dialog, "C:\\elsewhere");
        LVITEMA result{};
        result.iSubItem = 3;
        result.pszText = const_cast<char*>("OK");
        ::SendDlgItemMessageA(dialog, IDC_LIST_FILES, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&result));
        HWND box = ::GetDlgItem(dialog, IDC_SELECT_ALL);
        ::SendMessageA(box, BM_CLICK, 0, 0);
        ASSERT_EQ(CheckOf(dialog, 0), 2);
        SelectFolder(dialog, second.Path());
        EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
        ASSERT_EQ(RowCount(dialog), 3);
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(CellOf(dialog, row, 1), "7");
            EXPECT_EQ(ResultOf(dialog, row), "");
            EXPECT_EQ(CheckOf(dialog, row), 1);
        }
        EXPECT_EQ(OutputFolderOf(dialog), second.Path());
    });
}

TEST(FileListRefill, AFolderThatCannotBeReadEmptiesTheListButStillSetsTheOutputFolder) {
    TempFolder temp("unreadable");
    temp.MakeFile("a.awd");
    const std::string missing = temp / "missing";

    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, temp.Path());
        ASSERT_EQ(RowCount(dialog), 1);
        SelectFolder(dialog, missing);
        EXPECT_EQ(RowCount(dialog), 0);
        EXPECT_EQ(OutputFolderOf(dialog), missing);

        SelectFolder(dialog, temp.Path());
        SelectFolder(dialog, ""); // an item without a path
        EXPECT_EQ(RowCount(dialog), 0);
        EXPECT_EQ(OutputFolderOf(dialog), "");
        PressGo(dialog);
        EXPECT_TRUE(GoEnabled(dialog)) << "a batch started without a folder";
    });
}

TEST(FileListRefill, SelectingInTheDialogsTreeListsThatFolder) {
    TempFolder temp("dialog-tree");
    temp.MakeFile("fax.awd");
    temp.MakeFolder("sub");

    WithMainDialog([&](HWND dialog) {
        const HWND tree = ::GetDlgItem(dialog, IDC_TREE_FOLDERS);
        EXPECT_EQ(TreeView_GetSelection(tree), nullptr) << "nothing selected at start";
        HTREEITEM folder = SelectInTree(dialog, temp.Path());
        ASSERT_NE(folder, nullptr);
        ASSERT_TRUE(WaitForListing(dialog, temp.Path()));
        ASSERT_EQ(RowCount(dialog), 1);
        EXPECT_EQ(CellOf(dialog, 0, 0), "fax.awd");
        EXPECT_EQ(OutputFolderOf(dialog), temp.Path());

        ExpandItem(tree, folder);
        TreeView_SelectItem(tree, TreeView_GetChild(tree, folder));
        EXPECT_EQ(RowCount(dialog), 0);
        EXPECT_EQ(OutputFolderOf(dialog), temp / "sub");
    });
}
