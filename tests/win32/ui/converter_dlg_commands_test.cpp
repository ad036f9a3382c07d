// What the main dialog does with its commands and keys: Select All, Enter, Escape, close, Go.
#include "temp_folder.h"
#include "ui/resource.h"
#include "win32/dialog_driver.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

TEST(MainDialogCommands, GoWithoutAFolderStartsNothingAndSelectAllTicksAndUnticksEveryRow) {
    TempFolder folder("select-all");
    for (const char* name : {"a.awd", "b.awd", "c.awd", "d.awd", "e.awd"})
        folder.MakeFile(name);
    WithMainDialog([&](HWND dialog) {
        EXPECT_TRUE(GoEnabled(dialog));
        PressGo(dialog);
        EXPECT_TRUE(GoEnabled(dialog)) << "a batch started";
        EXPECT_EQ(ProgressOf(dialog).high, 100) << "the bar was set up for a batch";

        const HWND box = ::GetDlgItem(dialog, IDC_SELECT_ALL);
        const auto checks = [&] {
            std::vector<int> all;
            for (int row = 0; row < RowCount(dialog); ++row)
                all.push_back(CheckOf(dialog, row));
            return all;
        };
        ::SendMessageA(box, BM_CLICK, 0, 0); // no rows yet: nothing to do
        ::SendMessageA(box, BM_CLICK, 0, 0);
        SelectFolder(dialog, folder.Path());
        Tick(dialog, 2);
        ::SendMessageA(box, BM_CLICK, 0, 0);
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(box, BM_GETCHECK, 0, 0));
        EXPECT_EQ(checks(), std::vector<int>(5, 2));
        ::SendMessageA(box, BM_CLICK, 0, 0);
        EXPECT_EQ(checks(), std::vector<int>(5, 1)) << "unticked, not blank";
    });
}

TEST(MainDialogCommands, EnterInTheOutputFieldClosesWithOkEscapeAndTheCloseBoxWithCancel) {
    EXPECT_EQ(IDOK, RunMainDialog([](HWND dialog) {
                  const HWND edit = ::GetDlgItem(dialog, IDC_OUTPUT_FOLDER);
                  TypeOutputFolder(dialog, "C:\\out");
                  ::SetFocus(edit);
                  PostKey(edit, VK_RETURN);
              }));
    EXPECT_EQ(IDCANCEL,
              RunMainDialog([](HWND dialog) { PostKey(::GetDlgItem(dialog, IDC_LIST_FILES), VK_ESCAPE); }));
    EXPECT_EQ(IDCANCEL,
              RunMainDialog([](HWND dialog) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
}
