// The main dialog as it stands after initialisation: controls, list, menu, icons.
#include "ui/resource.h"
#include "win32/dialog_driver.h"
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
    WithMainDialog([](HWND dialog) {
        RECT want = DialogUnits(dialog, 242, 7, 38, 14); // Go's place in the template
        OffsetRect(&want, Scaled(55), 0);
        const RECT got = ClientRectOf(dialog, ::GetDlgItem(dialog, IDC_GO));
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.right, got.right);
        EXPECT_EQ(want.bottom, got.bottom);
        // The template's controls in its (tab) order, then only the hidden imaging control (when
        // its class is registered, as the conversion tests do in the test prefix).
        HWND child = ::GetWindow(dialog, GW_CHILD);
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
    const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, icon);
    WithMainDialog([&](HWND dialog) {
        EXPECT_EQ(icon, reinterpret_cast<HICON>(::SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)));
        EXPECT_EQ(icon, reinterpret_cast<HICON>(::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_EQ(icon, reinterpret_cast<HICON>(::SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0)));
        EXPECT_EQ(::GetDlgItem(dialog, IDC_LIST_FILES), ::GetFocus()) << "the first tab stop, the list";
        EXPECT_EQ("", OutputFolderOf(dialog));
    });
}

TEST(MainDialogLayout, ListHasCheckBoxesAndFourLeftAlignedColumns) {
    WithMainDialog([](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_LIST_FILES);
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
        EXPECT_EQ(0, RowCount(dialog)) << "nothing selected, nothing listed";
    });
}

TEST(MainDialogLayout, SystemMenuEndsWithSeparatorAndAboutItem) {
    WithMainDialog([](HWND dialog) {
        HMENU menu = ::GetSystemMenu(dialog, FALSE);
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
