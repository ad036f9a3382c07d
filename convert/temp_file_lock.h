// Every Tarnvel process of a user renders into the same temporary file. A named mutex derived
// from the file's path lets one conversion at a time use it, across processes.
#pragma once

#include "convert/stop_request.h"
#include "framework/handle.h"

#include <windows.h>

// The mutex's name for `path`: a fixed prefix and a hash of the path as the file system names it,
// its ASCII letters folded to one case (a mutex name may hold no other backslash, and must stay
// short). From Windows 2000 on, in the namespace all sessions share: a run without a window,
// scheduled in the services' session, and a window on the user's desktop render into the same
// file of the user's temporary folder.
void TempFileLockName(const wchar_t* path, char (&name)[40]);

class CTempFileLock {
public:
    // Waits for the mutex of `path` until it is free, `stop` is set (the window is closing) or
    // the wait fails.
    CTempFileLock(const wchar_t* path, const StopRequest& stop);
    ~CTempFileLock();
    CTempFileLock(const CTempFileLock&) = delete;
    CTempFileLock& operator=(const CTempFileLock&) = delete;

    // True when this conversion may use the file.
    bool Held() const { return m_held; }

private:
    CHandle m_mutex;
    bool m_held = false;
};
