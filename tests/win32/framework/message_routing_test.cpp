// Message maps, reflection to the control's own object, Default(), and the modal loop's
// PreTranslateMessage walk.
#include "win32/framework/test_dialog.h"
#include "win32/modal_runner.h"
#include "framework/handle.h"

#include <gtest/gtest.h>

#include <commctrl.h>

TEST(MessageRouting, ControlNotificationsGoToTheControlsObjectFirst) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        ::SendMessageA(dlg.GetDlgItem(IDC_SELECT_ALL), BM_CLICK, 0, 0);
        EXPECT_EQ(1, dlg.m_button.clicks) << "reflected to the subclassed check box";
        EXPECT_EQ(0, dlg.m_parentClicks) << "and not seen by the dialog's own entry";
        ::SendMessageA(dlg.GetDlgItem(IDC_GO), BM_CLICK, 0, 0);
        EXPECT_EQ(1, dlg.m_goClicks) << "a control without an object of its own: the dialog's entry";

        EXPECT_EQ(0, dlg.m_list.InsertItem(0, "a.awd"));
        EXPECT_EQ(1, dlg.m_list.inserts);
        EXPECT_EQ(0, dlg.m_parentInserts);

        HWND tree = dlg.GetDlgItem(IDC_TREE_FOLDERS);
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>("C:\\");
        auto item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(1, dlg.m_treeSelections) << "WM_NOTIFY of a control without an object: the dialog's entry";
        dlg.EndDialog(IDOK);
    });
}

TEST(MessageRouting, ControlColoursComeFromTheControlWhenItGivesABrush) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        HDC dc = ::GetDC(dlg.m_hWnd);
        HWND edit = dlg.GetDlgItem(IDC_OUTPUT_FOLDER);
        dlg.m_edit.brush = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        EXPECT_EQ(dlg.m_edit.brush,
                  reinterpret_cast<HBRUSH>(dlg.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(edit))));
        dlg.m_edit.brush = nullptr;
        EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW),
                  reinterpret_cast<HBRUSH>(dlg.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(edit))))
            << "no brush: the system's colours";
        ::ReleaseDC(dlg.m_hWnd, dc);
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

TEST(MessageRouting, DefaultRunsTheWindowsOwnHandling) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        dlg.m_edit.SetWindowText("D:\\faxes");
        EXPECT_EQ("D:\\faxes", dlg.m_edit.lastText);
        CString text;
        dlg.m_edit.GetWindowText(text);
        EXPECT_STREQ("D:\\faxes", text);
        dlg.EndDialog(IDOK);
    });
}

TEST(MessageRouting, ModalLoopOffersMessagesFromTheTargetUpToTheDialog) {
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

namespace {
// A window made and subclassed by a thread of its own, which keeps it until told to let go (or
// for at most 30 s, so that a test that fails early leaves no thread behind).
class OtherThreadWindow {
public:
    OtherThreadWindow() : m_thread(::CreateThread(nullptr, 0, &Run, this, 0, nullptr)) {}
    ~OtherThreadWindow() { LetGo(); }
    OtherThreadWindow(const OtherThreadWindow&) = delete;
    OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

    bool Made() { return m_thread && ::WaitForSingleObject(m_made.Get(), 10000) == WAIT_OBJECT_0; }
    // Tells the thread to destroy its window and end; true once it has.
    bool LetGo() {
        ::SetEvent(m_release.Get());
        return ::WaitForSingleObject(m_thread.Get(), 10000) == WAIT_OBJECT_0;
    }

    CWnd* object = nullptr;
    HWND hWnd = nullptr;

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<OtherThreadWindow*>(param);
        CWnd object;
        if (object.CreateEx(0, "STATIC", "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0)) {
            self->object = &object;
            self->hWnd = object.m_hWnd;
        }
        ::SetEvent(self->m_made.Get());
        ::WaitForSingleObject(self->m_release.Get(), 30000);
        object.DestroyWindow();
        return 0;
    }

    CHandle m_made{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    CHandle m_release{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    CHandle m_thread;
};
} // namespace

TEST(MessageRouting, AnyThreadFindsAWindowsObjectUntilTheWindowIsGone) {
    OtherThreadWindow other;
    ASSERT_TRUE(other.Made());
    ASSERT_NE(nullptr, other.hWnd);
    EXPECT_EQ(other.object, CWnd::FromHandlePermanent(other.hWnd));
    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(other.hWnd)) << "a window has one object";
    EXPECT_TRUE(other.LetGo());
    EXPECT_FALSE(::IsWindow(other.hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(other.hWnd));
}
