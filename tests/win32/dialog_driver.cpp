#include "win32/dialog_driver.h"

#include "convert/folder_walk.h"
#include "ui/converter_dlg.h"
#include "ui/folder_tree_ctrl.h" // WM_FOLDER_SELECTED
#include "ui/resource.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {
HWND List(HWND dialog) {
    return ::GetDlgItem(dialog, IDC_LIST_FILES);
}

INT_PTR RunMain(const std::function<void(HWND)>& body, bool end, UINT timeoutMs) {
    CConverterDlg dialog;
    return RunModal(
        dialog,
        [&](CDialog& running) {
            body(running.GetSafeHwnd());
            if (end)
                running.EndDialog(IDCANCEL);
        },
        timeoutMs);
}
} // namespace

INT_PTR RunMainDialog(const std::function<void(HWND)>& body, UINT timeoutMs) {
    return RunMain(body, false, timeoutMs);
}

INT_PTR WithMainDialog(const std::function<void(HWND)>& body, UINT timeoutMs) {
    return RunMain(body, true, timeoutMs);
}

void SendFolderSelected(HWND dialog, const std::string& folder) {
    const std::wstring path = Wide(folder);
    ::SendMessageA(dialog, WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(path.c_str()), 0);
}

void SelectFolder(HWND dialog, const std::string& folder) {
    SendFolderSelected(dialog, folder);
    EXPECT_TRUE(WaitForListing(dialog, folder)) << folder << " was not listed";
}

bool WaitForListing(HWND dialog, const std::string& folder, DWORD ms) {
    const bool below = ::IsDlgButtonChecked(dialog, IDC_SUBFOLDERS) == BST_CHECKED;
    int files = 0;
    WalkFolder(
        &ReadFolderEntries, Wide(folder).c_str(), below, [&](const CStringW&, const WIN32_FIND_DATAW& found) {
            files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsAwdFileName(found.cFileName);
            return true;
        });
    return Serve(ms, [&] { return RowCount(dialog) == files; });
}

int RowCount(HWND dialog) {
    return ListView_GetItemCount(List(dialog));
}

std::string CellOf(HWND dialog, int row, int column) {
    wchar_t text[MAX_PATH * 2] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = MAX_PATH * 2;
    ::SendMessageA(List(dialog), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return Utf8(text);
}

std::string ResultOf(HWND dialog, int row) {
    return CellOf(dialog, row, 3);
}

int RowOf(HWND dialog, const std::string& name) {
    for (int row = 0; row < RowCount(dialog); ++row)
        if (CellOf(dialog, row, 0) == name)
            return row;
    return -1;
}

int CheckOf(HWND dialog, int row) {
    return static_cast<int>(ListView_GetItemState(List(dialog), row, LVIS_STATEIMAGEMASK) >> 12);
}

void Tick(HWND dialog, int row, bool ticked) {
    ListView_SetItemState(List(dialog), row, INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void TickAll(HWND dialog) {
    Tick(dialog, -1); // every row
}

namespace {
// The result's tooltip, its one tool and the tool's text; null when there is none.
HWND ResultTipTool(HWND dialog, TTTOOLINFOW& tool, wchar_t (&text)[512]) {
    const HWND tip =
        FindWindowOf(TOOLTIPS_CLASSA, [&](HWND w) { return ::GetWindow(w, GW_OWNER) == dialog; });
    tool = TTTOOLINFOW{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    if (!tip || !::SendMessageA(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)))
        return nullptr;
    // The wide form: the narrow one hands over at most 80 characters.
    text[0] = L'\0';
    tool.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return tip;
}
} // namespace

std::string ResultTipOf(HWND dialog, int row) {
    const HWND list = List(dialog);
    RECT cell{LVIR_BOUNDS, 3, 0, 0}; // left: the part, top: the column
    ::SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    ::PostMessageA(list, WM_MOUSEMOVE, 0,
                   MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    Serve(0);
    TTTOOLINFOW tool;
    wchar_t text[512];
    if (!ResultTipTool(dialog, tool, text))
        return "(no tooltip)";
    return Utf8(text);
}

SIZE ResultTipSizeOf(HWND dialog) {
    TTTOOLINFOW tool;
    wchar_t text[512];
    const HWND tip = ResultTipTool(dialog, tool, text);
    RECT shown{0, 0, 0, 0};
    if (!tip)
        return SIZE{0, 0};
    // Shown by the test rather than by the mouse, which is elsewhere: its window is the bubble.
    ::SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ::GetWindowRect(tip, &shown);
    ::SendMessageA(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    return SIZE{shown.right - shown.left, shown.bottom - shown.top};
}

void TypeOutputFolder(HWND dialog, const std::string& folder) {
    ::SetDlgItemTextW(dialog, IDC_OUTPUT_FOLDER, Wide(folder).c_str());
}

std::string OutputFolderOf(HWND dialog) {
    wchar_t text[MAX_PATH * 2] = L"";
    ::GetDlgItemTextW(dialog, IDC_OUTPUT_FOLDER, text, MAX_PATH * 2);
    return Utf8(text);
}

Progress ProgressOf(HWND dialog) {
    const HWND bar = ::GetDlgItem(dialog, IDC_PROGRESS);
    PBRANGE range{};
    ::SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    return Progress{static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0)), range.iLow, range.iHigh};
}

void PressGo(HWND dialog) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GO, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_GO)));
}

bool GoEnabled(HWND dialog) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, IDC_GO)) != FALSE;
}

bool WaitForBatchEnd(HWND dialog, DWORD ms) {
    return Serve(ms, [&] { return GoEnabled(dialog); });
}

bool RunBatch(HWND dialog, DWORD ms) {
    PressGo(dialog);
    return WaitForBatchEnd(dialog, ms);
}

void PressCtrlKeyInList(HWND dialog, char key) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    const BYTE control = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageA(List(dialog), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    keys[VK_CONTROL] = control;
    ::SetKeyboardState(keys);
}

std::string ClipboardText() {
    std::string text;
    const HANDLE data = ::OpenClipboard(nullptr) ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (const auto* locked = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr) {
        text = Utf8(locked);
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

Results ResultsOf(HWND dialog) {
    Results results;
    for (int row = 0; row < RowCount(dialog); ++row)
        results[CellOf(dialog, row, 0)] = ResultOf(dialog, row);
    return results;
}

Results ConvertFolder(const std::string& folder, const char* typed, const std::function<void(HWND)>& then,
                      const std::function<void(HWND)>& before) {
    Results results;
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, folder);
        TickAll(dialog);
        if (typed)
            TypeOutputFolder(dialog, typed);
        if (before)
            before(dialog);
        EXPECT_TRUE(RunBatch(dialog)) << "the batch did not end within " << kBatchMs << " ms";
        results = ResultsOf(dialog);
        if (then)
            then(dialog);
    });
    return results;
}
