// Runs a dialog's own modal loop with a test body inside it, and serves the thread's messages
// outside any dialog's loop. Every wait here has a bound.
#pragma once

#include "framework/dialog.h"

#include <functional>

// DoModal's result when the dialog was still open after the time limit.
constexpr INT_PTR kTimedOut = -100;

// Runs dialog.DoModal() and calls `body` from inside the modal loop once the dialog is up; the body
// may end the dialog, or post input and return. A dialog still open after `timeoutMs` is ended
// with kTimedOut. The running test fails when the body never ran or the dialog timed out. The
// limit fires only while the thread serves messages; a blocked thread meets the watchdog instead.
INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs = 20000);

// Calls `tick` every `ms` from whichever message loop runs, while the object lives. Unlike a timer
// callback, whose crash the message dispatch swallows, a crash in `tick` reaches the watchdog.
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

// Serves this thread's messages as a dialog's modal loop does (PreTranslateMessage from the target
// up, then the dialog's keyboard handling) until `done` says so or `ms` have passed; false after
// the bound, which a window that keeps posting cannot stretch. `ms` 0 serves what is queued now.
bool Serve(DWORD ms, const std::function<bool()>& done = nullptr);

// Lets the thread's queue run dry (paint, posted messages) for at most `ms`.
void PumpMessages(DWORD ms = 1000);

// Whether the window's class is `name` (in any case).
bool HasClass(HWND window, const char* name);
// The first window of class `name` that `accept` takes (null: any): a top-level window of this
// thread, or with `parent` one of its descendants. Null when there is none.
HWND FindWindowOf(const char* name, const std::function<bool(HWND)>& accept = nullptr, HWND parent = nullptr);
