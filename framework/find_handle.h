// CFindHandle: a directory enumeration (FindFirstFileA and the like), closed with the owner.
// Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CFindHandle {
public:
    // FindFirstFileExA's shape; the oldest systems do not export it.
    using FindFirstEx = HANDLE(WINAPI*)(LPCSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);
    // The system's FindFirstFileExA, or null where it has none.
    static FindFirstEx SystemFindFirstEx();

    // Starts the enumeration of `pattern`; the first entry lands in `found`. `findFirstEx` is
    // tried first, the plain FindFirstFileA after any failure but "nothing found".
    CFindHandle(const char* pattern, WIN32_FIND_DATAA* found, FindFirstEx findFirstEx = SystemFindFirstEx());
    ~CFindHandle() { Close(); }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    CFindHandle(CFindHandle&& other) noexcept : m_h(std::exchange(other.m_h, INVALID_HANDLE_VALUE)) {}
    CFindHandle& operator=(CFindHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_h = std::exchange(other.m_h, INVALID_HANDLE_VALUE);
        }
        return *this;
    }

    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA* found) const { return ::FindNextFileA(m_h, found) != FALSE; }
    void Close() {
        if (m_h != INVALID_HANDLE_VALUE)
            ::FindClose(std::exchange(m_h, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE m_h = INVALID_HANDLE_VALUE;
};
