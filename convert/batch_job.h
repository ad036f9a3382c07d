// What a batch works on: copies taken on the window thread when Go starts it, so that the
// worker never reads a folder string or a list row while the window thread replaces it.
#pragma once

#include "framework/cstring.h"

#include <windows.h>

#include <atomic>
#include <vector>

struct BatchRow {
    int index;    // the row's place in the list when the batch started
    CString name; // column 0
    bool ticked;
};

struct BatchJob {
    CString sourceFolder;
    CString outputFolder;
    std::vector<BatchRow> rows;
    unsigned listGeneration = 0; // results land only while the list still holds these rows
    std::atomic<bool> stopRequested{false};
};

// The worker's synchronous requests to the window thread (SendMessage to the dialog).
// wParam TRUE: the batch begins (SetBusyState).
constexpr UINT WM_BATCH_BEGIN = WM_APP + 20;
// A row was converted: wParam the row index, lParam its result text ("OK" or "Fail"). The row
// gets the text and the progress bar steps.
constexpr UINT WM_BATCH_ROW_DONE = WM_APP + 21;
// Rows passed over without a conversion: the progress bar steps wParam times at once (a
// message per row would cost more than the rows themselves).
constexpr UINT WM_BATCH_STEPS = WM_APP + 24;
// Render the document at path lParam with the hosted control, which only its own thread may
// call. Returns the HRESULT.
constexpr UINT WM_BATCH_RENDER = WM_APP + 22;
// The worker's last message: wParam the count of converted files. The thread touches nothing
// of the dialog afterwards.
constexpr UINT WM_BATCH_END = WM_APP + 23;
