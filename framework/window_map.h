// The map from a subclassed window's handle to its CWnd: one hash lookup in the process, where a
// window property would cost a trip to the window server for every message.
//
// One map for the process behind a critical section rather than one per thread: a window's
// messages are handled on the thread that made it, but a window may be made on any thread (the
// tests make dialogs on helper threads), and looking up a child made by another thread must
// still find it. The lock is never held while a message is handled, and uncontended it costs no
// call into the kernel.
#pragma once

#include <windows.h>

class CWnd;

namespace windowmap {
// The object bound to `hWnd`, or null.
CWnd* Find(HWND hWnd);
// Binds `wnd` to `hWnd`; false when the window already has an object.
bool Bind(HWND hWnd, CWnd* wnd);
// Forgets `hWnd`'s object (done at WM_NCDESTROY at the latest, before the handle can be reused).
void Unbind(HWND hWnd);
} // namespace windowmap
