#include "framework/tree_ctrl.h"

#include "framework/file_names.h"

#include <cstring>

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCTW* insert) {
    if (files::WideNames())
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(insert)));
    // The narrow record differs only in the type of its text.
    static_assert(sizeof(TVINSERTSTRUCTA) == sizeof(TVINSERTSTRUCTW), "the records differ");
    TVINSERTSTRUCTA ansi;
    std::memcpy(&ansi, insert, sizeof(ansi));
    CString text;
    if ((insert->item.mask & TVIF_TEXT) && insert->item.pszText &&
        insert->item.pszText != LPSTR_TEXTCALLBACKW) {
        text = files::AnsiLookAlike(insert->item.pszText);
        ansi.item.pszText = text.GetBuffer(text.GetLength());
    }
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ansi)));
}
