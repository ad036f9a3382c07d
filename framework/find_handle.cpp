#include "framework/find_handle.h"

CFindHandle::FindFirstEx CFindHandle::SystemFindFirstEx() {
    // Looked up at run time: Windows 95 and 98 have no FindFirstFileExA to import.
    static const auto findFirstEx = reinterpret_cast<FindFirstEx>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "FindFirstFileExA")));
    return findFirstEx;
}

CFindHandle::CFindHandle(const char* pattern, WIN32_FIND_DATAA* found, FindFirstEx findFirstEx) {
    // Without the short names and in large batches where the system offers it (Windows 7 and
    // later). What NT 4.0 to Vista answer for that level and flag is not documented, so every
    // failure but "nothing found" goes on to the plain call; the entries are the same either way.
    if (findFirstEx)
        m_h = findFirstEx(pattern, FindExInfoBasic, found, FindExSearchNameMatch, nullptr,
                          FIND_FIRST_EX_LARGE_FETCH);
    if (m_h == INVALID_HANDLE_VALUE && (!findFirstEx || ::GetLastError() != ERROR_FILE_NOT_FOUND))
        m_h = ::FindFirstFileA(pattern, found);
}
