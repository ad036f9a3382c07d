// CListCtrl: a list-view control. Every method sends one message and does not keep state. Names go
// in and out as wide texts: on NT-based Windows the control keeps them whole whatever the window,
// on Windows 95, 98 and Me it takes the code page's form.
#pragma once

#include "framework/cstring_w.h"
#include "framework/wnd.h"

#include <commctrl.h>

class CListCtrl : public CWnd {
public:
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    // Mask 0: every bit of `exStyle` is applied. Returns the previous extended style.
    DWORD SetExtendedStyle(DWORD exStyle) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
    }
    // Width -1 keeps the control's default width. Returns the new column's index, or -1.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // Inserts a row with the text of column 0 only. Returns its index, or -1.
    int InsertItem(int item, const wchar_t* text);
    BOOL SetItemText(int item, int subItem, const char* text);
    CStringW GetItemText(int item, int subItem) const;
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    // The next row after `item` (-1: from the first) with the LVNI_ flags; -1 when there is none.
    int GetNextItem(int item, UINT flags) const {
        return static_cast<int>(
            SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), MAKELPARAM(flags, 0)));
    }
    BOOL EnsureVisible(int item, BOOL partialOk) {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
    }
    int GetColumnWidth(int column) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    BOOL SetColumnWidth(int column, int width) {
        return static_cast<BOOL>(
            SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    // The whole row (LVIR_BOUNDS) or a part of it, in client coordinates.
    BOOL GetItemRect(int item, RECT* rect, int code) const {
        rect->left = code;
        return static_cast<BOOL>(
            SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
    }
    BOOL Scroll(int dx, int dy) {
        return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(dx), dy));
    }
    // The check box is the row's state image: 1 unticked, 2 ticked.
    BOOL GetCheck(int item) const { return (GetItemState(item, LVIS_STATEIMAGEMASK) >> 12) == 2; }
    BOOL SetCheck(int item, BOOL check = TRUE) {
        return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
    }
};
