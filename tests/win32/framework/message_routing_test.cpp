// Message maps, reflection to the control's own object, Default(), and the modal loop's
// PreTranslateMessage walk.
#include "win32/framework/test_dialog.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <thread>

TEST(MessageRouting, ControlNotificationsGoToTheControlsObjectFirst) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        ::SendMessageA(dlg.GetDlgItem(IDC_SELECT_ALL), BM_CLICK, 0, 0);
        EXPECT_EQ(1, dlg.m_button.clicks) << "reflected to the subclassed check box";
        EXPECT_EQ(0, dlg.m_parentClicks) << "and not seen by the dialog's own entry";
        ::SendMessageA(dlg.GetDlgItem(IDC_GO), BM_CLICK, 0, 0);
        EXPECT_EQ(1, dlg.m_goClicks) << "a control without an object of its own: the dialog's entry";

        EXPECT_EQ(0, dlg.m_list.InsertItem(0, L"a.awd"));
        EXPECT_EQ(1, dlg.m_list.inserts);
        EXPECT_EQ(0, dlg.m_parentInserts);

        HWND tree = dlg.GetDlgItem(IDC_TREE_FOLDERS);
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>("C:\\");
        TreeView_SelectItem(tree, TreeView_InsertItem(tree, &insert));
        EXPECT_EQ(1, dlg.m_treeSelections) << "WM_NOTIFY of a control without an object: the dialog's entry";
        dlg.EndDialog(IDOK);
    });
}

TEST(MessageRouting, ControlColoursComeFromTheControlWhenItGivesABrushAndDefaultRunsTheWindowsOwn) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        HDC dc = ::GetDC(dlg.m_hWnd);
        const auto brush = [&] {
            return reinterpret_cast<HBRUSH>(
                dlg.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_OUTPUT_FOLDER))));
        };
        dlg.m_edit.brush = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        EXPECT_EQ(dlg.m_edit.brush, brush());
        dlg.m_edit.brush = nullptr;
        EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW), brush()) << "no brush: the system's colours";
        ::ReleaseDC(dlg.m_hWnd, dc);

        // Default() runs the window's own handling.
        dlg.m_edit.SetWindowText("D:\\faxes");
        EXPECT_EQ("D:\\faxes", dlg.m_edit.lastText);
        CString text;
        dlg.m_edit.GetWindowText(text);
        EXPECT_STREQ("D:\\faxes", text);
        dlg.EndDialog(IDOK);
    });
}

TEST(MessageRouting, MapsAreScannedInOrderMostDerivedFirst) {
    TestDialog dlg;
    dlg.m_blockCancel = true;
    RunModal(dlg, [&](CDialog&) {
        EXPECT_EQ(1, dlg.SendMessage(WM_TEST_TWICE)) << "the first of two entries wins";
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
        EXPECT_EQ(1, dlg.m_blockedCancels) << "the dialog's own entry comes before the base class's";
        EXPECT_NE(nullptr, dlg.m_hWnd);
        dlg.m_blockCancel = false;
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(MessageRouting, ModalLoopOffersMessagesFromTheTargetUpToTheDialog) {
    // A pointer resting where the dialog opens (the progress bar at the screen's middle) moves there too.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    g_seen.clear();
    TestDialog dlg;
    bool checked = false;
    const INT_PTR result = RunModal(dlg, [&](CDialog&) {
        HWND list = dlg.GetDlgItem(IDC_LIST_FILES);
        dlg.m_list.consumeEscape = true;
        dlg.m_checkpoint = [&dlg, &checked, list] {
            checked = true;
            EXPECT_EQ((std::vector<std::string>{"list:move", "dialog:move", "list:key"}), g_seen);
            EXPECT_NE(nullptr, dlg.m_hWnd) << "the consumed Escape never reached the dialog";
            dlg.m_list.consumeEscape = false;
            PostKey(list, VK_ESCAPE);
        };
        ::PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        PostKey(list, VK_ESCAPE);
        dlg.PostMessage(WM_TEST_CHECKPOINT);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(IDCANCEL, result);
}

TEST(MessageRouting, ObjectsLetGoOfTheirWindowsWhenTheyAreDestroyed) {
    TestDialog dlg;
    HWND button = nullptr;
    RunModal(dlg, [&](CDialog&) {
        button = dlg.m_button.m_hWnd;
        EXPECT_EQ(&dlg.m_button, CWnd::FromHandlePermanent(button));
        EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
        dlg.EndDialog(IDOK);
    });
    EXPECT_FALSE(::IsWindow(button));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_button.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_list.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_edit.m_hWnd);
    // The same objects can run the dialog again.
    EXPECT_EQ(IDOK, RunModal(dlg, [&](CDialog&) {
                  EXPECT_NE(nullptr, dlg.m_button.m_hWnd);
                  dlg.EndDialog(IDOK);
              }));
}

// The map from windows to objects is the process's: a thread other than the window's finds the
// object, cannot bind a second one, and finds none once the window is gone.
TEST(MessageRouting, AnyThreadFindsAWindowsObjectUntilTheWindowIsGone) {
    CWnd object;
    ASSERT_TRUE(object.CreateEx(0, "STATIC", "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    const HWND window = object.m_hWnd;
    CWnd* found = nullptr;
    CWnd second;
    BOOL bound = TRUE;
    std::thread([&] {
        found = CWnd::FromHandlePermanent(window);
        bound = second.SubclassWindow(window);
    }).join();
    EXPECT_EQ(&object, found);
    EXPECT_FALSE(bound) << "a window has one object";
    object.DestroyWindow();
    std::thread([&] { found = CWnd::FromHandlePermanent(window); }).join();
    EXPECT_EQ(nullptr, found);
}
