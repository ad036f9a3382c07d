// What a batch works on: copies taken on the window thread when Go starts it, so that the
// worker never reads a folder string or a list row while the window thread replaces it. Every
// name is the file system's own (framework/cstring_w.h).
#pragma once

#include "convert/output_path.h"
#include "framework/cstring_w.h"
#include "tiffcopy/tiffcopy.h"

#include <windows.h>

#include <vector>

struct BatchRow {
    int index;     // the row's place in the list when the batch started
    CStringW name; // column 0
    bool ticked;
};

struct BatchJob {
    CStringW sourceFolder;
    CStringW outputFolder;
    std::vector<BatchRow> rows;
    unsigned listGeneration = 0; // results land only while the list still holds these rows
    int windowsGeneration = 0;   // picks the renderer
    CStringW tempTiffPath;       // where the renderer writes each document
    CStringW programFolder;      // Tarnvel.exe's folder, where the fax viewer program may lie
    CopyOptions copyOptions{};
    OutputFormat format = OutputFormat::Tiff; // the PDF check box when Go was pressed
};

// A converted or failed row, as WM_BATCH_ROW_DONE hands it over.
struct BatchRowResult {
    int index;          // the row
    const char* text;   // "OK" or "Fail"
    const char* reason; // why it failed, for the user; empty for "OK"
};

// The worker's synchronous reports to the window that started the batch (SendMessage).
// The batch begins (SetBusyState).
constexpr UINT WM_BATCH_BEGIN = WM_APP + 20;
// A row was converted: lParam the BatchRowResult. The row gets its text and the bar steps.
constexpr UINT WM_BATCH_ROW_DONE = WM_APP + 21;
// Rows passed over without a conversion: the progress bar steps wParam times at once (a
// message per row would cost more than the rows themselves).
constexpr UINT WM_BATCH_STEPS = WM_APP + 24;
// The worker's last message: wParam the count of converted files. The thread touches nothing
// of the batch afterwards.
constexpr UINT WM_BATCH_END = WM_APP + 23;
