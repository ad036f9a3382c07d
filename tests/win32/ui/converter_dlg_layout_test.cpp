// The main dialog as it stands after initialisation: controls, list, menu, icons, members.
#include "win32/modal_runner.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {
// The dialog manager converts the position and the size separately, and so does this.
RECT DialogUnits(HWND dialog, int x, int y, int cx, int cy) {
    RECT units{x, y, cx, cy};
    ::MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

INT_PTR CheckAndClose(CConverterDlg& dlg, const std::function<void(CConverterDlg&)>& check) {
    return RunModal(dlg, [&](CDialog&) {
        check(dlg);
        dlg.EndDialog(IDCANCEL);
    });
}

// The sizes given in pixels are for 96 dots per inch and grow with the screen's resolution.
int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}
int Scaled(int pixels) {
    return ::MulDiv(pixels, ScreenDpi(), 96);
}
} // namespace

TEST(MainDialogLayout, RunsAtTheResolutionTheRunAskedFor) {
    const char* asked = std::getenv("TARNVEL_TEST_DPI");
    if (!asked)
        GTEST_SKIP() << "no resolution asked for";
    EXPECT_EQ(std::atoi(asked), ScreenDpi());
}

// What the template holds is checked byte by byte in dialog_template_test.cpp; here, what
// initialisation makes of it.
TEST(MainDialogLayout, GoMovesRightAndNoOtherChildComesUp) {
    CConverterDlg dlg;
    CheckAndClose(dlg, [&](CConverterDlg& d) {
        RECT want = DialogUnits(d.m_hWnd, 242, 7, 38, 14); // Go's place in the template
        OffsetRect(&want, Scaled(55), 0);
        const RECT got = ClientRectOf(d.m_hWnd, d.GetDlgItem(IDC_GO));
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.right, got.right);
        EXPECT_EQ(want.bottom, got.bottom);
        // The template's controls in its (tab) order, then only the hidden imaging control (when
        // its class is registered, as the conversion tests do in the test prefix).
        HWND child = ::GetWindow(d.m_hWnd, GW_CHILD);
        for (int id : {1001, 1005, 1006, 1007, 1008, 1009, 1003, 1012}) {
            EXPECT_EQ(id, ::GetDlgCtrlID(child));
            child = ::GetWindow(child, GW_HWNDNEXT);
        }
        if (child && ::GetDlgCtrlID(child) == 102 && !::IsWindowVisible(child))
            child = ::GetWindow(child, GW_HWNDNEXT);
        EXPECT_EQ(nullptr, child) << "no other child windows";
    });
}

TEST(MainDialogLayout, IconsAndFocus) {
    CConverterDlg dlg;
    ASSERT_NE(nullptr, dlg.m_hIcon);
    CheckAndClose(dlg, [](CConverterDlg& d) {
        EXPECT_EQ(d.m_hIcon, reinterpret_cast<HICON>(d.SendMessage(WM_GETICON, ICON_BIG)));
        EXPECT_EQ(d.m_hIcon, reinterpret_cast<HICON>(d.SendMessage(WM_GETICON, ICON_SMALL)));
        EXPECT_EQ(d.m_hIcon, reinterpret_cast<HICON>(d.SendMessage(WM_QUERYDRAGICON)));
        EXPECT_EQ(d.GetDlgItem(IDC_LIST_FILES), ::GetFocus()) << "the first tab stop, the list";
        EXPECT_EQ("", TextOf(d.GetDlgItem(IDC_OUTPUT_FOLDER)));
    });
}

TEST(MainDialogLayout, ListHasCheckBoxesAndFourLeftAlignedColumns) {
    CConverterDlg dlg;
    CheckAndClose(dlg, [](CConverterDlg& d) {
        HWND list = d.GetDlgItem(IDC_LIST_FILES);
        EXPECT_EQ(list, d.m_listFiles.m_hWnd);
        EXPECT_TRUE(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
        HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(4, ::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        const struct {
            const char* text;
            int width;
        } columns[] = {{"Awd Files", 180}, {"Size", 60}, {"Last Modified Date", 120}, {"Result ", 56}};
        for (int i = 0; i < 4; ++i) {
            char text[64] = "";
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.pszText = text;
            column.cchTextMax = sizeof(text);
            ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
            EXPECT_STREQ(columns[i].text, text);
            EXPECT_EQ(Scaled(columns[i].width), column.cx);
            EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK);
        }
        EXPECT_EQ(0, d.m_listFiles.GetItemCount()) << "nothing selected, nothing listed";
        // A new row starts unticked.
        ASSERT_EQ(0, d.m_listFiles.InsertItem(0, "a.awd"));
        EXPECT_EQ(1u, d.m_listFiles.GetItemState(0, LVIS_STATEIMAGEMASK) >> 12);
    });
}

TEST(MainDialogLayout, SystemMenuEndsWithSeparatorAndAboutItem) {
    CConverterDlg dlg;
    CheckAndClose(dlg, [](CConverterDlg& d) {
        HMENU menu = ::GetSystemMenu(d.m_hWnd, FALSE);
        ASSERT_NE(nullptr, menu);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 3) << "the system's items come first";
        EXPECT_EQ(16u, ::GetMenuItemID(menu, count - 1));
        char text[64] = "";
        ::GetMenuStringA(menu, count - 1, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ("&About Tarnvel...", text);
        EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_FALSE(::GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR);
    });
}

TEST(MainDialogLayout, MembersAfterInitialisationAndAfterClosing) {
    CConverterDlg dlg;
    EXPECT_TRUE(dlg.m_strOutputFolder.IsEmpty());
    CheckAndClose(dlg, [](CConverterDlg& d) {
        EXPECT_EQ(6, d.m_copyOptions.nCompression);
        EXPECT_EQ(75, d.m_copyOptions.nJpegQuality);
        EXPECT_EQ(0, d.m_copyOptions.nFillOrder);
        EXPECT_EQ(-1, d.m_copyOptions.nTiling);
        EXPECT_EQ(0, d.m_copyOptions.bAppend);
        EXPECT_EQ(0, d.m_bWorkerRunning);
        EXPECT_EQ(nullptr, d.m_hWorkerThread);
        EXPECT_TRUE(d.m_strSourceFolder.IsEmpty());
        EXPECT_EQ(0, d.m_arrFileNames.GetSize());
        EXPECT_EQ(0, d.m_arrFileDetails.GetSize());
        ASSERT_NE(nullptr, d.m_hbrBackground.GetSafeHandle());
        LOGBRUSH brush{};
        ::GetObjectA(d.m_hbrBackground, sizeof(brush), &brush);
        EXPECT_EQ(0x00E8FFD4u, brush.lbColor);
        EXPECT_EQ(d.GetDlgItem(IDC_PROGRESS), d.m_progress.m_hWnd);
        EXPECT_EQ(d.GetDlgItem(IDC_TREE_FOLDERS), d.m_treeFolders.m_hWnd);
        EXPECT_EQ(&d.m_treeFolders, CWnd::FromHandlePermanent(d.m_treeFolders.m_hWnd)) << "subclassed";
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(d.m_listFiles.m_hWnd)) << "attached only";
    });
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_listFiles.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_progress.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_treeFolders.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_hbrBackground.GetSafeHandle());
}
