// The batch worker: converts the ticked rows of the copies Go took, one after another.
#include "convert/batch_runner.h"

#include "convert/convert_awd_file.h"
#include "convert/output_path.h"
#include "framework/file_names.h"
#include "framework/message_wait.h"

#include <process.h>

#include <utility>

BatchRunner::BatchRunner(BatchJob job, RendererChoice chooseRenderer, BatchReport& report)
    : m_job(std::move(job)), m_chooseRenderer(std::move(chooseRenderer)), m_report(report) {}

bool BatchRunner::Start(unsigned(__stdcall* routine)(void*), void* param) {
    if (!m_stop.IsUsable())
        return false;
    const uintptr_t thread = _beginthreadex(nullptr, 0, routine, param, 0, &m_threadId);
    m_thread = CHandle(reinterpret_cast<HANDLE>(thread));
    return static_cast<bool>(m_thread);
}

int BatchRunner::ConvertAwdFile(const wchar_t* source, const wchar_t* output, ConversionOutcome& outcome) {
    if (!m_renderer)
        m_renderer = m_chooseRenderer(m_job, m_stop);
    return ::ConvertAwdFile(*m_renderer, m_job.tempTiffPath, m_job.copyOptions, source, output, m_stop,
                            outcome, m_job.format);
}

int BatchRunner::ConvertRow(const BatchRow& row, CStringW& output, ConversionOutcome& outcome) {
    CStringW source;
    if (!JoinPath(source, m_job.sourceFolder, row.name) ||
        !MakeOutputPath(output, m_job.outputFolder, row.name, m_job.format))
        return outcome.result = kPathTooLong;
    return ConvertAwdFile(source, output, outcome);
}

unsigned BatchRunner::Run() {
    const DWORD began = ::GetTickCount();
    BatchReport& report = m_report;
    report.Begin();
    BatchSummary summary;
    int passedOver = 0;
    for (const BatchRow& row : m_job.rows) {
        if (!row.ticked || row.name.IsEmpty()) {
            ++passedOver;
            continue;
        }
        if (m_stop.IsSet()) {
            ++summary.notReached;
            continue;
        }
        if (passedOver)
            report.Steps(std::exchange(passedOver, 0));
        ConversionOutcome outcome;
        CStringW output;
        const bool ok = ConvertRow(row, output, outcome) == kConverted;
        ++(ok ? summary.converted : summary.failed);
        const CStringW reason = files::FromAnsi(FailureReason(outcome));
        report.RowDone(BatchRowResult{row.index, ok ? "OK" : "Fail", reason, output, ok ? outcome.pages : 0});
    }
    // Rows a stop left are not reached: the bar stays where the batch stopped.
    if (passedOver && !m_stop.IsSet())
        report.Steps(passedOver);
    summary.stopped = m_stop.IsSet();
    summary.elapsedMs = ::GetTickCount() - began;
    const unsigned converted = summary.converted;
    // Whoever handed the batch over may destroy it from here on: nothing of it is touched after.
    report.End(summary);
    return converted;
}

bool BatchRunner::WaitServing() {
    const HANDLE thread = m_thread.Get();
    return WaitServingSent(1, &thread, INFINITE) == WAIT_OBJECT_0;
}
