// The batch worker: converts the ticked rows of the copies Go took, one after another.
#include "convert/batch_job.h"
#include "convert/output_path.h"
#include "ui/converter_dlg.h"

#include <process.h>

#include <utility>

namespace {
// "OK" or "Fail".
const char* ConvertRow(CConverterDlg& dialog, const BatchJob& job, const BatchRow& row, unsigned& converted) {
    char source[MAX_PATH];
    char output[MAX_PATH];
    if (!JoinPath(source, job.sourceFolder, row.name) || !MakeOutputPath(output, job.outputFolder, row.name))
        return "Fail";
    if (dialog.ConvertAwdFile(source, output) != 0)
        return "Fail";
    ++converted;
    return "OK";
}
} // namespace

unsigned __stdcall CConverterDlg::WorkerThreadProc(void* param) {
    auto& dialog = *static_cast<CConverterDlg*>(param);
    const HWND window = dialog.m_hWnd;
    // Go keeps the job alive until this thread's last message has been handled.
    const BatchJob& job = *dialog.m_pBatch;

    ::SendMessageA(window, WM_BATCH_BEGIN, 0, 0);
    unsigned converted = 0;
    WPARAM passedOver = 0;
    for (const BatchRow& row : job.rows) {
        if (job.stopRequested)
            break;
        if (!row.ticked || row.name.IsEmpty()) {
            ++passedOver;
            continue;
        }
        if (passedOver)
            ::SendMessageA(window, WM_BATCH_STEPS, std::exchange(passedOver, 0), 0);
        const char* result = ConvertRow(dialog, job, row, converted);
        ::SendMessageA(window, WM_BATCH_ROW_DONE, static_cast<WPARAM>(row.index),
                       reinterpret_cast<LPARAM>(result));
    }
    if (passedOver)
        ::SendMessageA(window, WM_BATCH_STEPS, passedOver, 0);
    ::SendMessageA(window, WM_BATCH_END, converted, 0);
    _endthreadex(converted);
    return converted;
}
