// The result column: in view while a batch runs; under the mouse, why a row failed or what it kept.
#include "ui/converter_dlg.h"

#include "framework/dpi.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace {
constexpr int kResultColumn = 3;
constexpr UINT_PTR kResultTool = 1;
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollDelayMs = 50;
// A long reason wraps into lines this wide (pixels at 96 dots per inch): about seventy characters,
// and with the tip's borders it fits a 640-pixel screen. On a small screen at a high resolution
// the screen's width sets the bound.
constexpr int kTipLineWidth = 400;
constexpr int kTipBorders = 40;

int TipLineWidth() {
    return std::min(ScaleToScreen(kTipLineWidth),
                    ::GetSystemMetrics(SM_CXSCREEN) - ScaleToScreen(kTipBorders));
}
} // namespace

void CConverterDlg::CreateResultTip() {
    // One tool that follows the failed result under the mouse: tooltips and tool rectangles are
    // in every version of the common controls, where the list's own info tips need 4.71 (IE4).
    if (!m_listFiles.m_hWnd || !m_tipResult.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return;
    const RECT nowhere{0, 0, 0, 0};
    m_tipResult.AddTool(&m_listFiles, "", nowhere, kResultTool);
    m_tipResult.SetMaxTipWidth(TipLineWidth());
}

void CConverterDlg::ScrollResultColumnIntoView() {
    // The columns are wider than the list: without this the results land out of sight.
    RECT client;
    if (!m_listFiles.m_hWnd || !m_listFiles.GetClientRect(&client))
        return;
    int right = 0;
    for (int column = 0; column <= kResultColumn; ++column)
        right += m_listFiles.GetColumnWidth(column);
    const int beyond = right - ::GetScrollPos(m_listFiles.m_hWnd, SB_HORZ) - client.right;
    if (beyond > 0)
        m_listFiles.Scroll(beyond, 0);
}

void CConverterDlg::ShowResultRow(int row) {
    // Scrolling repaints the list, once per file: on a timer, which comes only when the window
    // thread has nothing else to do, the rows of a fast batch share one scroll.
    const bool pending = m_nScrollRow >= 0; // setting the timer again would restart it
    m_nScrollRow = row;
    if (!pending && !::SetTimer(m_hWnd, kScrollTimer, kScrollDelayMs, nullptr))
        FlushResultScroll();
}

void CConverterDlg::FlushResultScroll() {
    ::KillTimer(m_hWnd, kScrollTimer);
    if (m_nScrollRow >= 0)
        m_listFiles.EnsureVisible(std::exchange(m_nScrollRow, -1), FALSE);
}

LRESULT CConverterDlg::OnTimer(WPARAM id, LPARAM) {
    if (OnShowRowsTimer(id))
        return 0;
    if (id == kShowBatchTimer) {
        ShowBatch();
        return 0;
    }
    if (id != kScrollTimer)
        return Default();
    FlushResultScroll();
    return 0;
}

void CConverterDlg::SetResultReason(int row, const wchar_t* reason) {
    if (row < 0) {
        m_arrResultReasons.clear();
    } else {
        if (m_arrResultReasons.size() <= static_cast<size_t>(row))
            m_arrResultReasons.resize(static_cast<size_t>(row) + 1);
        m_arrResultReasons[static_cast<size_t>(row)] = reason;
    }
    // A tip on show may tell an old reason: the next mouse move sets it up afresh.
    if (m_nTipRow >= 0 && m_tipResult.m_hWnd) {
        m_nTipRow = -1;
        const RECT nowhere{0, 0, 0, 0};
        m_tipResult.SetToolRect(&m_listFiles, kResultTool, nowhere);
    }
}

bool CConverterDlg::ResultCellAt(POINT point, int& row, RECT& cell) const {
    int left = 0;
    for (int column = 0; column < kResultColumn; ++column)
        left += m_listFiles.GetColumnWidth(column);
    const int width = m_listFiles.GetColumnWidth(kResultColumn);
    const int top = m_listFiles.GetTopIndex();
    const int end = std::min(m_listFiles.GetItemCount(), top + m_listFiles.GetCountPerPage() + 1);
    for (int i = top; i < end; ++i) {
        RECT bounds;
        if (!m_listFiles.GetItemRect(i, &bounds, LVIR_BOUNDS) || point.y < bounds.top ||
            point.y >= bounds.bottom)
            continue;
        // The row's bounds start where the list is scrolled to.
        cell = RECT{bounds.left + left, bounds.top, bounds.left + left + width, bounds.bottom};
        row = i;
        return ::PtInRect(&cell, point) != FALSE;
    }
    return false;
}

void CConverterDlg::TrackResultTip(POINT point) {
    int row = -1;
    RECT cell{0, 0, 0, 0};
    if (!ResultCellAt(point, row, cell) || static_cast<size_t>(row) >= m_arrResultReasons.size() ||
        m_arrResultReasons[static_cast<size_t>(row)].IsEmpty())
        row = -1;
    if (row == m_nTipRow)
        return;
    m_nTipRow = row;
    // The tool covers only the cell: leaving it hides the tip, entering the next shows that one.
    const RECT nowhere{0, 0, 0, 0};
    m_tipResult.SetToolRect(&m_listFiles, kResultTool, row >= 0 ? cell : nowhere);
    m_tipResult.UpdateTipText(row >= 0 ? m_arrResultReasons[static_cast<size_t>(row)].GetString() : L"",
                              &m_listFiles, kResultTool);
}

BOOL CConverterDlg::PreTranslateMessage(MSG* msg) {
    // Its notice says where the click was only from the common controls of Internet Explorer 4 on.
    if (msg->hwnd == m_listFiles.m_hWnd && msg->message == WM_LBUTTONDBLCLK)
        OpenOutputAt(POINT{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)});
    if (m_tipResult.m_hWnd && msg->hwnd == m_listFiles.m_hWnd && msg->message >= WM_MOUSEMOVE &&
        msg->message <= WM_MBUTTONDBLCLK) {
        if (msg->message == WM_MOUSEMOVE)
            TrackResultTip(POINT{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)});
        m_tipResult.RelayEvent(msg);
    }
    return CDialog::PreTranslateMessage(msg);
}
