// Folders named from outside the window: on the command line (a shortcut, Send To, a folder dropped
// onto Tarnvel.exe), or dropped onto the open window.
#include "ui/converter_dlg.h"

#include "convert/output_path.h"
#include "framework/data_exchange.h"
#include "framework/file_names.h"
#include "ui/resource.h"

void CConverterDlg::OpenFolder(const CStringW& path) {
    // A relative path is the current directory's, as a shortcut's "Start in" folder sets it.
    const CStringW full = ResolveOutputFolder(path, nullptr);
    m_treeFolders.SelectPath(full.IsEmpty() ? path : full);
}

LRESULT CConverterDlg::OnDropFiles(WPARAM drop, LPARAM) {
    const auto dropped = reinterpret_cast<HDROP>(drop);
    const CStringW path = files::DroppedPath(dropped, 0);
    ::DragFinish(dropped);
    if (!path.IsEmpty())
        OpenFolder(path);
    return 0;
}

LRESULT CConverterDlg::OnNotAFolder(WPARAM path, LPARAM) {
    CStringW text = L"Not a folder, so none was opened: " + CStringW(reinterpret_cast<const wchar_t*>(path));
    CDataExchange exchange(this, FALSE);
    DDX_Text(&exchange, IDC_ACCOUNT, text);
    return 0;
}
