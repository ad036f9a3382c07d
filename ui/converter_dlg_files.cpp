// The file list of the main dialog: a folder selected in the tree becomes the source folder, the
// output folder and, as the listing thread finds them, one unticked row per AWD file in it (with
// Subfolders ticked, in every folder below it too).
#include "ui/converter_dlg.h"
#include "ui/resource.h"

#include <vector>

namespace {
// Rows inserted per turn of the window thread: a large folder's rows come in several turns, with
// the window's other messages answered in between.
constexpr size_t kRowsPerTurn = 1000;
} // namespace

LRESULT CConverterDlg::OnFolderSelected(WPARAM wParam, LPARAM) {
    // The text lives only for this call.
    const CStringW folder(reinterpret_cast<const wchar_t*>(wParam));
    m_strSourceFolder = folder;
    m_strOutputFolder = folder;
    UpdateData(FALSE);
    ListSourceFolder();
    return 1;
}

void CConverterDlg::OnSubfolders() {
    // The output folder stays: it may have been chosen for this folder already.
    if (!m_strSourceFolder.IsEmpty())
        ListSourceFolder();
}

void CConverterDlg::ListSourceFolder() {
    m_listQuiet.reset();
    {
        // Emptied while the control does not paint: a repaint per deleted row costs far more.
        const CRedrawSuspension quiet(m_listFiles.m_hWnd);
        m_listFiles.DeleteAllItems();
    }
    ++m_nListGeneration;
    m_nUnreadableFolders = 0;
    const bool subfolders = ::IsDlgButtonChecked(m_hWnd, IDC_SUBFOLDERS) == BST_CHECKED;
    m_bListing = m_lister.Start(m_hWnd, m_strSourceFolder, subfolders, m_nListGeneration);
    RefreshCursor();
}

LRESULT CConverterDlg::OnFolderListed(WPARAM, LPARAM) {
    std::vector<ListedFile> files;
    int unreadable = 0;
    const CFolderLister::Taken taken = m_lister.Take(m_nListGeneration, files, kRowsPerTurn, unreadable);
    if (!files.empty()) {
        // Inserted while the control does not paint, until no more rows wait: they show in one
        // repaint.
        if (!m_listQuiet)
            m_listQuiet.emplace(m_listFiles.m_hWnd, FALSE);
        int next = m_listFiles.GetItemCount();
        for (const ListedFile& file : files) {
            const int row = m_listFiles.InsertItem(next, file.name);
            if (row < 0)
                continue;
            ++next;
            m_listFiles.SetItemText(row, 1, file.size);
            m_listFiles.SetItemText(row, 2, file.time);
        }
    }
    if (taken == CFolderLister::Taken::More) {
        PostMessage(WM_FOLDER_LISTED);
        return 0;
    }
    m_listQuiet.reset();
    if (taken == CFolderLister::Taken::Complete && m_bListing) {
        m_nUnreadableFolders = unreadable;
        m_bListing = false;
        RefreshCursor();
    }
    return 0;
}

void CConverterDlg::OnListDeleteAllItems(NMHDR*, LRESULT* result) {
    SetResultReason(-1, L"");
    *result = TRUE;
}

void CConverterDlg::RefreshCursor() {
    // Only the window under the mouse may set the cursor; it asks its parents first.
    const DWORD position = ::GetMessagePos();
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const HWND under = ::WindowFromPoint(point);
    HWND window = under;
    while (window && window != m_hWnd)
        window = ::GetParent(window);
    if (window)
        ::SendMessageA(
            under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
            MAKELPARAM(::SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)), WM_MOUSEMOVE));
}
