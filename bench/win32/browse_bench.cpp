// Browsing benchmark, run under wine by scripts/bench.sh: selecting a folder of 10,000 AWD files
// in the real dialog's tree, timed to its last row, against the floor of plain Win32 doing the
// same in the same run:
// enumerating the folder and inserting its rows into a list made like the dialog's, in a window
// of a plain class (no subclassing, no object of ours on the way), drawing suspended. Then, with
// Subfolders ticked, a tree of 50,000 AWD files in 2,000 folders against a plain recursive walk
// inserting the same rows, while a probe sends the window a message every 20 ms. Prints the
// figures and ratios, and ends with 3 when the folder takes more than 1.2 times its floor, the
// tree more than 1.5 times its floor, or the window an answer 100 ms or more.
#include "ui/converter_dlg.h"
#include "ui/folder_listing.h"
#include "ui/folder_tree_ctrl.h"
#include "ui/resource.h"
#include "win32/answer_probe.h"
#include "win32/modal_runner.h"
#include "win32/ui/folder_tree_host.h"
#include "win32/ui/temp_folder.h"
#include "win32/wide_text.h"

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
// The tree: 40 folders of 49 folders each, 2,000 folders in all with the 40, 25 faxes in each.
constexpr int kTreeTops = 40;
constexpr int kTreeSubs = 49;
constexpr int kTreeFilesPerFolder = 25;
constexpr int kTreeFiles = kTreeTops * (kTreeSubs + 1) * kTreeFilesPerFolder;
constexpr int kTreeRounds = 3;
constexpr double kTreeTarget = 1.5;
constexpr DWORD kProbeIntervalMs = 20;
constexpr double kAnswerTargetMs = 100;


double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The machine is shared: the fastest of several rounds is the cost without interference.
double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// `count` AWD files in `folder` named `prefix`00000.awd on, of varied sizes and last-write times 37
// minutes apart from `time` on (which moves on with them). False when one cannot be made.
bool MakeFaxes(const std::string& folder, const char* prefix, int count, ULARGE_INTEGER& time) {
    char name[MAX_PATH];
    static const char bytes[512] = {};
    for (int i = 0; i < count; ++i) {
        wsprintfA(name, "%s\\%s%05d.awd", folder.c_str(), prefix, i);
        HANDLE file =
            ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        ::WriteFile(file, bytes, static_cast<DWORD>(i % sizeof(bytes)), &written, nullptr);
        time.QuadPart += 37ull * 60 * 10000000;
        FILETIME lastWrite{time.LowPart, time.HighPart};
        ::SetFileTime(file, nullptr, nullptr, &lastWrite);
        ::CloseHandle(file);
    }
    return true;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The bench folders: 10,000 AWD files in one folder (about ten days of faxes), an empty sibling,
// and the tree of 50,000 AWD files in 2,000 folders.
bool MakeFolders(const std::string& root) {
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "\\empty").c_str(), nullptr);
    SYSTEMTIME base{};
    base.wYear = 2008;
    base.wMonth = 5;
    base.wDay = 12;
    FILETIME start;
    ::SystemTimeToFileTime(&base, &start);
    ULARGE_INTEGER time{};
    time.LowPart = start.dwLowDateTime;
    time.HighPart = start.dwHighDateTime;
    const std::string faxes = root + "\\faxes";
    ::CreateDirectoryA(faxes.c_str(), nullptr);
    // Each part made by an earlier run stays.
    if (!Exists(faxes + "\\fax09999.awd") && !MakeFaxes(faxes, "fax", kFiles, time))
        return false;
    const std::string tree = root + "\\tree";
    char folder[MAX_PATH];
    wsprintfA(folder, "%s\\y%02d\\m%02d", tree.c_str(), kTreeTops - 1, kTreeSubs - 1);
    if (Exists(std::string(folder) + "\\fax00024.awd"))
        return true;
    ::CreateDirectoryA(tree.c_str(), nullptr);
    for (int top = 0; top < kTreeTops; ++top) {
        wsprintfA(folder, "%s\\y%02d", tree.c_str(), top);
        ::CreateDirectoryA(folder, nullptr);
        if (!MakeFaxes(folder, "fax", kTreeFilesPerFolder, time))
            return false;
        for (int sub = 0; sub < kTreeSubs; ++sub) {
            wsprintfA(folder, "%s\\y%02d\\m%02d", tree.c_str(), top, sub);
            ::CreateDirectoryA(folder, nullptr);
            if (!MakeFaxes(folder, "fax", kTreeFilesPerFolder, time))
                return false;
        }
    }
    return true;
}

struct PreparedRow {
    CStringW name, size, time;
};

// A window of a plain class, whose procedure is the system's default.
HWND MakePlainWindow(const RECT& rect) {
    static const ATOM plainClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TarnvelBenchPlain";
        return ::RegisterClassA(&wc);
    }();
    (void)plainClass;
    return ::CreateWindowExA(0, "TarnvelBenchPlain", "floor", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// The floor's list: made like the dialog's (class, styles, font, size, check boxes, column
// widths), in a plain window of the dialog's size placed beside it, by plain calls only.
HWND MakeFloorList(CConverterDlg& dlg) {
    HWND list = dlg.m_listFiles.m_hWnd;
    RECT dialog;
    ::GetWindowRect(dlg.m_hWnd, &dialog);
    ::OffsetRect(&dialog, dialog.right - dialog.left, 0);
    HWND window = MakePlainWindow(dialog);
    RECT rect;
    ::GetWindowRect(list, &rect);
    POINT topLeft{rect.left, rect.top};
    ::ScreenToClient(dlg.m_hWnd, &topLeft);
    HWND floor = ::CreateWindowExA(static_cast<DWORD>(::GetWindowLongA(list, GWL_EXSTYLE)), WC_LISTVIEWA, "",
                                   static_cast<DWORD>(::GetWindowLongA(list, GWL_STYLE)), topLeft.x,
                                   topLeft.y, rect.right - rect.left, rect.bottom - rect.top, window, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(floor, WM_SETFONT, ::SendMessageA(list, WM_GETFONT, 0, 0), TRUE);
    ::SendMessageA(floor, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   ::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const char* headings[] = {"Awd Files", "Size", "Last Modified Date", "Result "};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        column.pszText = const_cast<char*>(headings[i]);
        column.iSubItem = i;
        ::SendMessageA(floor, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    return floor;
}

void SetPlainItemText(HWND list, int row, int column, const wchar_t* text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text);
    ::SendMessageA(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool IsAwd(const WIN32_FIND_DATAW& found) {
    const int length = ::lstrlenW(found.cFileName);
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && length >= 3 &&
           ::lstrcmpiW(found.cFileName + length - 3, L"awd") == 0;
}

// A plain walk: each entry of `root`\`relative` to `onEntry` with its name below `root`, then, with
// `subfolders`, each folder below it the same way (links not entered), depth first.
template <class OnEntry>
void WalkPlain(const std::wstring& root, const std::wstring& relative, bool subfolders, OnEntry& onEntry) {
    WIN32_FIND_DATAW found;
    HANDLE find =
        ::FindFirstFileW(((relative.empty() ? root : root + L"\\" + relative) + L"\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::wstring> below;
    do {
        const std::wstring name = relative.empty() ? found.cFileName : relative + L"\\" + found.cFileName;
        onEntry(name, found);
        if (subfolders && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && ::lstrcmpW(found.cFileName, L".") &&
            ::lstrcmpW(found.cFileName, L".."))
            below.push_back(name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    for (const std::wstring& folder : below)
        WalkPlain(root, folder, subfolders, onEntry);
}

// The floor: the folder (with `subfolders`, the folders below it too) walked and its AWD files
// inserted into the floor list by their names as the file system holds them (as the dialog does
// on NT-based Windows), drawing suspended, then one repaint. The sizes are formatted from the
// enumeration; the date texts come prepared (their formatting is the dialog's own work, so the
// floor leaves it out). Returns the seconds, or a negative value when the rows differ from the
// prepared ones.
double InsertFloor(HWND floor, const std::string& folder, bool subfolders,
                   const std::vector<PreparedRow>& rows) {
    const double start = Now();
    ::SendMessageA(floor, WM_SETREDRAW, FALSE, 0);
    int count = 0;
    bool same = true;
    auto insert = [&](const std::wstring& name, const WIN32_FIND_DATAW& found) {
        if (!IsAwd(found) || count >= static_cast<int>(rows.size()))
            return;
        const PreparedRow& prepared = rows[static_cast<size_t>(count)];
        const std::wstring size = std::to_wstring(found.nFileSizeLow);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = count;
        item.pszText = const_cast<wchar_t*>(name.c_str());
        const int row =
            static_cast<int>(::SendMessageA(floor, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        SetPlainItemText(floor, row, 1, size.c_str());
        SetPlainItemText(floor, row, 2, prepared.time);
        same = same && prepared.name == name.c_str() && prepared.size == size.c_str();
        ++count;
    };
    WalkPlain(Wide(folder), std::wstring(), subfolders, insert);
    ::SendMessageA(floor, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(floor, nullptr, TRUE);
    ::UpdateWindow(floor);
    const double seconds = Now() - start;
    same = same && count == static_cast<int>(rows.size()) &&
           ::SendMessageA(floor, LVM_GETITEMCOUNT, 0, 0) == count;
    ::SendMessageA(floor, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(floor, LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageA(floor, WM_SETREDRAW, TRUE, 0);
    return same ? seconds : -1;
}

// Serves the dialog until its list holds `rows` rows, then lets the list repaint.
void ServeUntilListed(CConverterDlg& dlg, int rows) {
    Serve(60000, [&] { return dlg.m_listFiles.GetItemCount() == rows; });
    ::UpdateWindow(dlg.m_listFiles.m_hWnd);
}

// A selection in the tree, until its last row is listed and shown.
double SelectInTree(CConverterDlg& dlg, HTREEITEM item, int rows) {
    const double start = Now();
    dlg.m_treeFolders.SelectItem(item);
    ServeUntilListed(dlg, rows);
    return Now() - start;
}

// The folder's message sent again while its 10,000 rows are listed, until they are listed again.
double Reselect(CConverterDlg& dlg, const std::string& path) {
    const double start = Now();
    const std::wstring folder = Wide(path);
    dlg.SendMessage(WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(folder.c_str()), 0);
    ServeUntilListed(dlg, kFiles);
    return Now() - start;
}

// With Subfolders ticked, the tree selected until its last row is listed and shown, against the
// floor walking it and inserting its rows, back to back in alternating order, while a probe
// measures the window's answers; prints the figures. 0 when the targets are met, 3 when missed, 1
// when the rows are not the tree's.
int RunTreeRounds(CConverterDlg& dlg, HTREEITEM empty, HTREEITEM tree, const std::string& treePath,
                  HWND floor) {
    SelectInTree(dlg, empty, 0);
    ::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDC_SUBFOLDERS), BM_CLICK, 0, 0);
    std::vector<double> floors, listings, ratios;
    double worstMs = 0;
    int samples = 0;
    std::vector<PreparedRow> rows;
    for (int round = 0; round < kTreeRounds + 1; ++round) {
        SelectInTree(dlg, empty, 0);
        PumpMessages();
        double floorTime = 0, listing = 0;
        if (round > 0 && round % 2)
            floorTime = InsertFloor(floor, treePath, true, rows);
        {
            const AnswerProbe probe(dlg.m_hWnd, kProbeIntervalMs);
            listing = SelectInTree(dlg, tree, kTreeFiles);
            worstMs = std::max(worstMs, probe.WorstMs());
            samples += probe.Samples();
        }
        PumpMessages();
        // The first round only prepares the rows: what the dialog itself shows for the tree.
        if (round == 0) {
            for (int i = 0; i < dlg.m_listFiles.GetItemCount(); ++i)
                rows.push_back({dlg.m_listFiles.GetItemText(i, 0), dlg.m_listFiles.GetItemText(i, 1),
                                dlg.m_listFiles.GetItemText(i, 2)});
            continue;
        }
        if (round % 2 == 0)
            floorTime = InsertFloor(floor, treePath, true, rows);
        PumpMessages();
        if (floorTime < 0 || static_cast<int>(rows.size()) != kTreeFiles) {
            std::printf("browse tree: the floor's rows differ from the dialog's (%d rows listed)\n",
                        static_cast<int>(rows.size()));
            return 1;
        }
        floors.push_back(floorTime);
        listings.push_back(listing);
        ratios.push_back(listing / floorTime);
    }
    std::vector<double> walks;
    for (int round = 0; round < kTreeRounds; ++round) {
        const double start = Now();
        int found = 0;
        auto count = [&](const std::wstring&, const WIN32_FIND_DATAW& entry) { found += IsAwd(entry); };
        WalkPlain(Wide(treePath), std::wstring(), true, count);
        walks.push_back(found == kTreeFiles ? Now() - start : 1e9);
    }
    const double ratio = Median(ratios);
    std::printf("browse tree: floor, plain Win32: walk the tree of %d folders recursively with FindFirstFile "
                "and insert its %d rows into a plain list, drawing suspended: median %.3f s, best %.3f s\n",
                kTreeTops * (kTreeSubs + 1), kTreeFiles, Median(floors), Best(floors));
    std::printf("browse tree:   of which the walk alone: best %.3f s\n", Best(walks));
    std::printf("browse tree: select the tree with Subfolders ticked, to its last row (list empty before): "
                "median %.3f s, best %.3f s\n",
                Median(listings), Best(listings));
    std::printf(
        "browse tree: ratio %.2f x the floor (median of the rounds' ratios; lowest %.2f, highest %.2f; "
        "target %.1f x)\n",
        ratio, *std::min_element(ratios.begin(), ratios.end()),
        *std::max_element(ratios.begin(), ratios.end()), kTreeTarget);
    std::printf(
        "browse tree: the window's slowest answer while the tree was listed: %.1f ms (%d messages, one "
        "every %lu ms; target under %.0f ms)\n",
        worstMs, samples, kProbeIntervalMs, kAnswerTargetMs);
    std::printf("browse tree: %d rounds, floor and listing back to back in alternating order\n", kTreeRounds);
    std::fflush(stdout);
    return ratio <= kTreeTarget && worstMs < kAnswerTargetMs ? 0 : 3;
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
            HTREEITEM empty = nullptr, faxes = nullptr, tree = nullptr;
            for (HTREEITEM child : Children(dlg.m_treeFolders, folder)) {
                const std::string text = ItemText(dlg.m_treeFolders, child);
                (text == "empty" ? empty : text == "tree" ? tree : faxes) = child;
            }
            // The prepared rows are what the dialog itself shows for the folder.
            const std::string faxesPath = root + "\\faxes";
            SelectInTree(dlg, faxes, kFiles);
            std::vector<PreparedRow> rows;
            for (int i = 0; i < dlg.m_listFiles.GetItemCount(); ++i)
                rows.push_back({dlg.m_listFiles.GetItemText(i, 0), dlg.m_listFiles.GetItemText(i, 1),
                                dlg.m_listFiles.GetItemText(i, 2)});
            HWND floor = MakeFloorList(dlg);
            PumpMessages();

            // Each round measures the floor and the selection back to back, in alternating order, and
            // their ratio: the machine is shared, and a ratio within one round sees the same load.
            std::vector<double> floors, refills, ratios, replaces;
            for (int round = 0; round < kRounds; ++round) {
                SelectInTree(dlg, empty, 0);
                PumpMessages();
                double floorTime = 0, refillTime = 0;
                if (round % 2)
                    floorTime = InsertFloor(floor, faxesPath, false, rows);
                refillTime = SelectInTree(dlg, faxes, kFiles);
                PumpMessages();
                if (round % 2 == 0)
                    floorTime = InsertFloor(floor, faxesPath, false, rows);
                PumpMessages();
                if (floorTime < 0) {
                    std::printf("browse: the floor's rows differ from the dialog's\n");
                    dlg.EndDialog(IDABORT);
                    return;
                }
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
                int found = 0;
                ReadFolderEntries(Wide(faxesPath).c_str(), [&](const WIN32_FIND_DATAW& entry) {
                    found += IsAwdFileName(entry.cFileName);
                    return true;
                });
                scans.push_back(found == kFiles ? Now() - start : 1e9);
            }
            const int listed = dlg.m_listFiles.GetItemCount();
            const double ratio = Median(ratios);
            std::printf("browse: rows listed by the dialog: %d (prepared rows: %d)\n", listed,
                        static_cast<int>(rows.size()));
            std::printf("browse: floor, plain Win32: enumerate the folder and insert its %d rows into a "
                        "plain list, drawing "
                        "suspended: median %.3f s, best %.3f s\n",
                        kFiles, Median(floors), Best(floors));
            std::printf("browse: select the %d-file folder in the tree, to its last row (list empty before): "
                        "median %.3f s, best %.3f s\n",
                        kFiles, Median(refills), Best(refills));
            std::printf("browse:   of which the folder's enumeration alone: best %.3f s\n", Best(scans));
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
            const int treeStatus = RunTreeRounds(dlg, empty, tree, root + "\\tree", floor);
            status = status == 1 || treeStatus == 1 ? 1 : std::max(status, treeStatus);
            ::DestroyWindow(::GetParent(floor));
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
    // The 60,000 files must not stay behind in the prefix's temporary folder.
    if (argc <= 1)
        RemoveTree(root);
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    return status;
}
