#include "convert/temp_file_lock.h"

#include <cstdio>

void TempFileLockName(const wchar_t* path, char (&name)[40]) {
    // FNV-1a over the path's characters, ASCII letters folded: the file system does not tell case
    // apart. Two folders the code page spells alike ("Ł" and "L") are two files, and two locks.
    unsigned long hash = 2166136261UL;
    for (const wchar_t* c = path; *c; ++c) {
        const unsigned long ch = static_cast<unsigned short>(*c);
        hash = ((hash ^ (ch >= 'A' && ch <= 'Z' ? ch + 32 : ch)) * 16777619UL) & 0xFFFFFFFFUL;
    }
    // Windows 95 to NT 4.0 know no sessions, and take the backslash for a folder they lack.
    const DWORD version = ::GetVersion();
    const bool sessions = !(version & 0x80000000) && LOBYTE(LOWORD(version)) >= 5;
    std::snprintf(name, sizeof name, "%sTarnvel.TempFile.%08lX", sessions ? "Global\\" : "", hash);
}

CTempFileLock::CTempFileLock(const wchar_t* path, const StopRequest& stop) {
    char name[40];
    TempFileLockName(path, name);
    m_mutex = CHandle(::CreateMutexA(nullptr, FALSE, name));
    if (!m_mutex)
        return;
    // A free mutex comes first, stopping or not: the file in hand goes on.
    const HANDLE waits[] = {m_mutex.Get(), stop.Event()};
    const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    // Abandoned: a process ended while converting; its half-written file is deleted anyway.
    m_held = woke == WAIT_OBJECT_0 || woke == WAIT_ABANDONED_0;
}

CTempFileLock::~CTempFileLock() {
    if (m_held)
        ::ReleaseMutex(m_mutex.Get());
}
