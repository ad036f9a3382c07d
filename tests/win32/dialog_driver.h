// Works the running main window the way its user does, given only its window: a folder selected
// as the folder tree selects it, rows ticked and read through the list's own messages, the output
// field typed into, Go pressed, and the batch's end seen where the user sees it, Go enabled again.
// Nothing here reads or writes the dialog object; every wait has a bound. Names are UTF-8
// (win32/wide_text.h).
#pragma once

#include "win32/modal_runner.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// How long a test's batch may take before the test gives up on it.
constexpr DWORD kBatchMs = 60000;

// Runs the main dialog modally and calls `body` with its window from inside its loop; the dialog
// then runs on until it is closed, at most `timeoutMs`. DoModal's result.
INT_PTR RunMainDialog(const std::function<void(HWND)>& body, UINT timeoutMs = 60000);
// The same, and the dialog's loop ends when the body returns.
INT_PTR WithMainDialog(const std::function<void(HWND)>& body, UINT timeoutMs = 60000);

// The message the tree sends its dialog on a selection (ui/folder_tree_host.h selects in the tree),
// and then the wait until every row of the folder is listed.
void SelectFolder(HWND dialog, const std::string& folder);
// The message alone: the rows come later.
void SendFolderSelected(HWND dialog, const std::string& folder);
// Serves the dialog until it lists as many rows as `folder` has AWD files (with Subfolders ticked,
// below it too); false after `ms`.
bool WaitForListing(HWND dialog, const std::string& folder, DWORD ms = 20000);

int RowCount(HWND dialog);
std::string CellOf(HWND dialog, int row, int column);
std::string ResultOf(HWND dialog, int row);
int RowOf(HWND dialog, const std::string& name); // the row of the file `name`, or -1
// The row's check box as the list keeps it: 1 unticked, 2 ticked, 0 none.
int CheckOf(HWND dialog, int row);
void Tick(HWND dialog, int row, bool ticked = true);
void TickAll(HWND dialog);
// The tooltip of the row's result when the mouse rests on it (moved through the dialog's relay).
std::string ResultTipOf(HWND dialog, int row);
// The size of the tooltip's window showing the reason ResultTipOf last set up.
SIZE ResultTipSizeOf(HWND dialog);

void TypeOutputFolder(HWND dialog, const std::string& folder);
std::string OutputFolderOf(HWND dialog);

struct Progress {
    int pos;
    int low;
    int high;
    bool operator==(const Progress& other) const {
        return pos == other.pos && low == other.low && high == other.high;
    }
};
Progress ProgressOf(HWND dialog);

void PressGo(HWND dialog); // Go's BN_CLICKED command, sent
bool GoEnabled(HWND dialog);
// Waits until Go is enabled again, the batch's end as the window shows it; false after `ms`.
bool WaitForBatchEnd(HWND dialog, DWORD ms = kBatchMs);
bool RunBatch(HWND dialog, DWORD ms = kBatchMs); // PressGo, then WaitForBatchEnd
void PressCtrlKeyInList(HWND dialog, char key);  // Ctrl held down meanwhile
std::string ClipboardText();                     // its Unicode text

// File name -> result of every row.
using Results = std::map<std::string, std::string>;
Results ResultsOf(HWND dialog);
// A new main dialog lists `folder`, every row ticked, `typed` (when given) in the output field,
// `before` done, Go pressed and the batch's end awaited; `then` may look at the dialog afterwards.
Results ConvertFolder(const std::string& folder, const char* typed = nullptr,
                      const std::function<void(HWND)>& then = nullptr,
                      const std::function<void(HWND)>& before = nullptr);
