#include "framework/find_handle.h"

#include "framework/file_names.h"
#include "framework/wide_api.h"

#include <cstring>

namespace {
// An entry of the ANSI enumeration as the wide one gives it.
void Widen(const WIN32_FIND_DATAA& ansi, WIN32_FIND_DATAW& wide) {
    wide.dwFileAttributes = ansi.dwFileAttributes;
    wide.ftCreationTime = ansi.ftCreationTime;
    wide.ftLastAccessTime = ansi.ftLastAccessTime;
    wide.ftLastWriteTime = ansi.ftLastWriteTime;
    wide.nFileSizeHigh = ansi.nFileSizeHigh;
    wide.nFileSizeLow = ansi.nFileSizeLow;
    const CStringW name = files::FromAnsi(ansi.cFileName);
    const CStringW alternate = files::FromAnsi(ansi.cAlternateFileName);
    // Both fit: a character takes at least one byte of the ANSI name.
    std::memcpy(wide.cFileName, name.GetString(), (name.GetLength() + 1) * sizeof(wchar_t));
    std::memcpy(wide.cAlternateFileName, alternate.GetString(),
                (alternate.GetLength() + 1) * sizeof(wchar_t));
}
} // namespace

CFindHandle::FindFirstEx CFindHandle::SystemFindFirstEx() {
    const WideApi* wide = GetWideApi();
    return wide ? wide->FindFirstFileExW : nullptr;
}

CFindHandle::CFindHandle(const wchar_t* pattern, WIN32_FIND_DATAW* found, FindFirstEx findFirstEx) {
    const WideApi* wide = GetWideApi();
    if (!wide) {
        CString ansi;
        WIN32_FIND_DATAA entry{};
        if (files::AnsiForm(pattern, ansi))
            m_h = ::FindFirstFileA(ansi, &entry);
        if (IsValid())
            Widen(entry, *found);
        return;
    }
    // Without the short names and in large batches where the system offers it (Windows 7 and
    // later). What NT 4.0 to Vista answer for that level and flag is not documented, so every
    // failure but "nothing found" goes on to the plain call; the entries are the same either way.
    if (findFirstEx)
        m_h = findFirstEx(pattern, FindExInfoBasic, found, FindExSearchNameMatch, nullptr,
                          FIND_FIRST_EX_LARGE_FETCH);
    if (m_h == INVALID_HANDLE_VALUE && (!findFirstEx || ::GetLastError() != ERROR_FILE_NOT_FOUND))
        m_h = wide->FindFirstFileW(pattern, found);
}

bool CFindHandle::Next(WIN32_FIND_DATAW* found) const {
    if (const WideApi* wide = GetWideApi())
        return wide->FindNextFileW(m_h, found) != FALSE;
    WIN32_FIND_DATAA entry{};
    if (!::FindNextFileA(m_h, &entry))
        return false;
    Widen(entry, *found);
    return true;
}
