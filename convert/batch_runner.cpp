// The batch worker: converts the ticked rows of the copies Go took, one after another.
#include "convert/batch_runner.h"

#include "convert/convert_awd_file.h"
#include "convert/output_path.h"
#include "convert/output_up_to_date.h"
#include "framework/file_names.h"
#include "framework/message_wait.h"

#include <process.h>

#include <utility>
#include <vector>

namespace {
// Rows the batch passes over, told in groups: a second run skips thousands of files a second, and
// a message per row would cost the window more than the rows cost the batch. A group is told before
// the next row of the batch's own, and once it is kGroupMs old or kGroupRows long, so that the list
// keeps up and no one message holds the window long.
constexpr DWORD kGroupMs = 50;
constexpr size_t kGroupRows = 100;

class PassedRows {
public:
    explicit PassedRows(BatchReport& report) : m_report(report) {}
    // A row not ticked, or without a name.
    void PassOver() { ++m_passedOver; }
    // A row whose output is up to date.
    void Skip(int index, const CStringW& output) {
        if (m_skipped.empty())
            m_since = ::GetTickCount();
        m_steps += std::exchange(m_passedOver, 0);
        m_skipped.push_back(Skipped{index, L"Already converted into " + output, output});
        if (m_skipped.size() >= kGroupRows || ::GetTickCount() - m_since >= kGroupMs)
            Tell();
    }
    // Tells what is held; `trailing` false keeps the rows passed over since the last skipped one.
    void Tell(bool trailing = true) {
        if (trailing)
            m_steps += std::exchange(m_passedOver, 0);
        if (m_steps)
            m_report.Steps(std::exchange(m_steps, 0));
        if (m_skipped.empty())
            return;
        std::vector<BatchRowResult> rows;
        rows.reserve(m_skipped.size());
        for (const Skipped& row : m_skipped)
            rows.push_back(BatchRowResult{row.index, "Skipped", row.reason, row.output, 0});
        m_report.RowsDone(rows.data(), static_cast<int>(rows.size()));
        m_skipped.clear();
    }

private:
    struct Skipped {
        int index;
        CStringW reason;
        CStringW output;
    };
    BatchReport& m_report;
    int m_passedOver = 0; // since the last skipped row
    int m_steps = 0;      // passed over before it
    std::vector<Skipped> m_skipped;
    DWORD m_since = 0; // when the first of m_skipped came
};
} // namespace

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

bool BatchRunner::FormPaths(const BatchRow& row, CStringW& source, CStringW& output) const {
    return JoinPath(source, m_job.sourceFolder, row.name) &&
           MakeOutputPath(output, m_job.outputFolder, row.name, m_job.format);
}

int BatchRunner::ConvertRow(const BatchRow& row, const wchar_t* source, const wchar_t* output,
                            ConversionOutcome& outcome) {
    // A file of a subfolder goes to the same subfolder of the output folder, made as Go makes that.
    const int slash = row.name.ReverseFind(L'\\');
    if (slash > 0 && !MakeFolderPath(m_job.outputFolder + L"\\" + row.name.Left(slash)))
        return outcome.result = kOutputFolderNotMade;
    return ConvertAwdFile(source, output, outcome);
}

unsigned BatchRunner::Run() {
    const DWORD began = ::GetTickCount();
    BatchReport& report = m_report;
    report.Begin();
    BatchSummary summary;
    PassedRows passed(report);
    ConvertedOutputs outputs;
    for (const BatchRow& row : m_job.rows) {
        if (!row.ticked || row.name.IsEmpty()) {
            passed.PassOver();
            continue;
        }
        if (m_stop.IsSet()) {
            ++summary.notReached;
            continue;
        }
        CStringW source, output;
        const bool formed = FormPaths(row, source, output);
        if (formed && m_job.skipConverted && outputs.UpToDate(source, output)) {
            ++summary.skipped;
            passed.Skip(row.index, output);
            continue;
        }
        passed.Tell();
        ConversionOutcome outcome;
        if (formed)
            ConvertRow(row, source, output, outcome);
        else
            outcome.result = kPathTooLong;
        const bool ok = outcome.result == kConverted;
        ++(ok ? summary.converted : summary.failed);
        const CStringW reason = files::FromAnsi(FailureReason(outcome));
        report.RowDone(BatchRowResult{row.index, ok ? "OK" : "Fail", reason, output, ok ? outcome.pages : 0});
    }
    // Rows a stop left are not reached: the bar stays where the batch stopped.
    passed.Tell(!m_stop.IsSet());
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
