// The main dialog as it stands after initialisation: controls, list, menu, icons, members.
#include "win32/modal_runner.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

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

std::string ClassOf(HWND hWnd) {
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND hWnd) {
    char text[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

INT_PTR CheckAndClose(CConverterDlg& dlg, const std::function<void(CConverterDlg&)>& check) {
    return RunModal(dlg, [&](CDialog&) {
        check(dlg);
        dlg.EndDialog(IDCANCEL);
    });
}
} // namespace

TEST(MainDialogLayout, ControlsSitWhereTheTemplatePutsThem) {
    CConverterDlg dlg;
    EXPECT_EQ(
        IDCANCEL, CheckAndClose(dlg, [](CConverterDlg& d) {
            const struct {
                int id;
                const char* windowClass;
                const char* text;
                int x, y, cx, cy;
                DWORD style;
            } controls[] = {
                {1001, "SysListView32", "List2", 145, 25, 220, 177, WS_BORDER | WS_TABSTOP | LVS_REPORT},
                {1005, "Edit", "", 40, 7, 98, 14, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
                {1006, "msctls_progress32", "Progress1", 3, 204, 363, 14, WS_BORDER},
                {1007, "SysTreeView32", "Tree1", 4, 25, 139, 177,
                 WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT},
                {1008, "Button", "Select &All", 145, 7, 56, 14, WS_TABSTOP | BS_AUTOCHECKBOX},
                {1009, "Button", "&Go", 242, 7, 38, 14, WS_TABSTOP | BS_PUSHBUTTON},
                {1003, "Button", "Save &Dir", 4, 7, 35, 14, WS_TABSTOP | BS_PUSHBUTTON},
                {1012, "Button", "A&bout", 326, 7, 38, 14, WS_TABSTOP | BS_PUSHBUTTON},
            };
            HWND child = ::GetWindow(d.m_hWnd, GW_CHILD);
            for (const auto& c : controls) {
                SCOPED_TRACE(c.id);
                HWND control = d.GetDlgItem(c.id);
                ASSERT_NE(nullptr, control);
                EXPECT_EQ(child, control) << "tab order follows the template";
                child = ::GetWindow(child, GW_HWNDNEXT);
                EXPECT_STRCASEEQ(c.windowClass, ClassOf(control).c_str());
                EXPECT_EQ(c.text, TextOf(control));
                const DWORD style = static_cast<DWORD>(::GetWindowLongA(control, GWL_STYLE));
                const DWORD bits = (c.style & ~WS_BORDER) | WS_CHILD | WS_VISIBLE;
                EXPECT_EQ(bits, style & bits);
                // The dialog manager turns a control's border into a sunken edge; the progress
                // bar draws its own frame instead.
                if ((c.style & WS_BORDER) && c.id != IDC_PROGRESS) {
                    EXPECT_TRUE((style & WS_BORDER) ||
                                (::GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
                }
                if (ClassOf(control) == "Button") {
                    EXPECT_EQ(c.style & BS_TYPEMASK, style & BS_TYPEMASK);
                }
                RECT want = DialogUnits(d.m_hWnd, c.x, c.y, c.cx, c.cy);
                if (c.id == IDC_GO)
                    OffsetRect(&want, 55, 0);
                const RECT got = ClientRectOf(d.m_hWnd, control);
                EXPECT_EQ(want.left, got.left);
                EXPECT_EQ(want.top, got.top);
                EXPECT_EQ(want.right, got.right);
                EXPECT_EQ(want.bottom, got.bottom);
            }
            // After the template's controls only the hidden imaging control (when its class is
            // registered, as the conversion tests do in the test prefix).
            if (child && ::GetDlgCtrlID(child) == 102 && !::IsWindowVisible(child))
                child = ::GetWindow(child, GW_HWNDNEXT);
            EXPECT_EQ(nullptr, child) << "no other child windows";
        }));
}

TEST(MainDialogLayout, WindowCaptionStyleFontIconsAndFocus) {
    CConverterDlg dlg;
    ASSERT_NE(nullptr, dlg.m_hIcon);
    CheckAndClose(dlg, [](CConverterDlg& d) {
        EXPECT_EQ("Tarnvel", TextOf(d.m_hWnd));
        const DWORD style = d.GetStyle();
        const DWORD want = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
        EXPECT_EQ(want, style & want);
        EXPECT_EQ(0u, style & WS_MAXIMIZEBOX);
        EXPECT_TRUE(::GetWindowLongA(d.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(d.SendMessage(WM_GETFONT)), sizeof(font), &font);
        EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
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
            EXPECT_EQ(columns[i].width, column.cx);
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
        ASSERT_NE(nullptr, d.m_hbrBackground);
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
    EXPECT_EQ(nullptr, dlg.m_hbrBackground);
}
