// Stop, and the line under the list that tells how the batch goes and how it went.
#include "ui/batch_account.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"

#include <algorithm>

namespace {
// A disabled button keeps the focus it had, and the keyboard would then reach nothing in the
// window: the focus goes to the list first.
void DisableButton(HWND dialog, int id) {
    const HWND button = ::GetDlgItem(dialog, id);
    if (::SendMessageA(button, BM_GETSTATE, 0, 0) & BST_FOCUS)
        ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_LIST_FILES)),
                       TRUE);
    ::EnableWindow(button, FALSE);
}
} // namespace

void CConverterDlg::EnableGo(BOOL enable) {
    DisableButton(m_hWnd, enable ? IDC_STOP : IDC_GO);
    ::EnableWindow(GetDlgItem(enable ? IDC_GO : IDC_STOP), TRUE);
}

void CConverterDlg::OnStop() {
    if (!m_bWorkerRunning || !m_pBatch)
        return;
    // As at a close, but the window stays: the batch's end enables Go again.
    m_pBatch->RequestStop();
    // Asked once is enough; the file in hand may still take up to the grace.
    DisableButton(m_hWnd, IDC_STOP);
}

void CConverterDlg::ShowBatchProgress() {
    // The batch reports a file when it is done: the one in hand is the next, up to the last.
    ::SetWindowTextA(GetDlgItem(IDC_ACCOUNT),
                     BatchProgressText(std::min(m_nBatchDone + 1, m_nBatchFiles), m_nBatchFiles));
}

void CConverterDlg::ShowBatchAccount(const BatchSummary& summary) {
    ::SetWindowTextA(GetDlgItem(IDC_ACCOUNT),
                     BatchAccountText(summary, static_cast<unsigned>(std::max(m_nUnreadableFolders, 0))));
}
