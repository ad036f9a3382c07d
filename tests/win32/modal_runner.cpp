#include "win32/modal_runner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
// The RunModal call under way.
struct ModalRun {
    CDialog* dialog;
    const std::function<void(CDialog&)>* body;
    bool ran;
    bool timedOut;
};
ModalRun* g_run = nullptr;

void CALLBACK Start(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (g_run) {
        g_run->ran = true;
        (*g_run->body)(*g_run->dialog);
    }
}

void CALLBACK Limit(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (g_run) {
        g_run->timedOut = true;
        g_run->dialog->EndDialog(static_cast<int>(kTimedOut));
    }
}

// Dispatches what is queued until the queue is empty or `ms` have passed since `start`. A WM_QUIT
// is put back for the loop that owns it; false then.
bool Drain(DWORD start, DWORD ms) {
    MSG msg;
    while (::GetTickCount() - start <= ms && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}
} // namespace

INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs) {
    ModalRun run{&dialog, &body, false, false};
    g_run = &run;
    const UINT_PTR start = ::SetTimer(nullptr, 0, 50, &Start);
    const UINT_PTR limit = ::SetTimer(nullptr, 0, timeoutMs, &Limit);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, start);
    ::KillTimer(nullptr, limit);
    g_run = nullptr;
    if (!run.ran)
        ADD_FAILURE() << "the test body never ran inside the dialog (DoModal returned " << result << ")";
    if (run.timedOut)
        ADD_FAILURE() << "the dialog was still open after " << timeoutMs << " ms";
    return result;
}

void PostKey(HWND target, WPARAM key) {
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

bool PumpUntil(DWORD ms, const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done())
            return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms || !Drain(start, ms))
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - elapsed, 20), QS_ALLINPUT);
    }
}

void PumpMessages(DWORD ms) {
    Drain(::GetTickCount(), ms);
}
