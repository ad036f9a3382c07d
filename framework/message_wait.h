// Waits on the window thread. Another thread may be sending to a window of this thread (a worker's
// report, a control's teardown) and wait for the answer meanwhile: a plain wait would wait for it
// in turn. So these waits serve sent messages, and nothing else: what was posted stays queued.
#pragma once

#include <windows.h>

// Waits until one of `objects` is signalled or `ms` have passed (INFINITE: no bound). What
// WaitForMultipleObjects returns: WAIT_OBJECT_0 + the object's index, WAIT_TIMEOUT or WAIT_FAILED.
inline DWORD WaitServingSent(DWORD count, const HANDLE* objects, DWORD ms) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD spent = ::GetTickCount() - start;
        const DWORD left = ms == INFINITE ? INFINITE : spent < ms ? ms - spent : 0;
        const DWORD woke = ::MsgWaitForMultipleObjects(count, objects, FALSE, left, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + count)
            return woke;
        // Peeking delivers the sent messages; the posted ones are left where they are.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
}
