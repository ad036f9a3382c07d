// What the main dialog does with its commands and keys: Select All, Enter, Escape, close.
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

namespace {
void FillRows(CConverterDlg& d, int count) {
    for (int i = 0; i < count; ++i)
        d.m_listFiles.InsertItem(i, "page.awd");
}

int TickedRows(CConverterDlg& d) {
    int ticked = 0;
    for (int i = 0; i < d.m_listFiles.GetItemCount(); ++i)
        ticked += (d.m_listFiles.GetItemState(i, LVIS_STATEIMAGEMASK) >> 12) == 2;
    return ticked;
}
} // namespace

TEST(MainDialogCommands, SelectAllTicksAndUnticksEveryRow) {
    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        HWND box = dlg.GetDlgItem(IDC_SELECT_ALL);
        ::SendMessageA(box, BM_CLICK, 0, 0); // no rows yet: nothing to do
        ::SendMessageA(box, BM_CLICK, 0, 0);
        FillRows(dlg, 5);
        dlg.m_listFiles.SetCheck(2, TRUE);
        ::SendMessageA(box, BM_CLICK, 0, 0);
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(box, BM_GETCHECK, 0, 0));
        EXPECT_EQ(5, TickedRows(dlg));
        ::SendMessageA(box, BM_CLICK, 0, 0);
        EXPECT_EQ(0, TickedRows(dlg));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(1u, dlg.m_listFiles.GetItemState(i, LVIS_STATEIMAGEMASK) >> 12)
                << "unticked, not blank";
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(MainDialogCommands, EnterInTheOutputFieldClosesWithOkAndKeepsTheText) {
    CConverterDlg dlg;
    const INT_PTR result = RunModal(dlg, [&](CDialog&) {
        HWND edit = dlg.GetDlgItem(IDC_OUTPUT_FOLDER);
        ::SetWindowTextA(edit, "C:\\out");
        ::SetFocus(edit);
        PostKey(edit, VK_RETURN);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("C:\\out", dlg.m_strOutputFolder);
}

TEST(MainDialogCommands, EscapeClosesWithCancel) {
    CConverterDlg dlg;
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](CDialog&) { PostKey(dlg.GetDlgItem(IDC_LIST_FILES), VK_ESCAPE); }));
}

TEST(MainDialogCommands, CloseBoxClosesWithCancel) {
    CConverterDlg dlg;
    EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](CDialog&) { dlg.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }));
}

TEST(MainDialogCommands, GoWithoutAnyFolderStartsNothing) {
    CConverterDlg dlg;
    EXPECT_EQ(IDABORT, RunModal(dlg, [&](CDialog&) {
                  ::SendMessageA(dlg.GetDlgItem(IDC_GO), BM_CLICK, 0, 0);
                  PumpMessages();
                  EXPECT_NE(nullptr, dlg.m_hWnd);
                  EXPECT_FALSE(dlg.m_bWorkerRunning);
                  EXPECT_TRUE(::IsWindowEnabled(dlg.GetDlgItem(IDC_GO)));
                  dlg.EndDialog(IDABORT);
              }));
}
