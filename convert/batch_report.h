// What a batch tells whoever handed it over: the window shows it in its list and progress bar, a
// run without a window writes it to a report and an exit code. Called on the batch's own thread,
// in this order: Begin, then a RowDone or Steps for the rows as they come, then End.
#pragma once

#include <windows.h>

// One converted, failed or skipped row.
struct BatchRowResult {
    int index;             // the row's place in the job
    const char* text;      // "OK", "Fail" or "Skipped"
    const wchar_t* reason; // why it failed, or which output was kept; empty for "OK"
    const wchar_t* output; // the output's path; empty when none could be formed
    int pages;             // pages written; 0 unless "OK"
};

// How the batch went, at its end.
struct BatchSummary {
    unsigned converted = 0;
    unsigned failed = 0;
    unsigned skipped = 0;
    unsigned notReached = 0; // ticked rows a stop left unconverted
    bool stopped = false;
    DWORD elapsedMs = 0;
};

class BatchReport {
public:
    virtual ~BatchReport() = default;
    virtual void Begin() = 0;
    virtual void RowDone(const BatchRowResult& row) = 0;
    // `count` rows done in a short while, in order: a second run skips thousands in a second.
    virtual void RowsDone(const BatchRowResult* rows, int count) {
        for (int i = 0; i < count; ++i)
            RowDone(rows[i]);
    }
    // `count` rows passed over without a conversion (unticked, or without a name).
    virtual void Steps(int count) = 0;
    // The batch's last act: it touches nothing of its own afterwards, so the one who handed it
    // over may free it from here on.
    virtual void End(const BatchSummary& summary) = 0;
};
