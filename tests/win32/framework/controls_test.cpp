// The control wrappers against the real common controls.
#include "framework/progress_ctrl.h"
#include "win32/framework/test_dialog.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

#include <string>

TEST(ControlWrappers, ListTextOfAnyLengthAndCheckBoxes) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        CListCtrl& list = dlg.m_list;
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        EXPECT_EQ(0, list.InsertColumn(0, "Awd Files", LVCFMT_LEFT, 180));
        EXPECT_EQ(1, list.InsertColumn(1, "Size"));
        // A name the code page may lack comes back whole.
        ASSERT_EQ(0, list.InsertItem(0, L"Факс 1.awd"));
        const std::string longText(700, 'x');
        EXPECT_TRUE(list.SetItemText(0, 1, longText.c_str()));
        EXPECT_EQ(std::wstring(longText.begin(), longText.end()), list.GetItemText(0, 1).GetString());
        EXPECT_STREQ(L"Факс 1.awd", list.GetItemText(0, 0));
        EXPECT_FALSE(list.GetCheck(0));
        list.SetCheck(0, TRUE);
        EXPECT_TRUE(list.GetCheck(0));
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(0, list.GetItemCount());
        dlg.EndDialog(IDOK);
    });
}

TEST(ControlWrappers, ProgressRangeStepAndPosition) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        CProgressCtrl progress;
        ASSERT_TRUE(progress.Attach(dlg.GetDlgItem(IDC_PROGRESS)));
        progress.SetRange(0, 3);
        progress.SetStep(1);
        progress.SetPos(0);
        progress.StepIt();
        progress.StepIt();
        EXPECT_EQ(2, progress.SendMessage(PBM_GETPOS));
        EXPECT_EQ(3, progress.SendMessage(PBM_GETRANGE, FALSE));
        progress.Detach();
        dlg.EndDialog(IDOK);
    });
}
