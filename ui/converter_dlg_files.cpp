// The file list of the main dialog: a folder selected in the tree becomes the source folder, the
// output folder and, as the listing thread finds them, one unticked row per AWD file in it (with
// Subfolders ticked, in every folder below it too).
#include "ui/converter_dlg.h"
#include "ui/resource.h"

#include <vector>

namespace {
// Rows are inserted in turns of the window thread of about this long, whatever the machine, a few
// dozen at a time: a large folder's rows come in many turns, with the window's other messages
// answered in between.
constexpr DWORD kTurnMs = 25;
constexpr size_t kRowsPerTake = 50;
// While a listing runs, the rows found so far show at most this often: each showing sets the
// list's scroll range anew, which can cost as much as inserting a few hundred rows.
constexpr UINT kShowRowsMs = 500;
constexpr UINT_PTR kShowRowsTimer = 2;
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
    ShowListedRows();
    {
        // Emptied while the control does not paint: a repaint per deleted row costs far more.
        const CRedrawSuspension quiet(m_listFiles.m_hWnd);
        m_listFiles.DeleteAllItems();
    }
    ++m_nListGeneration;
    m_nUnreadableFolders = 0;
    const bool subfolders = ::SendMessageA(GetDlgItem(IDC_SUBFOLDERS), BM_GETCHECK, 0, 0) == BST_CHECKED;
    m_bListing = m_lister.Start(m_hWnd, m_strSourceFolder, subfolders, m_nListGeneration);
    RefreshCursor();
}

LRESULT CConverterDlg::OnFolderListed(WPARAM, LPARAM) {
    const DWORD start = ::GetTickCount();
    std::vector<ListedFile> files;
    int unreadable = 0;
    CFolderLister::Taken taken = CFolderLister::Taken::More;
    while (taken == CFolderLister::Taken::More && ::GetTickCount() - start < kTurnMs) {
        files.clear();
        taken = m_lister.Take(m_nListGeneration, files, kRowsPerTake, unreadable);
        AppendRows(files);
    }
    if (taken == CFolderLister::Taken::More) {
        PostMessage(WM_FOLDER_LISTED);
        return 0;
    }
    // Waiting, the rows so far show when the timer comes.
    if (taken == CFolderLister::Taken::Complete)
        ShowListedRows();
    if (taken == CFolderLister::Taken::Complete && m_bListing) {
        m_nUnreadableFolders = unreadable;
        m_bListing = false;
        RefreshCursor();
    }
    return 0;
}

void CConverterDlg::AppendRows(const std::vector<ListedFile>& files) {
    if (files.empty())
        return;
    // Inserted while the control does not paint: they show in one repaint, when the listing is
    // complete or the timer comes.
    if (!m_listQuiet) {
        m_listQuiet.emplace(m_listFiles.m_hWnd, FALSE);
        ::SetTimer(m_hWnd, kShowRowsTimer, kShowRowsMs, nullptr);
    }
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

bool CConverterDlg::OnShowRowsTimer(UINT_PTR id) {
    if (id != kShowRowsTimer)
        return false;
    ShowListedRows();
    return true;
}

void CConverterDlg::ShowListedRows() {
    ::KillTimer(m_hWnd, kShowRowsTimer);
    m_listQuiet.reset();
}

void CConverterDlg::OnListDeleteAllItems(NMHDR*, LRESULT* result) {
    SetResultReason(-1, L"");
    KeepRowOutput(-1, L"");
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
