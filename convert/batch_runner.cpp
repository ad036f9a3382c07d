// The batch worker: converts the ticked rows of the copies Go took, one after another.
#include "convert/batch_runner.h"

#include "convert/convert_awd_file.h"
#include "convert/output_path.h"

#include <process.h>

#include <utility>

BatchRunner::BatchRunner(HWND window, BatchJob job, RendererChoice chooseRenderer)
    : m_window(window), m_job(std::move(job)), m_chooseRenderer(std::move(chooseRenderer)) {}

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

int BatchRunner::ConvertRow(const BatchRow& row, ConversionOutcome& outcome) {
    CStringW source;
    CStringW output;
    if (!JoinPath(source, m_job.sourceFolder, row.name) ||
        !MakeOutputPath(output, m_job.outputFolder, row.name, m_job.format))
        return outcome.result = kPathTooLong;
    return ConvertAwdFile(source, output, outcome);
}

unsigned BatchRunner::Run() {
    const HWND window = m_window;
    ::SendMessageA(window, WM_BATCH_BEGIN, 0, 0);
    unsigned converted = 0;
    WPARAM passedOver = 0;
    for (const BatchRow& row : m_job.rows) {
        if (m_stop.IsSet())
            break;
        if (!row.ticked || row.name.IsEmpty()) {
            ++passedOver;
            continue;
        }
        if (passedOver)
            ::SendMessageA(window, WM_BATCH_STEPS, std::exchange(passedOver, 0), 0);
        ConversionOutcome outcome;
        const bool ok = ConvertRow(row, outcome) == kConverted;
        converted += ok ? 1 : 0;
        const CString reason = FailureReason(outcome);
        const BatchRowResult result{row.index, ok ? "OK" : "Fail", reason};
        ::SendMessageA(window, WM_BATCH_ROW_DONE, 0, reinterpret_cast<LPARAM>(&result));
    }
    if (passedOver)
        ::SendMessageA(window, WM_BATCH_STEPS, passedOver, 0);
    // The window thread may destroy this object while handling the message: nothing of it is
    // touched afterwards.
    ::SendMessageA(window, WM_BATCH_END, converted, 0);
    return converted;
}

bool BatchRunner::WaitServing() {
    for (;;) {
        const HANDLE thread = m_thread.Get();
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke == WAIT_FAILED)
            return false;
        // Lets the worker's sent messages through, and nothing else.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
}
