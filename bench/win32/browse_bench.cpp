// Browsing benchmark, run under wine by scripts/bench.sh: selecting a folder of 10,000 AWD files
// in the real dialog's tree, against the floor of inserting the same 10,000 prepared rows into an
// identical list control in the same run. Prints both, their ratio, and ends with 3 when the
// refill takes more than 1.2 times the floor.
#include "ui/converter_dlg.h"
#include "ui/folder_tree_ctrl.h"
#include "win32/modal_runner.h"
#include "win32/ui/folder_tree_host.h"
#include "win32/ui/temp_folder.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int kFiles = 10000;
constexpr int kRounds = 11;
constexpr double kTarget = 1.2;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The machine is shared: the fastest of several rounds is the cost without interference.
double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// The bench folder: 10,000 AWD files of varied sizes and last-write times, and an empty sibling.
bool MakeFolders(const std::string& root) {
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "\\empty").c_str(), nullptr);
    const std::string faxes = root + "\\faxes";
    ::CreateDirectoryA(faxes.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE probe = ::FindFirstFileA((faxes + "\\fax09999.awd").c_str(), &found);
    if (probe != INVALID_HANDLE_VALUE) {
        ::FindClose(probe);
        return true; // made by an earlier run
    }
    SYSTEMTIME base{};
    base.wYear = 2008;
    base.wMonth = 5;
    base.wDay = 12;
    FILETIME start;
    ::SystemTimeToFileTime(&base, &start);
    ULARGE_INTEGER time{};
    time.LowPart = start.dwLowDateTime;
    time.HighPart = start.dwHighDateTime;
    char name[MAX_PATH];
    static const char bytes[512] = {};
    for (int i = 0; i < kFiles; ++i) {
        wsprintfA(name, "%s\\fax%05d.awd", faxes.c_str(), i);
        HANDLE file =
            ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        ::WriteFile(file, bytes, static_cast<DWORD>(i % sizeof(bytes)), &written, nullptr);
        time.QuadPart += 37ull * 60 * 10000000; // 37 minutes apart: about ten days in all
        FILETIME lastWrite{time.LowPart, time.HighPart};
        ::SetFileTime(file, nullptr, nullptr, &lastWrite);
        ::CloseHandle(file);
    }
    return true;
}

struct PreparedRow {
    CString name, size, time;
};

// A list control made like the dialog's: same class, styles, font, size, check boxes, columns.
HWND MakeFloorList(CConverterDlg& dlg) {
    HWND list = dlg.m_listFiles.m_hWnd;
    RECT rect;
    ::GetWindowRect(list, &rect);
    RECT dialog;
    ::GetWindowRect(dlg.m_hWnd, &dialog);
    // The dialog grows to the right so that the two lists do not overlap.
    const int width = dialog.right - dialog.left;
    ::SetWindowPos(dlg.m_hWnd, nullptr, 0, 0, width * 2, dialog.bottom - dialog.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    POINT topLeft{rect.left, rect.top};
    ::ScreenToClient(dlg.m_hWnd, &topLeft);
    HWND floor = ::CreateWindowExA(static_cast<DWORD>(::GetWindowLongA(list, GWL_EXSTYLE)), WC_LISTVIEWA, "",
                                   static_cast<DWORD>(::GetWindowLongA(list, GWL_STYLE)), topLeft.x + width,
                                   topLeft.y, rect.right - rect.left, rect.bottom - rect.top, dlg.m_hWnd,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(floor, WM_SETFONT, ::SendMessageA(list, WM_GETFONT, 0, 0), TRUE);
    CListCtrl control;
    control.Attach(floor);
    control.SetExtendedStyle(dlg.m_listFiles.GetExtendedStyle());
    const char* headings[] = {"Awd Files", "Size", "Last Modified Date", "Result "};
    for (int i = 0; i < 4; ++i)
        control.InsertColumn(
            i, headings[i], LVCFMT_LEFT,
            static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0)));
    control.Detach();
    return floor;
}

// The floor: the prepared rows into the floor list, drawing suspended, then one repaint.
double InsertFloor(HWND floor, const std::vector<PreparedRow>& rows) {
    CListCtrl control;
    control.Attach(floor);
    const double start = Now();
    control.SendMessage(WM_SETREDRAW, FALSE);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const int row = control.InsertItem(i, rows[static_cast<size_t>(i)].name);
        control.SetItemText(row, 1, rows[static_cast<size_t>(i)].size);
        control.SetItemText(row, 2, rows[static_cast<size_t>(i)].time);
    }
    control.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(floor, nullptr, TRUE);
    ::UpdateWindow(floor);
    const double seconds = Now() - start;
    control.SendMessage(WM_SETREDRAW, FALSE);
    control.DeleteAllItems();
    control.SendMessage(WM_SETREDRAW, TRUE);
    control.Detach();
    return seconds;
}

// A selection in the tree, with the list's repaint that follows it.
double SelectInTree(CConverterDlg& dlg, HTREEITEM item) {
    const double start = Now();
    dlg.m_treeFolders.SelectItem(item);
    ::UpdateWindow(dlg.m_listFiles.m_hWnd);
    return Now() - start;
}

// The folder's message sent again while its 10,000 rows are listed.
double Reselect(CConverterDlg& dlg, const std::string& path) {
    const double start = Now();
    dlg.SendMessage(WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(path.c_str()), 0);
    ::UpdateWindow(dlg.m_listFiles.m_hWnd);
    return Now() - start;
}

int RunBench(const std::string& root) {
    if (!MakeFolders(root)) {
        std::printf("browse: cannot create the bench folder under %s\n", root.c_str());
        return 1;
    }
    int status = 1;
    CConverterDlg dlg;
    RunModal(
        dlg,
        [&](CDialog&) {
            HTREEITEM folder = ExpandToPath(dlg.m_treeFolders, root);
            if (!folder) {
                std::printf("browse: %s not found in the tree\n", root.c_str());
                dlg.EndDialog(IDABORT);
                return;
            }
            ExpandItem(dlg.m_treeFolders, folder);
            HTREEITEM empty = nullptr, faxes = nullptr;
            for (HTREEITEM child : Children(dlg.m_treeFolders, folder)) {
                const std::string text = ItemText(dlg.m_treeFolders, child);
                (text == "empty" ? empty : faxes) = child;
            }
            // The prepared rows are what the dialog itself shows for the folder.
            const std::string faxesPath = root + "\\faxes";
            dlg.ScanFolder(faxesPath.c_str());
            std::vector<PreparedRow> rows;
            for (int i = 0; i < dlg.m_arrFileNames.GetSize(); ++i) {
                const CString& details = dlg.m_arrFileDetails[i];
                const int comma = details.Find(',');
                rows.push_back({dlg.m_arrFileNames[i], details.Left(comma), details.Mid(comma + 1)});
            }
            HWND floor = MakeFloorList(dlg);
            PumpMessages();

            // Each round measures the floor and the selection back to back, in alternating order, and
            // their ratio: the machine is shared, and a ratio within one round sees the same load.
            std::vector<double> floors, refills, ratios, replaces;
            for (int round = 0; round < kRounds; ++round) {
                SelectInTree(dlg, empty);
                PumpMessages();
                double floorTime = 0, refillTime = 0;
                if (round % 2)
                    floorTime = InsertFloor(floor, rows);
                refillTime = SelectInTree(dlg, faxes);
                PumpMessages();
                if (round % 2 == 0)
                    floorTime = InsertFloor(floor, rows);
                PumpMessages();
                floors.push_back(floorTime);
                refills.push_back(refillTime);
                ratios.push_back(refillTime / floorTime);
                // The same folder again through the dialog's handler: a refill that first empties 10,000
                // rows.
                replaces.push_back(Reselect(dlg, faxesPath));
                PumpMessages();
            }
            std::vector<double> scans;
            for (int round = 0; round < kRounds; ++round) {
                const double start = Now();
                dlg.ScanFolder(faxesPath.c_str());
                scans.push_back(Now() - start);
            }
            const int listed = dlg.m_listFiles.GetItemCount();
            const double ratio = Median(ratios);
            std::printf("browse: rows listed by the dialog: %d (prepared rows: %d)\n", listed,
                        static_cast<int>(rows.size()));
            std::printf(
                "browse: floor, insert %d prepared rows into an identical list: median %.3f s, best %.3f s\n",
                kFiles, Median(floors), Best(floors));
            std::printf("browse: select the %d-file folder in the tree (list empty before): median %.3f s, "
                        "best %.3f s\n",
                        kFiles, Median(refills), Best(refills));
            std::printf("browse:   of which the folder scan alone: best %.3f s\n", Best(scans));
            std::printf(
                "browse: ratio %.2f x the floor (median of the rounds' ratios; lowest %.2f, highest %.2f; "
                "target %.1f x)\n",
                ratio, *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()), kTarget);
            std::printf(
                "browse: the same folder again while its rows are listed (empties %d rows first): median "
                "%.3f s (%.2f x the floor's median)\n",
                kFiles, Median(replaces), Median(replaces) / Median(floors));
            std::printf("browse: %d rounds, floor and selection back to back in alternating order\n",
                        kRounds);
            std::fflush(stdout);
            status =
                listed == kFiles && static_cast<int>(rows.size()) == kFiles ? (ratio <= kTarget ? 0 : 3) : 1;
            dlg.EndDialog(IDOK);
        },
        600000);
    return status;
}
} // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    const HRESULT ole = ::OleInitialize(nullptr);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = argc > 1 ? argv[1] : std::string(temp) + "tarnvel-bench-browse";
    const int status = RunBench(root);
    // The 10,000 files must not stay behind in the prefix's temporary folder.
    if (argc <= 1)
        RemoveTree(root);
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    return status;
}
