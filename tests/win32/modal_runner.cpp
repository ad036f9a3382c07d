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

enum RunnerTimer : UINT_PTR { kStart = 1, kLimit };

// The body runs from a window's own timer message rather than a timer callback: the message
// dispatch swallows a crash in a timer callback, and the test would go on as if the body had
// returned.
LRESULT CALLBACK RunnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER)
        return ::DefWindowProcA(window, message, wParam, lParam);
    ::KillTimer(window, wParam);
    if (!g_run)
        return 0;
    if (wParam == kStart) {
        g_run->ran = true;
        (*g_run->body)(*g_run->dialog);
    } else {
        g_run->timedOut = true;
        g_run->dialog->EndDialog(static_cast<int>(kTimedOut));
    }
    return 0;
}

HWND RunnerWindow() {
    static const HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &RunnerProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarnvelModalRunner";
        ::RegisterClassA(&windowClass);
        return ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
    }();
    return window;
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
    HWND runner = RunnerWindow();
    ::SetTimer(runner, kStart, 50, nullptr);
    ::SetTimer(runner, kLimit, timeoutMs, nullptr);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(runner, kStart);
    ::KillTimer(runner, kLimit);
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
