// CTaskbarProgress: a batch's progress on the window's taskbar button, which fills as the window's
// own bar does and turns to the error state when files failed. Only Windows 7 and later draw
// progress there; on every older system the object does nothing at all. Window thread only.
#pragma once

#include "framework/com_ptr.h"

#include <windows.h>

#include <shobjidl.h>

class CTaskbarProgress {
public:
    CTaskbarProgress();

    // Whether `message` is the shell's word that the window's taskbar button exists (again, after
    // the shell restarted); if so, the button is reached from now on.
    bool OnButtonCreated(HWND window, UINT message);
    // The batch has done `done` of `total` steps.
    void Show(int done, int total);
    // The batch has ended: the button shows the error state if files failed, else no progress.
    void End(bool failed);

private:
    void Apply();

    UINT m_buttonCreated = 0; // the shell's registered message; 0 where the taskbar shows no progress
    HWND m_window = nullptr;
    CComPtr<ITaskbarList3> m_taskbar;
    // What the button shows, kept for a shell that restarts during a batch.
    TBPFLAG m_state = TBPF_NOPROGRESS;
    ULONGLONG m_done = 0;
    ULONGLONG m_total = 0;
};
