// The main dialog as it stands after initialisation: controls, list, menu, icons.
#include "ui/resource.h"
#include "win32/dialog_driver.h"
#include "win32/ui/rect_compare.h"
#include "win32/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace {
// The dialog manager converts the position and the size separately, and so does this.
RECT DialogUnits(HWND dialog, RECT units) {
    ::MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

// The sizes given in pixels are for 96 dots per inch and grow with the screen's resolution.
int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}
} // namespace

// Every control of the template in its (tab) order, with its class, styles and text, where the
// template puts it, but Go, which initialisation moves right; then only the hidden imaging
// control (when its class is registered, as the conversion tests do). Maximised, restored and made
// too small (never below the template's size), the tree and the list take the room, the list most,
// its name column what the others and a scroll bar leave; the bottom row keeps to the bottom.
TEST(MainDialogLayout, TheTemplatesControlsInOrderWithGoMovedRightAndAsTheWindowGrows) {
    const DWORD child = WS_CHILD | WS_VISIBLE, button = child | WS_TABSTOP, boxed = button | WS_BORDER;
    const DWORD tree = boxed | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    const struct {
        int id;
        const char* windowClass;
        DWORD style;
        RECT units; // x, y, width, height
        const char* text;
        RECT follows{}; // how each edge follows the window's growth: 0 stays, 1 with it, 2 the tree's share
    } controls[] = {
        {1001, WC_LISTVIEWA, boxed | LVS_REPORT, {145, 40, 220, 162}, "List2", {2, 0, 1, 1}},
        {1005, "Edit", boxed | ES_AUTOHSCROLL, {40, 7, 98, 14}, ""},
        {1006, PROGRESS_CLASSA, child | WS_BORDER, {3, 218, 352, 14}, "Progress1", {0, 1, 1, 1}},
        {1007, WC_TREEVIEWA, tree, {4, 40, 139, 162}, "Tree1", {0, 0, 2, 1}},
        {1008, "Button", button | BS_AUTOCHECKBOX, {145, 7, 56, 14}, "Select &All"},
        {1013, "Button", button | BS_AUTOCHECKBOX, {204, 7, 32, 14}, "&PDF"},
        {1014, "Button", button | BS_AUTOCHECKBOX, {145, 24, 56, 12}, "Sub&folders"},
        {1015, "Button", button | BS_AUTOCHECKBOX, {204, 24, 69, 12}, "S&kip converted"},
        {1009, "Button", button | BS_PUSHBUTTON, {242, 7, 38, 14}, "&Go"},
        {1016, "Button", button | WS_DISABLED | BS_PUSHBUTTON, {242, 24, 38, 14}, "S&top"},
        {1003, "Button", button | BS_PUSHBUTTON, {4, 7, 35, 14}, "Save &Dir"},
        {1012, "Button", button | BS_PUSHBUTTON, {326, 7, 38, 14}, "A&bout"},
        {1017, "Static", child | SS_LEFT | SS_NOPREFIX, {4, 206, 362, 9}, "", {0, 1, 1, 1}},
        {1018, "ScrollBar", child | SBS_SIZEGRIP, {358, 226, 12, 10}, "", {1, 1, 1, 1}},
    };
    // The run that asks for a resolution gets it: the sizes are checked at it.
    if (const char* asked = std::getenv("TARNVEL_TEST_DPI")) {
        EXPECT_EQ(std::atoi(asked), ScreenDpi());
    }
    WithMainDialog([&](HWND dialog) {
        EXPECT_EQ("Tarnvel", TextOf(dialog));
        const DWORD framed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME |
                             WS_CLIPCHILDREN | DS_MODALFRAME;
        EXPECT_EQ(framed, static_cast<DWORD>(::GetWindowLongA(dialog, GWL_STYLE)) & framed);
        EXPECT_TRUE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        RECT client;
        ::GetClientRect(dialog, &client);
        EXPECT_EQ(DialogUnits(dialog, {0, 0, 370, 236}), client);
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_STREQ("MS Sans Serif", font.lfFaceName);

        std::map<int, RECT> start; // where each control stands at first
        HWND window = ::GetWindow(dialog, GW_CHILD);
        for (const auto& control : controls) {
            SCOPED_TRACE("control " + std::to_string(control.id));
            ASSERT_NE(nullptr, window);
            EXPECT_EQ(control.id, ::GetDlgCtrlID(window));
            char windowClass[32] = "";
            ::GetClassNameA(window, windowClass, sizeof(windowClass));
            EXPECT_STRCASEEQ(control.windowClass, windowClass);
            // Borders and scroll bars are the dialog manager's and the control's own at run time.
            const DWORD drawn = WS_BORDER | WS_HSCROLL | WS_VSCROLL;
            EXPECT_EQ(control.style & ~drawn,
                      static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)) & ~drawn);
            EXPECT_EQ(control.text, TextOf(window));
            RECT want = DialogUnits(dialog, control.units);
            if (control.id == IDC_GO || control.id == IDC_STOP)
                ::OffsetRect(&want, ::MulDiv(55, ScreenDpi(), 96), 0);
            EXPECT_EQ(want, start[control.id] = RectInParent(window));
            window = ::GetWindow(window, GW_HWNDNEXT);
        }
        // No settings are kept: every start writes TIFF of the one folder, replacing what is there.
        for (const int box : {IDC_PDF, IDC_SUBFOLDERS, IDC_SKIP_CONVERTED})
            EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(dialog, box), BM_GETCHECK, 0, 0));
        EXPECT_EQ(nullptr, window) << "no other child windows";

        HWND list = ::GetDlgItem(dialog, IDC_LIST_FILES), treeView = ::GetDlgItem(dialog, IDC_TREE_FOLDERS);
        const auto width = [list](int column) { return ListView_GetColumnWidth(list, column); };
        const int name = width(0);
        for (const int show : {SW_MAXIMIZE, SW_RESTORE, SW_HIDE}) { // SW_HIDE: made too small
            SCOPED_TRACE("show " + std::to_string(show));
            show == SW_HIDE ? ::MoveWindow(dialog, 0, 0, 50, 50, TRUE) : ::ShowWindow(dialog, show);
            RECT now, inside;
            ::GetClientRect(dialog, &now);
            ::GetClientRect(list, &inside);
            const LONG dx = now.right - client.right, dy = now.bottom - client.bottom;
            const LONG share = RectInParent(treeView).right - start[IDC_TREE_FOLDERS].right;
            EXPECT_TRUE(dx > 0 ? share > 0 && share < dx - share : !dx && !dy) << share << " of " << dx;
            const LONG x[] = {0, dx, share}, y[] = {0, dy};
            for (const auto& control : controls) {
                const RECT &was = start[control.id], &f = control.follows;
                const RECT want{was.left + x[f.left], was.top + y[f.top], was.right + x[f.right],
                                was.bottom + y[f.bottom]};
                EXPECT_EQ(want, RectInParent(::GetDlgItem(dialog, control.id))) << "control " << control.id;
            }
            EXPECT_EQ(show != SW_MAXIMIZE, !!::IsWindowVisible(::GetDlgItem(dialog, IDC_SIZE_GRIP)));
            const int rest = inside.right - ::GetSystemMetrics(SM_CXVSCROLL) - width(1) - width(2) - width(3);
            EXPECT_EQ(std::max(name, rest), width(0));
        }
    });
}

TEST(MainDialogLayout, IconsFocusListColumnsAndSystemMenu) {
    const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, icon);
    WithMainDialog([&](HWND dialog) {
        EXPECT_EQ(icon, reinterpret_cast<HICON>(::SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)));
        EXPECT_EQ(icon, reinterpret_cast<HICON>(::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_EQ(icon, reinterpret_cast<HICON>(::SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0)));
        // The focus comes with activation, which a window of another entry on the shared display
        // may hold for a moment; the dialog gives it back to the control it set it on.
        ::SetForegroundWindow(dialog);
        EXPECT_TRUE(Serve(2000, [&] { return ::GetFocus() == ::GetDlgItem(dialog, IDC_LIST_FILES); }))
            << "the first tab stop, the list";
        EXPECT_EQ("", OutputFolderOf(dialog));

        // Check boxes and four left-aligned columns, and nothing listed while nothing is selected.
        HWND list = ::GetDlgItem(dialog, IDC_LIST_FILES);
        EXPECT_TRUE(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
        HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(4, ::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        const std::pair<const char*, int> columns[] = {
            {"Awd Files", 180}, {"Size", 60}, {"Last Modified Date", 120}, {"Result ", 56}};
        for (int i = 0; i < 4; ++i) {
            char text[64] = "";
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.pszText = text;
            column.cchTextMax = sizeof(text);
            ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
            EXPECT_STREQ(columns[i].first, text);
            EXPECT_EQ(::MulDiv(columns[i].second, ScreenDpi(), 96), column.cx);
            EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK);
        }
        EXPECT_EQ(0, RowCount(dialog));

        // The system menu ends with a separator and the About item.
        HMENU menu = ::GetSystemMenu(dialog, FALSE);
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
