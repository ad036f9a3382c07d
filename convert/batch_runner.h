// BatchRunner: one batch of conversions, on a worker thread of its own or on the caller's. It
// needs no window: what it does reaches the one who handed it over through a BatchReport.
#pragma once

#include "convert/batch_job.h"
#include "convert/batch_report.h"
#include "convert/conversion_result.h"
#include "convert/renderer.h"
#include "convert/stop_request.h"
#include "framework/handle.h"

#include <functional>
#include <memory>

// Worker thread, before the batch's first file: its renderer (ChooseRenderer in the program).
using RendererChoice = std::function<std::unique_ptr<Renderer>(const BatchJob& job, const StopRequest& stop)>;

class BatchRunner {
public:
    // `report` outlives the batch's run.
    BatchRunner(BatchJob job, RendererChoice chooseRenderer, BatchReport& report);
    BatchRunner(const BatchRunner&) = delete;
    BatchRunner& operator=(const BatchRunner&) = delete;

    // Starts the worker thread at `routine`, which calls Run(); false when no thread could be made
    // (or no stop request, without which the batch could not be ended).
    bool Start(unsigned(__stdcall* routine)(void*), void* param);
    // Converts the ticked rows one after another; returns the count converted. Its last step is
    // the report's End, from which on the batch may be destroyed.
    unsigned Run();
    // Worker thread: one file through the batch's renderer (chosen at the first) and the copier.
    int ConvertAwdFile(const wchar_t* source, const wchar_t* output, ConversionOutcome& outcome);

    // The batch stops after the file in hand, which has kStopGraceMs to finish.
    void RequestStop() { m_stop.Set(); }
    // Window thread: waits until the worker has ended, serving meanwhile its reports and nothing
    // else. The worker's own waits end on the stop request. False when the wait itself failed: the worker may
    // still run, and the batch must then be kept.
    bool WaitServing();

    HANDLE Thread() const { return m_thread.Get(); }
    unsigned ThreadId() const { return m_threadId; }
    unsigned ListGeneration() const { return m_job.listGeneration; }

private:
    // The row's source and output paths; false when either would be longer than 259 characters.
    bool FormPaths(const BatchRow& row, CStringW& source, CStringW& output) const;
    int ConvertRow(const BatchRow& row, const wchar_t* source, const wchar_t* output,
                   ConversionOutcome& outcome);

    const BatchJob m_job;
    RendererChoice m_chooseRenderer;
    BatchReport& m_report;
    std::unique_ptr<Renderer> m_renderer;
    StopRequest m_stop;
    CHandle m_thread;
    unsigned m_threadId = 0;
};
