// A batch's reports as messages sent to a window (the window thread serves them while it waits
// for the worker): the main window's list and progress bar follow the batch this way.
#pragma once

#include "convert/batch_report.h"

// The batch begins.
constexpr UINT WM_BATCH_BEGIN = WM_APP + 20;
// lParam wParam BatchRowResults, valid during the call.
constexpr UINT WM_BATCH_ROW_DONE = WM_APP + 21;
// Rows passed over: the progress bar steps wParam times at once (a message per row would cost
// more than the rows themselves).
constexpr UINT WM_BATCH_STEPS = WM_APP + 24;
// The worker's last message: lParam the BatchSummary, valid during the call.
constexpr UINT WM_BATCH_END = WM_APP + 23;

class WindowBatchReport : public BatchReport {
public:
    explicit WindowBatchReport(HWND window) : m_window(window) {}
    void Begin() override { ::SendMessageA(m_window, WM_BATCH_BEGIN, 0, 0); }
    void RowDone(const BatchRowResult& row) override { RowsDone(&row, 1); }
    void RowsDone(const BatchRowResult* rows, int count) override {
        ::SendMessageA(m_window, WM_BATCH_ROW_DONE, static_cast<WPARAM>(count),
                       reinterpret_cast<LPARAM>(rows));
    }
    void Steps(int count) override {
        ::SendMessageA(m_window, WM_BATCH_STEPS, static_cast<WPARAM>(count), 0);
    }
    void End(const BatchSummary& summary) override {
        ::SendMessageA(m_window, WM_BATCH_END, summary.converted, reinterpret_cast<LPARAM>(&summary));
    }

private:
    const HWND m_window;
};
