// DoModal's bracket (owner disabled, then enabled), its results, and data exchange.
#include "framework/tooltip_ctrl.h"
#include "win32/framework/test_dialog.h"
#include "win32/modal_runner.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
// A hidden top-level window to own dialogs.
class OwnerWindow {
public:
    OwnerWindow()
        : m_hWnd(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr)) {
        m_wnd.Attach(m_hWnd);
    }
    ~OwnerWindow() {
        m_wnd.Detach();
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd;
    CWnd m_wnd;
};
} // namespace

TEST(ModalDialog, OwnerIsDisabledWhileTheDialogRunsAndEnabledAfter) {
    OwnerWindow owner;
    TestDialog dlg(&owner.m_wnd);
    RunModal(dlg, [&](CDialog&) {
        EXPECT_EQ(owner.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(owner.m_hWnd));
        dlg.EndDialog(IDOK);
    });
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

TEST(ModalDialog, EndDialogValueIsTheResult) {
    TestDialog dlg;
    EXPECT_EQ(12345, RunModal(dlg, [&](CDialog&) { dlg.EndDialog(12345); }));
}

TEST(ModalDialog, QuitRequestEndsTheDialogAndIsPassedOn) {
    TestDialog dlg;
    EXPECT_EQ(-1, RunModal(dlg, [&](CDialog&) { ::PostQuitMessage(7); }));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST(ModalDialog, MissingTemplateFails) {
    CDialog dlg(4711);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(ModalRunner, FailsTheTestWhenTheBodyNeverRanOrTheDialogTimedOut) {
    CDialog missing(4711);
    EXPECT_NONFATAL_FAILURE(RunModal(missing, [](CDialog&) {}), "never ran");
    TestDialog dlg;
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(kTimedOut, RunModal(
                                                     dlg, [](CDialog&) {}, 300)),
                            "still open");
}

TEST(DataExchange, TextGoesBothWaysAndOkSavesIt) {
    TestDialog dlg;
    dlg.m_text = L"C:\\fax";
    const INT_PTR result = RunModal(dlg, [&](CDialog&) {
        HWND edit = dlg.GetDlgItem(IDC_OUTPUT_FOLDER);
        char shown[64] = "";
        ::GetWindowTextA(edit, shown, sizeof(shown));
        EXPECT_STREQ("C:\\fax", shown) << "OnInitDialog exchanged the member into the field";
        ::SetWindowTextA(edit, "C:\\out");
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_STREQ(L"C:\\out", dlg.m_text);
        dlg.m_text = L"";
        EXPECT_TRUE(dlg.UpdateData(FALSE)) << "controls bound once stay bound";
        ::GetWindowTextA(edit, shown, sizeof(shown));
        EXPECT_STREQ("", shown);
        ::SetWindowTextA(edit, "E:\\tiff");
        dlg.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(L"E:\\tiff", dlg.m_text);
}

TEST(DataExchange, MissingControlFailsTheExchangeAndKeepsTheDialogOpen) {
    TestDialog dlg;
    RunModal(dlg, [&](CDialog&) {
        dlg.m_exchangeMissingControl = true;
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        dlg.SendMessage(WM_COMMAND, IDOK);
        EXPECT_NE(nullptr, dlg.m_hWnd) << "OK does not end a dialog whose data did not exchange";
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(WindowObjects, CreatedWindowGoesWithItsObjectOrItsOwner) {
    OwnerWindow owner;
    HWND tip = nullptr;
    {
        CToolTipCtrl tooltip;
        ASSERT_TRUE(tooltip.Create(&owner.m_wnd));
        tip = tooltip.m_hWnd;
        RECT area{0, 0, 10, 10};
        EXPECT_TRUE(tooltip.AddTool(&owner.m_wnd, "http://example.org/", area, 1));
        EXPECT_EQ(1, tooltip.SendMessage(TTM_GETTOOLCOUNT));
    }
    EXPECT_FALSE(::IsWindow(tip)) << "destroyed with the object";

    CToolTipCtrl tooltip;
    ASSERT_TRUE(tooltip.Create(&owner.m_wnd));
    ::DestroyWindow(owner.m_hWnd);
    EXPECT_EQ(nullptr, tooltip.m_hWnd) << "destroyed with its owner, and let go";
}
