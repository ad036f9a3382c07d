#include "win32/modal_runner.h"

namespace {
CDialog* g_dialog = nullptr;
const std::function<void(CDialog&)>* g_body = nullptr;
UINT_PTR g_startTimer = 0;
UINT_PTR g_limitTimer = 0;

void CALLBACK Start(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (g_dialog && g_body)
        (*g_body)(*g_dialog);
}

void CALLBACK Limit(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (g_dialog)
        g_dialog->EndDialog(static_cast<int>(kTimedOut));
}
} // namespace

INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs) {
    g_dialog = &dialog;
    g_body = &body;
    g_startTimer = ::SetTimer(nullptr, 0, 50, &Start);
    g_limitTimer = ::SetTimer(nullptr, 0, timeoutMs, &Limit);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, g_startTimer);
    ::KillTimer(nullptr, g_limitTimer);
    g_dialog = nullptr;
    g_body = nullptr;
    return result;
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
