#include "framework/list_ctrl.h"

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_FMT | LVCF_TEXT;
    lvc.fmt = format;
    lvc.pszText = const_cast<char*>(heading);
    if (width != -1) {
        lvc.mask |= LVCF_WIDTH;
        lvc.cx = width;
    }
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc)));
}

int CListCtrl::InsertItem(int item, const char* text) {
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.pszText = const_cast<char*>(text);
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) {
    LVITEMA lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    // The control reports only how much it copied, so grow the buffer until the text fits.
    CString text;
    for (int size = 256;; size *= 2) {
        LVITEMA lvi{};
        lvi.iSubItem = subItem;
        lvi.cchTextMax = size;
        lvi.pszText = text.GetBuffer(size);
        int copied = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
        if (copied < size - 1 || size >= (1 << 20)) {
            text.ReleaseBuffer(copied > 0 && copied < size ? copied : 0);
            return text;
        }
    }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMA lvi{};
    lvi.state = state;
    lvi.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}
