#include "framework/list_ctrl.h"

#include "framework/file_names.h"

namespace {
// The control reports only how much it copied, so the buffer grows until the text fits.
template <typename Text, typename Item>
Text ItemText(const CListCtrl& list, UINT message, int item, int subItem) {
    Text text;
    for (int size = 256;; size *= 2) {
        Item lvi{};
        lvi.iSubItem = subItem;
        lvi.cchTextMax = size;
        lvi.pszText = text.GetBuffer(size);
        const int copied = static_cast<int>(
            list.SendMessage(message, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
        if (copied < size - 1 || size >= (1 << 20)) {
            text.ReleaseBuffer(copied > 0 && copied < size ? copied : 0);
            return text;
        }
    }
}
} // namespace

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

int CListCtrl::InsertItem(int item, const wchar_t* text) {
    if (files::WideNames()) {
        LVITEMW lvi{};
        lvi.mask = LVIF_TEXT;
        lvi.iItem = item;
        lvi.pszText = const_cast<wchar_t*>(text);
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvi)));
    }
    CString ansi = files::AnsiLookAlike(text);
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.pszText = ansi.GetBuffer(ansi.GetLength());
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) {
    LVITEMA lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

CStringW CListCtrl::GetItemText(int item, int subItem) const {
    if (files::WideNames())
        return ItemText<CStringW, LVITEMW>(*this, LVM_GETITEMTEXTW, item, subItem);
    return files::FromAnsi(ItemText<CString, LVITEMA>(*this, LVM_GETITEMTEXTA, item, subItem));
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMA lvi{};
    lvi.state = state;
    lvi.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}
