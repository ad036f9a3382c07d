// Runs a dialog's own modal loop with a test body inside it, and serves the thread's messages
// outside any dialog's loop. Every wait here has a bound.
#pragma once

#include "framework/dialog.h"

#include <functional>

// DoModal's result when the dialog was still open after the time limit.
constexpr INT_PTR kTimedOut = -100;

// Runs dialog.DoModal() and calls `body` from inside the modal loop once the dialog is up. The
// body may end the dialog, or post input and return so that the loop handles it; if the dialog
// is still open after `timeoutMs` it is ended with kTimedOut. The running test fails when the
// body never ran or the dialog timed out, so a caller need not check either. Returns DoModal's
// result. The limit is a timer, which fires only while the thread serves its messages: a body or
// a dialog that blocks the thread is bounded by the watchdog instead (win32/watchdog.h).
INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs = 20000);

// Calls `tick` every `ms` from the thread's message loop, whichever loop runs (a dialog's modal
// loop, Serve), while the object lives. Unlike a timer callback, whose crash the message
// dispatch swallows, a crash in `tick` ends the program with a report (win32/watchdog.h).
class LoopTimer {
public:
    LoopTimer(UINT ms, std::function<void()> tick);
    ~LoopTimer() { Stop(); }
    LoopTimer(const LoopTimer&) = delete;
    LoopTimer& operator=(const LoopTimer&) = delete;

    void Stop();

private:
    std::function<void()> m_tick;
    UINT_PTR m_id;
};

// Posts a key's press and release to `target`, for the modal loop to handle.
void PostKey(HWND target, WPARAM key);

// Serves this thread's messages the way a dialog's modal loop does (each is offered to the
// window objects from its target up to its dialog, then to the dialog's keyboard handling) until
// `done` says so or `ms` have passed; false after the bound. With `ms` 0 it serves what is
// queued now. A window that keeps posting to itself cannot hold the caller past the bound.
bool Serve(DWORD ms, const std::function<bool()>& done = nullptr);

// Lets the thread's queue run dry (paint, posted messages) outside the dialog's loop, for at most
// `ms`.
void PumpMessages(DWORD ms = 1000);
