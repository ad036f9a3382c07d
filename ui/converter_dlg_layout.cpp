// The main window grows: the tree and the list take the room it gains, the list's name column most
// of it; the account line, the progress bar and the size grip stay along the bottom, and the
// controls above the list stay where the template puts them. The template's size is the smallest.
#include "ui/converter_dlg.h"

#include "ui/resource.h"

#include <algorithm>

namespace {
// The tree takes this part of the width the window gains and the list the rest: a folder's name
// is short beside the relative paths the list shows of a whole archive.
constexpr LONG kTreeShareDivisor = 4;

// How an edge of a control follows the room the window gains.
enum Follow { kStays, kTreeShare, kAll };
struct Anchor {
    int id;
    Follow left, top, right, bottom;
};
constexpr Anchor kAnchors[] = {
    {IDC_TREE_FOLDERS, kStays, kStays, kTreeShare, kAll},
    {IDC_LIST_FILES, kTreeShare, kStays, kAll, kAll},
    {IDC_ACCOUNT, kStays, kAll, kAll, kAll},
    {IDC_PROGRESS, kStays, kAll, kAll, kAll},
    {IDC_SIZE_GRIP, kAll, kAll, kAll, kAll},
};

LONG Shift(Follow follow, LONG gained) {
    return follow == kAll ? gained : follow == kTreeShare ? gained / kTreeShareDivisor : 0;
}
} // namespace

LRESULT CConverterDlg::OnSize(WPARAM type, LPARAM size) {
    // Minimised there is nothing to place; the other kinds tell of other windows.
    if (type == SIZE_RESTORED || type == SIZE_MAXIMIZED) {
        PlaceControls(LOWORD(size), HIWORD(size));
        // A maximised window cannot be sized.
        ::ShowWindow(GetDlgItem(IDC_SIZE_GRIP), type == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOWNA);
    }
    return Default();
}

LRESULT CConverterDlg::OnGetMinMaxInfo(WPARAM, LPARAM info) {
    // The dialog manager made the window from the template's size the same way.
    const SIZE smallest = TemplateClientSize();
    RECT window{0, 0, smallest.cx, smallest.cy};
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    reinterpret_cast<MINMAXINFO*>(info)->ptMinTrackSize = {window.right - window.left,
                                                           window.bottom - window.top};
    return 0;
}

SIZE CConverterDlg::TemplateClientSize() const {
    RECT units{0, 0, IDD_TARNVEL_DIALOG_CX, IDD_TARNVEL_DIALOG_CY};
    ::MapDialogRect(m_hWnd, &units);
    return {units.right, units.bottom};
}

void CConverterDlg::PlaceControls(int width, int height) {
    const SIZE smallest = TemplateClientSize();
    if (!m_sizeLaidOut.cx)
        m_sizeLaidOut = smallest;
    // On a screen smaller than the template the controls stay where it puts them.
    const SIZE was{m_sizeLaidOut.cx - smallest.cx, m_sizeLaidOut.cy - smallest.cy};
    const SIZE now{std::max<LONG>(0, width - smallest.cx), std::max<LONG>(0, height - smallest.cy)};
    for (const Anchor& anchor : kAnchors) {
        HWND control = GetDlgItem(anchor.id);
        if (!control)
            continue;
        RECT place;
        ::GetWindowRect(control, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        place.left += Shift(anchor.left, now.cx) - Shift(anchor.left, was.cx);
        place.top += Shift(anchor.top, now.cy) - Shift(anchor.top, was.cy);
        place.right += Shift(anchor.right, now.cx) - Shift(anchor.right, was.cx);
        place.bottom += Shift(anchor.bottom, now.cy) - Shift(anchor.bottom, was.cy);
        // Drawn afresh: the bits a control would carry along may be those of a neighbour moved first.
        ::SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    m_sizeLaidOut = {smallest.cx + now.cx, smallest.cy + now.cy};
    if (now.cx == was.cx || !m_listFiles.m_hWnd)
        return;

    // The name column takes what the other columns leave of the list, keeping room for the scroll
    // bar that rows bring, and comes back to the width it had at the smallest size.
    if (!was.cx)
        m_nNameColumnFloor = m_listFiles.GetColumnWidth(0);
    RECT client;
    m_listFiles.GetClientRect(&client);
    int room = client.right - ((m_listFiles.GetStyle() & WS_VSCROLL) ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
    const HWND header = reinterpret_cast<HWND>(m_listFiles.SendMessage(LVM_GETHEADER));
    const int columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 1; i < columns; ++i)
        room -= m_listFiles.GetColumnWidth(i);
    m_listFiles.SetColumnWidth(0, std::max(m_nNameColumnFloor, room));
}
