// The rows at hand: a double-click opens an "OK" row's output, Ctrl+C copies the selected rows as
// a table that pastes into a spreadsheet, Ctrl+A selects every row.
#include "framework/file_names.h"
#include "ui/converter_dlg.h"
#include "ui/output_opener.h"

#include <cstring>

namespace {
constexpr int kListColumns = 4; // name, size, date, result; the reason follows them in a copy
constexpr int kResultColumn = 3;

// A tab or a line break inside a cell would start another cell or row of the table.
void AppendCell(CStringW& table, const wchar_t* cell) {
    for (const wchar_t* c = cell; *c; ++c)
        table += (*c == L'\t' || *c == L'\r' || *c == L'\n') ? L' ' : *c;
}

class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (m_open)
            ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool IsOpen() const { return m_open; }

private:
    const bool m_open;
};

// The clipboard takes movable blocks marked for sharing, and owns one once it has taken it; until
// then it is ours to free.
void PutOnClipboard(UINT format, const void* data, size_t bytes) {
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (!block)
        return;
    if (void* target = ::GlobalLock(block)) {
        std::memcpy(target, data, bytes);
        ::GlobalUnlock(block);
        if (::SetClipboardData(format, block))
            return;
    }
    ::GlobalFree(block);
}
} // namespace

void CConverterDlg::KeepRowOutput(int row, const wchar_t* output) {
    if (row < 0) {
        m_arrRowOutputs.clear();
        return;
    }
    if (m_arrRowOutputs.size() <= static_cast<size_t>(row))
        m_arrRowOutputs.resize(static_cast<size_t>(row) + 1);
    m_arrRowOutputs[static_cast<size_t>(row)] = output;
}

void CConverterDlg::OnListKeyDown(NMHDR* header, LRESULT*) {
    // The list's own notice of a key: it comes only while the list has the keyboard, which is when
    // these keys are meant for the rows, and needs nothing of the dialog's message loop.
    if (::GetKeyState(VK_CONTROL) >= 0)
        return;
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
    if (key == 'C')
        CopySelectedRows();
    else if (key == 'A')
        m_listFiles.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CConverterDlg::OpenOutputAt(POINT point) {
    // The row under the click, whichever column it hit: the list selects a row only by its name.
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int row =
        static_cast<int>(m_listFiles.SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Two quick clicks on a check box tick it and untick it again, and mean nothing more.
    if (row >= 0 && !(hit.flags & LVHT_ONITEMSTATEICON))
        OpenRowOutput(row);
}

void CConverterDlg::OpenRowOutput(int row) {
    // A row that failed may still have an earlier output, but none the list vouches for.
    if (static_cast<size_t>(row) >= m_arrRowOutputs.size() ||
        m_arrRowOutputs[static_cast<size_t>(row)].IsEmpty() ||
        m_listFiles.GetItemText(row, kResultColumn) != L"OK")
        return;
    OpenOutput(m_hWnd, m_arrRowOutputs[static_cast<size_t>(row)]);
}

LRESULT CConverterDlg::OnOutputNotOpened(WPARAM code, LPARAM) {
    ::MessageBoxA(m_hWnd, OutputNotOpenedReason(static_cast<int>(code)), "Tarnvel", MB_OK | MB_ICONWARNING);
    return 0;
}

void CConverterDlg::CopySelectedRows() {
    CStringW table;
    for (int row = -1; (row = m_listFiles.GetNextItem(row, LVNI_SELECTED)) >= 0;) {
        for (int column = 0; column < kListColumns; ++column) {
            AppendCell(table, m_listFiles.GetItemText(row, column));
            table += L'\t';
        }
        if (static_cast<size_t>(row) < m_arrResultReasons.size())
            AppendCell(table, m_arrResultReasons[static_cast<size_t>(row)]);
        table += L"\r\n";
    }
    if (table.IsEmpty())
        return;
    const ClipboardScope clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return;
    ::EmptyClipboard();
    // NT keeps every letter of a name in the Unicode text; the code page's text is for the
    // programs that read no other, and all that Windows 95, 98 and Me have.
    if (files::WideNames())
        PutOnClipboard(CF_UNICODETEXT, table.GetString(),
                       (static_cast<size_t>(table.GetLength()) + 1) * sizeof(wchar_t));
    const CString ansi = files::AnsiLookAlike(table);
    PutOnClipboard(CF_TEXT, ansi.GetString(), static_cast<size_t>(ansi.GetLength()) + 1);
}
