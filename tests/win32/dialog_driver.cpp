#include "win32/dialog_driver.h"

#include "ui/converter_dlg.h"
#include "ui/folder_tree_ctrl.h" // WM_FOLDER_SELECTED
#include "ui/resource.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {
HWND List(HWND dialog) {
    return ::GetDlgItem(dialog, IDC_LIST_FILES);
}

struct TipSearch {
    HWND owner;
    HWND tip;
};

BOOL CALLBACK FindTip(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<TipSearch*>(lParam);
    char name[32] = "";
    ::GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || ::GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->tip = window;
    return FALSE;
}
} // namespace

INT_PTR RunMainDialog(const std::function<void(HWND)>& body, UINT timeoutMs) {
    CConverterDlg dialog;
    return RunModal(
        dialog, [&](CDialog& running) { body(running.GetSafeHwnd()); }, timeoutMs);
}

INT_PTR WithMainDialog(const std::function<void(HWND)>& body, UINT timeoutMs) {
    CConverterDlg dialog;
    return RunModal(
        dialog,
        [&](CDialog& running) {
            body(running.GetSafeHwnd());
            running.EndDialog(IDCANCEL);
        },
        timeoutMs);
}

void SelectFolder(HWND dialog, const std::string& folder) {
    ::SendMessageA(dialog, WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(folder.c_str()), 0);
}

int RowCount(HWND dialog) {
    return static_cast<int>(::SendMessageA(List(dialog), LVM_GETITEMCOUNT, 0, 0));
}

std::string CellOf(HWND dialog, int row, int column) {
    char text[MAX_PATH * 2] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(List(dialog), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
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
    return static_cast<int>(
        ::SendMessageA(List(dialog), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12);
}

void Tick(HWND dialog, int row, bool ticked) {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    ::SendMessageA(List(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void TickAll(HWND dialog) {
    // Row -1 is every row.
    Tick(dialog, -1);
}

std::string ResultTipOf(HWND dialog, int row) {
    const HWND list = List(dialog);
    RECT cell{};
    cell.top = 3;
    cell.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    ::PostMessageA(list, WM_MOUSEMOVE, 0,
                   MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    Serve(0);
    TipSearch search{dialog, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindTip, reinterpret_cast<LPARAM>(&search));
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    if (!search.tip || !::SendMessageA(search.tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)))
        return "(no tooltip)";
    // The wide form: the narrow one hands over at most 80 characters.
    wchar_t text[512] = L"";
    tool.lpszText = text;
    ::SendMessageA(search.tip, TTM_GETTEXTW, sizeof(text) / sizeof(text[0]), reinterpret_cast<LPARAM>(&tool));
    char narrow[1024] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
    return narrow;
}

void TypeOutputFolder(HWND dialog, const std::string& folder) {
    ::SetDlgItemTextA(dialog, IDC_OUTPUT_FOLDER, folder.c_str());
}

std::string OutputFolderOf(HWND dialog) {
    char text[MAX_PATH * 2] = "";
    ::GetDlgItemTextA(dialog, IDC_OUTPUT_FOLDER, text, sizeof(text));
    return text;
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

Results ResultsOf(HWND dialog) {
    Results results;
    for (int row = 0; row < RowCount(dialog); ++row)
        results[CellOf(dialog, row, 0)] = ResultOf(dialog, row);
    return results;
}

Results ConvertFolder(const std::string& folder, const char* typed, const std::function<void(HWND)>& then) {
    Results results;
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, folder);
        TickAll(dialog);
        if (typed)
            TypeOutputFolder(dialog, typed);
        EXPECT_TRUE(RunBatch(dialog)) << "the batch did not end within " << kBatchMs << " ms";
        results = ResultsOf(dialog);
        if (then)
            then(dialog);
    });
    return results;
}
