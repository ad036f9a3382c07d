#include "framework/find_handle.h"

CFindHandle::CFindHandle(const char* pattern, WIN32_FIND_DATAA* found) {
    // Without the short names and in large batches where the system offers it (Windows 7 and
    // later); the plain call elsewhere. The entries are the same either way. Looked up at run
    // time: the oldest systems have no FindFirstFileExA to import.
    using FindFirstEx = HANDLE(WINAPI*)(LPCSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);
    static const auto findFirstEx = reinterpret_cast<FindFirstEx>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "FindFirstFileExA")));
    if (findFirstEx)
        m_h = findFirstEx(pattern, FindExInfoBasic, found, FindExSearchNameMatch, nullptr,
                          FIND_FIRST_EX_LARGE_FETCH);
    if (m_h == INVALID_HANDLE_VALUE && (!findFirstEx || ::GetLastError() == ERROR_INVALID_PARAMETER))
        m_h = ::FindFirstFileA(pattern, found);
}
