// CFindHandle: a directory enumeration by wide names, closed with the owner. On NT-based Windows it
// runs on FindFirstFileW and the like; on Windows 95, 98 and Me on FindFirstFileA, whose entries it
// hands on widened. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CFindHandle {
public:
    // FindFirstFileExW's shape; NT 4.0 before its service packs does not export it.
    using FindFirstEx = HANDLE(WINAPI*)(LPCWSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID,
                                        DWORD);
    // The system's FindFirstFileExW, or null where it has none or names go through the ANSI calls.
    static FindFirstEx SystemFindFirstEx();

    // Starts the enumeration of `pattern`; the first entry lands in `found`. `findFirstEx` is
    // tried first, the plain FindFirstFile after any failure but "nothing found".
    CFindHandle(const wchar_t* pattern, WIN32_FIND_DATAW* found,
                FindFirstEx findFirstEx = SystemFindFirstEx());
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
    bool Next(WIN32_FIND_DATAW* found) const;
    void Close() {
        if (m_h != INVALID_HANDLE_VALUE)
            ::FindClose(std::exchange(m_h, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE m_h = INVALID_HANDLE_VALUE;
};
