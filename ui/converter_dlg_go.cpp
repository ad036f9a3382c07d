// Go: the batch's start, its requests to the window thread, and its end.
#include "ui/converter_dlg.h"

#include "app/environment.h"
#include "convert/output_path.h"
#include "framework/ole_variant.h"
#include "ui/resource.h"

#include <process.h>

#include <utility>

void CConverterDlg::OnGo() {
    // Go is disabled while a batch runs; a click already queued must not start a second one.
    if (m_bWorkerRunning)
        return;
    UpdateData(TRUE);
    const CString folder = ResolveOutputFolder(m_strOutputFolder, m_strSourceFolder);
    if (!folder.IsEmpty() && MakeFolderPath(folder))
        m_strOutputFolder = folder;
    else
        m_strOutputFolder = m_strSourceFolder;
    if (m_strOutputFolder.IsEmpty())
        return;

    const int rows = m_listFiles.GetItemCount();
    m_progress.SetRange32(0, rows);
    m_progress.SetStep(1);
    m_progress.SetPos(0);
    UpdateData(FALSE);
    StopWorker();

    auto job = std::make_unique<BatchJob>();
    job->sourceFolder = m_strSourceFolder;
    job->outputFolder = m_strOutputFolder;
    job->listGeneration = m_nListGeneration;
    job->rows.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        job->rows.push_back(BatchRow{i, m_listFiles.GetItemText(i, 0), m_listFiles.GetCheck(i) != FALSE});

    // Disabled before the thread exists, so that no second batch can start in between.
    ::EnableWindow(GetDlgItem(IDC_GO), FALSE);
    m_pBatch = std::move(job);
    m_bWorkerRunning = 1;
    unsigned id = 0;
    const uintptr_t thread = _beginthreadex(nullptr, 0, &CConverterDlg::WorkerThreadProc, this, 0, &id);
    if (!thread) {
        m_bWorkerRunning = 0;
        m_pBatch.reset();
        ::EnableWindow(GetDlgItem(IDC_GO), TRUE);
        return;
    }
    m_hWorkerThread = reinterpret_cast<HANDLE>(thread);
    m_nWorkerThreadId = id;
}

int CConverterDlg::StopWorker() {
    if (!m_bWorkerRunning)
        return 1;
    if (m_pBatch)
        m_pBatch->stopRequested = true;
    // The worker talks to this thread synchronously: waiting without serving its messages
    // would deadlock, so the wait lets sent messages through (and nothing else).
    while (m_bWorkerRunning) {
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &m_hWorkerThread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) {
            // Ended without its last message reaching the window (it is being destroyed).
            ::CloseHandle(std::exchange(m_hWorkerThread, nullptr));
            m_pBatch.reset();
            m_bWorkerRunning = 0;
            break;
        }
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    return 1;
}

void CConverterDlg::SetBusyState() {
    ::EnableWindow(GetDlgItem(IDC_GO), FALSE);
    m_progress.SetPos(0);
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

void CConverterDlg::SetIdleState() {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    ::EnableWindow(GetDlgItem(IDC_GO), TRUE);
}

BOOL CConverterDlg::OnSetCursor(HWND hWnd, UINT hitTest, UINT mouseMessage) {
    // The wait cursor stays over the dialog while a batch runs, though the dialog stays usable.
    if (m_bWorkerRunning && hitTest == HTCLIENT) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

LRESULT CConverterDlg::OnBatchBegin(WPARAM, LPARAM) {
    SetBusyState();
    return 0;
}

LRESULT CConverterDlg::OnBatchRowDone(WPARAM index, LPARAM text) {
    // After a refill the rows are other files: the result belongs nowhere.
    if (!m_pBatch || m_pBatch->listGeneration != m_nListGeneration)
        return 0;
    m_listFiles.SetItemText(static_cast<int>(index), 3, reinterpret_cast<const char*>(text));
    StepProgress(1);
    return 0;
}

LRESULT CConverterDlg::OnBatchSteps(WPARAM count, LPARAM) {
    if (m_pBatch && m_pBatch->listGeneration == m_nListGeneration)
        StepProgress(static_cast<int>(count));
    return 0;
}

void CConverterDlg::StepProgress(int count) {
    // The bar repaints itself at once on every change, and the worker waits for this message:
    // let the repaint come with the next quiet moment of the window thread instead.
    m_progress.SendMessage(WM_SETREDRAW, FALSE);
    m_progress.OffsetPos(count);
    m_progress.SendMessage(WM_SETREDRAW, TRUE);
    m_progress.Invalidate(FALSE);
}

LRESULT CConverterDlg::OnBatchRender(WPARAM, LPARAM source) {
    HRESULT hr = m_imgEdit.SetDocumentPath(reinterpret_cast<const char*>(source));
    if (SUCCEEDED(hr))
        hr = m_imgEdit.ShowDocument();
    if (SUCCEEDED(hr)) {
        const COleVariant one(short{1}, VT_I2);
        const COleVariant two(short{2}, VT_I2);
        const COleVariant group4(21L, VT_I4);
        const COleVariant omitted(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
        hr = m_imgEdit.SaveDocumentAs(TempTiffPath, one, one, two, group4, omitted);
    }
    return hr;
}

LRESULT CConverterDlg::OnBatchEnd(WPARAM, LPARAM) {
    SetIdleState();
    // The thread only returns from here on; its handle can go now.
    if (m_hWorkerThread)
        ::CloseHandle(std::exchange(m_hWorkerThread, nullptr));
    m_pBatch.reset();
    m_bWorkerRunning = 0;
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
        m_pBatch->stopRequested = true;
        return;
    }
    CDialog::OnOK();
}

void CConverterDlg::OnCancel() {
    if (m_bWorkerRunning) {
        if (m_nPendingClose != IDOK)
            m_nPendingClose = IDCANCEL;
        m_pBatch->stopRequested = true;
        return;
    }
    CDialog::OnCancel();
}
