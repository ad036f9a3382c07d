// Go: the batch's start, its requests to the window thread, and its end.
#include "ui/converter_dlg.h"

#include "app/environment.h"
#include "framework/button.h"
#include "framework/redraw_suspension.h"
#include "convert/output_path.h"
#include "ui/resource.h"

#include <process.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// The bar, the taskbar button and the account line follow a batch at most this often: showing
// them costs the window thread more than a fast file's report itself, which the worker waits for.
// What is held back shows when the timer comes, and all of it at the batch's end.
constexpr DWORD kShowBatchMs = 100;
} // namespace

void CConverterDlg::OnGo() {
    // Go is disabled while a batch runs; a click already queued must not start a second one.
    if (m_bWorkerRunning)
        return;
    UpdateData(TRUE);
    m_strOutputFolder = PrepareOutputFolder(m_strOutputFolder, m_strSourceFolder);
    if (m_strOutputFolder.IsEmpty())
        return;

    const int rows = m_listFiles.GetItemCount();
    m_progress.SetRange32(0, rows);
    m_progress.SetStep(1);
    m_progress.SetPos(0);
    UpdateData(FALSE);
    StopWorker();

    BatchJob job;
    job.sourceFolder = m_strSourceFolder;
    job.outputFolder = m_strOutputFolder;
    job.listGeneration = m_nListGeneration;
    job.windowsGeneration = WindowsGeneration;
    job.tempTiffPath = TempTiffPath;
    job.programFolder = TarnvelFolder;
    job.copyOptions = m_copyOptions;
    const auto ticked = [this](int id) {
        CButton box; // attached only: the window stays the dialog's
        box.Attach(GetDlgItem(id));
        return box.GetCheck() == BST_CHECKED;
    };
    job.format = ticked(IDC_PDF) ? OutputFormat::Pdf : OutputFormat::Tiff;
    job.skipConverted = ticked(IDC_SKIP_CONVERTED);
    job.rows.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        job.rows.push_back(BatchRow{i, m_listFiles.GetItemText(i, 0), m_listFiles.GetCheck(i) != FALSE});
    m_nBatchDone = 0;
    m_nBatchFiles =
        static_cast<unsigned>(std::count_if(job.rows.begin(), job.rows.end(), [](const BatchRow& row) {
            return row.ticked && !row.name.IsEmpty();
        }));

    // Disabled before the thread exists, so that no second batch can start in between.
    EnableGo(FALSE);
    ScrollResultColumnIntoView();
    RenewImaging();
    const std::shared_ptr<ImagingThread> imaging = m_pImaging;
    m_pBatchReport = std::make_unique<WindowBatchReport>(m_hWnd);
    m_pBatch = std::make_unique<BatchRunner>(
        std::move(job),
        [imaging](const BatchJob& batch, const StopRequest& stop) {
            return ChooseRenderer(batch.windowsGeneration, imaging, batch.programFolder, stop);
        },
        *m_pBatchReport);
    m_bWorkerRunning = 1;
    if (!m_pBatch->Start(&CConverterDlg::WorkerThreadProc, this)) {
        ReleaseBatch();
        EnableGo(TRUE);
        return;
    }
    m_hWorkerThread = m_pBatch->Thread();
    m_nWorkerThreadId = m_pBatch->ThreadId();
}

unsigned __stdcall CConverterDlg::WorkerThreadProc(void* param) {
    // OnGo made the batch before the thread; it stays until the batch's last report.
    BatchRunner& batch = *static_cast<CConverterDlg*>(param)->m_pBatch;
    _endthreadex(batch.Run());
    return 0;
}

int CConverterDlg::ConvertAwdFile(const wchar_t* source, const wchar_t* output) {
    ConversionOutcome outcome;
    return m_pBatch ? m_pBatch->ConvertAwdFile(source, output, outcome) : kNoRenderer;
}

int CConverterDlg::StopWorker() {
    if (!m_bWorkerRunning || !m_pBatch)
        return 1;
    m_pBatch->RequestStop();
    // The worker's reports need this thread: it serves them while it waits.
    m_bStopping = true;
    const bool ended = m_pBatch->WaitServing();
    m_bStopping = false;
    // A worker that may still run keeps its batch: freeing it would pull its work from under it.
    // The process ends with it.
    if (!ended)
        static_cast<void>(m_pBatch.release());
    ReleaseBatch();
    return 1;
}

void CConverterDlg::ReleaseBatch() {
    m_hWorkerThread = nullptr;
    m_bWorkerRunning = 0;
    m_pBatch.reset();
    m_pBatchReport.reset();
}

void CConverterDlg::SetBusyState() {
    EnableGo(FALSE);
    m_progress.SetPos(0);
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

void CConverterDlg::SetIdleState() {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    EnableGo(TRUE);
}

BOOL CConverterDlg::OnSetCursor(HWND hWnd, UINT hitTest, UINT mouseMessage) {
    // The wait cursor stays over the dialog while a batch runs, though the dialog stays usable; a
    // listing under way shows the arrow with the hourglass.
    if ((m_bWorkerRunning || m_bListing) && hitTest == HTCLIENT) {
        ::SetCursor(::LoadCursorA(nullptr, m_bWorkerRunning ? IDC_WAIT : IDC_APPSTARTING));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

LRESULT CConverterDlg::OnBatchBegin(WPARAM, LPARAM) {
    SetBusyState();
    m_nPendingSteps = 0;
    m_nBatchShownAt = ::GetTickCount();
    ShowBatchProgress();
    m_taskbar.Show(0, m_progress.GetRangeUpper());
    return 0;
}

LRESULT CConverterDlg::OnBatchRowDone(WPARAM count, LPARAM results) {
    m_nBatchDone += static_cast<unsigned>(count);
    // After a refill the rows are other files: the result belongs nowhere.
    if (!m_pBatch || m_pBatch->ListGeneration() != m_nListGeneration || !count) {
        ShowBatchSoon();
        return 0;
    }
    const auto* rows = reinterpret_cast<const BatchRowResult*>(results);
    int done = 0;
    for (; done < static_cast<int>(count); ++done) {
        m_listFiles.SetItemText(rows[done].index, 3, rows[done].text);
        // The window's own advice: the batch's words serve a report as well.
        const bool skipped = std::strcmp(rows[done].text, "Skipped") == 0;
        SetResultReason(rows[done].index, skipped ? CStringW(rows[done].reason) +
                                                        L" (untick Skip converted to convert it again)"
                                                  : CStringW(rows[done].reason));
        KeepRowOutput(rows[done].index, rows[done].output);
    }
    ShowResultRow(rows[done - 1].index);
    StepProgress(done);
    return 0;
}

LRESULT CConverterDlg::OnBatchSteps(WPARAM count, LPARAM) {
    if (m_pBatch && m_pBatch->ListGeneration() == m_nListGeneration)
        StepProgress(static_cast<int>(count));
    return 0;
}

void CConverterDlg::StepProgress(int count) {
    m_nPendingSteps += count;
    ShowBatchSoon();
}

void CConverterDlg::ShowBatchSoon() {
    if (::GetTickCount() - m_nBatchShownAt >= kShowBatchMs) {
        ShowBatch();
        return;
    }
    if (!m_bBatchShowPending)
        m_bBatchShowPending = ::SetTimer(m_hWnd, kShowBatchTimer, kShowBatchMs, nullptr) != 0;
    if (!m_bBatchShowPending)
        ShowBatch();
}

void CConverterDlg::ShowBatch() {
    ::KillTimer(m_hWnd, kShowBatchTimer);
    m_bBatchShowPending = false;
    m_nBatchShownAt = ::GetTickCount();
    if (m_bWorkerRunning)
        ShowBatchProgress();
    if (!m_nPendingSteps)
        return;
    // The bar repaints itself at once on every change: let the repaint come with the next quiet
    // moment of the window thread instead.
    const CRedrawSuspension quiet(m_progress.m_hWnd, FALSE);
    m_progress.OffsetPos(std::exchange(m_nPendingSteps, 0));
    m_taskbar.Show(m_progress.GetPos(), m_progress.GetRangeUpper());
}

LRESULT CConverterDlg::OnBatchEnd(WPARAM, LPARAM summary) {
    ShowBatch();
    SetIdleState();
    ShowBatchAccount(*reinterpret_cast<const BatchSummary*>(summary));
    m_taskbar.End(reinterpret_cast<const BatchSummary*>(summary)->failed > 0);
    FlushResultScroll();
    // The thread only returns from here on. A waiting StopWorker frees the batch itself.
    if (m_bStopping) {
        m_bWorkerRunning = 0;
        return 0;
    }
    ReleaseBatch();
    if (const int close = std::exchange(m_nPendingClose, 0)) {
        // Posted, so that the worker's send returns before the dialog goes.
        PostMessage(WM_COMMAND, MAKEWPARAM(close, BN_CLICKED), 0);
    }
    return 0;
}

void CConverterDlg::OnOK() {
    // Closing waits for the file in hand: the batch stops after it and the dialog then closes.
    if (m_bWorkerRunning) {
        m_nPendingClose = IDOK;
        m_pBatch->RequestStop();
        return;
    }
    CDialog::OnOK();
}

void CConverterDlg::OnCancel() {
    if (m_bWorkerRunning) {
        if (m_nPendingClose != IDOK)
            m_nPendingClose = IDCANCEL;
        m_pBatch->RequestStop();
        return;
    }
    CDialog::OnCancel();
}
