// Works the running main window the way its user does, given only its window: a folder selected
// as the folder tree selects it, rows ticked and read through the list's own messages, the output
// field typed into, Go pressed, and the batch's end seen where the user sees it, Go enabled again.
// Nothing here reads or writes the dialog object; every wait has a bound.
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

// A folder selected in the tree: the message the tree sends its dialog on a selection (the
// folder tree's tests select in the tree itself: ui/folder_tree_host.h).
void SelectFolder(HWND dialog, const std::string& folder);

int RowCount(HWND dialog);
std::string CellOf(HWND dialog, int row, int column);
std::string ResultOf(HWND dialog, int row);
// The row that shows the file `name`, or -1.
int RowOf(HWND dialog, const std::string& name);
// The row's check box as the list keeps it: 1 unticked, 2 ticked, 0 none.
int CheckOf(HWND dialog, int row);
void Tick(HWND dialog, int row, bool ticked = true);
void TickAll(HWND dialog);
// What the tooltip tells when the mouse rests on the row's result; the move goes through the
// dialog's own relay of the list's mouse messages.
std::string ResultTipOf(HWND dialog, int row);

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

// Clicks Go as the button does: its BN_CLICKED command, sent.
void PressGo(HWND dialog);
bool GoEnabled(HWND dialog);
// Waits until Go is enabled again, which is the batch's end as the window shows it (Go is
// disabled the moment a batch starts); false after `ms`.
bool WaitForBatchEnd(HWND dialog, DWORD ms = kBatchMs);
// Presses Go and waits for the batch's end.
bool RunBatch(HWND dialog, DWORD ms = kBatchMs);

// File name -> result of every row.
using Results = std::map<std::string, std::string>;
Results ResultsOf(HWND dialog);
// The block most conversion tests share: a new main dialog lists `folder`, every row is ticked,
// `typed` goes into the output field when given, Go is pressed and the batch's end awaited;
// `then` may look at the dialog afterwards. The results by file name.
Results ConvertFolder(const std::string& folder, const char* typed = nullptr,
                      const std::function<void(HWND)>& then = nullptr);
