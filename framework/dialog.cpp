#include "framework/dialog.h"

#include "framework/wide_api.h"
#include "framework/win_app.h"

#include <commctrl.h>

namespace {
// The templates use the common controls; their window classes must exist before a dialog is made.
// The plain call registers the classes the program uses on every version of the library; its
// extended form is missing from the library that Windows 95 and NT 4.0 came with.
void RegisterCommonControls() {
    static const bool registered = [] {
        ::InitCommonControls();
        return true;
    }();
    (void)registered;
}
} // namespace

const MessageMap* CDialog::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::Command<&CDialog::OnOK>(IDOK),
        msgmap::Command<&CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

HWND CDialog::GetSafeOwner() const {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && mainWnd != this)
            owner = mainWnd->m_hWnd;
    }
    while (owner && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd)
        return -1;
    RegisterCommonControls();
    HWND owner = GetSafeOwner();
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);

    m_bContinueModal = true;
    m_nModalResult = -1;
    const WideApi* wide = GetWideApi();
    const HINSTANCE module = AfxGetResourceHandle();
    const auto self = reinterpret_cast<LPARAM>(this);
    HWND hWnd =
        wide ? wide->CreateDialogParamW(module, MAKEINTRESOURCEW(m_nIDTemplate), owner, &DialogProc, self)
             : ::CreateDialogParamA(module, MAKEINTRESOURCEA(m_nIDTemplate), owner, &DialogProc, self);
    if (hWnd && m_hWnd == hWnd) {
        if (m_bContinueModal && !IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    // The owner comes back before the dialog goes, so that the system activates it and not some
    // other program's window.
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd)
        DestroyWindow();
    else if (hWnd && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    const WideApi* wide = GetWideApi();
    MSG msg;
    while (m_bContinueModal && m_hWnd) {
        BOOL got = wide ? wide->GetMessageW(&msg, nullptr, 0, 0) : ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Someone asked the thread to quit: end the dialog and pass the request on.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            return;
        }
        if (got == -1)
            return;
        if (!PreTranslateModal(&msg)) {
            ::TranslateMessage(&msg);
            if (wide)
                wide->DispatchMessageW(&msg);
            else
                ::DispatchMessageA(&msg);
        }
    }
}

BOOL CDialog::PreTranslateModal(MSG* msg) {
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = FromHandlePermanent(hWnd)) {
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        }
        if (hWnd == m_hWnd)
            break;
    }
    const WideApi* wide = GetWideApi();
    return wide ? wide->IsDialogMessageW(m_hWnd, msg) : ::IsDialogMessageA(m_hWnd, msg);
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bContinueModal = false;
    // Wakes the modal loop if the call came from outside its own dispatch.
    if (m_hWnd)
        PostMessage(WM_NULL);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_INITDIALOG)
        return FALSE; // everything else arrives through the subclass and its Default()
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(hWnd))
        return FALSE;
    return dialog->OnInitDialog();
}
