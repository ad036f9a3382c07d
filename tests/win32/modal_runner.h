// Runs a dialog's own modal loop with a test body inside it.
#pragma once

#include "framework/dialog.h"

#include <functional>

// DoModal's result when the dialog was still open after the time limit.
constexpr INT_PTR kTimedOut = -100;

// Runs dialog.DoModal() and calls `body` from inside the modal loop once the dialog is up. The
// body may end the dialog, or post input and return so that the loop handles it; if the dialog
// is still open after `timeoutMs` it is ended with kTimedOut. The running test fails when the
// body never ran or the dialog timed out, so a caller need not check either. Returns DoModal's
// result.
INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs = 20000);

// Posts a key's press and release to `target`, for the modal loop to handle.
void PostKey(HWND target, WPARAM key);

// Lets the thread's queue run dry (paint, posted messages) outside the dialog's loop.
void PumpMessages();
