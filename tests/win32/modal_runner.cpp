#include "win32/modal_runner.h"

#include <gtest/gtest.h>

namespace {
// One RunModal call; a body may run a dialog of its own, so the calls form a chain.
struct ModalRun {
    CDialog* dialog;
    const std::function<void(CDialog&)>* body;
    UINT_PTR startTimer;
    UINT_PTR limitTimer;
    bool ran;
    bool timedOut;
    ModalRun* outer;
};
ModalRun* g_innermost = nullptr;

ModalRun* RunOfTimer(UINT_PTR id) {
    for (ModalRun* run = g_innermost; run; run = run->outer)
        if (run->startTimer == id || run->limitTimer == id)
            return run;
    return nullptr;
}

void CALLBACK Start(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (ModalRun* run = RunOfTimer(id)) {
        run->ran = true;
        (*run->body)(*run->dialog);
    }
}

void CALLBACK Limit(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (ModalRun* run = RunOfTimer(id)) {
        run->timedOut = true;
        run->dialog->EndDialog(static_cast<int>(kTimedOut));
    }
}
} // namespace

INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs) {
    ModalRun run{&dialog, &body, 0, 0, false, false, g_innermost};
    run.startTimer = ::SetTimer(nullptr, 0, 50, &Start);
    run.limitTimer = ::SetTimer(nullptr, 0, timeoutMs, &Limit);
    g_innermost = &run;
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, run.startTimer);
    ::KillTimer(nullptr, run.limitTimer);
    g_innermost = run.outer;
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

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
