#include "convert/output_up_to_date.h"

#include "framework/cstring_w.h"
#include "framework/find_handle.h"

#include <windows.h>

namespace {
constexpr ULONGLONG kFatTimeStep = 2 * 10000000ull; // in the 100 ns of a FILETIME

// One name to the file system, as far as ASCII case goes. A name that differs only in the case of
// another letter counts as another: its output is made again rather than wrongly kept.
bool SameName(const wchar_t* a, const wchar_t* b) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; };
    while (*a && lower(*a) == lower(*b))
        ++a, ++b;
    return lower(*a) == lower(*b);
}

// The entry of the file `path` names. A name without wildcards also finds the file whose short
// (8.3) name it is, which is another file.
bool FindFile(const wchar_t* path, WIN32_FIND_DATAW& found) {
    const CFindHandle find(path, &found);
    const CStringW name(path);
    return find.IsValid() && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           SameName(name.Mid(name.ReverseFind(L'\\') + 1), found.cFileName);
}

ULONGLONG TimeSteps(const FILETIME& time) {
    return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / kFatTimeStep;
}
} // namespace

bool OutputUpToDate(const wchar_t* source, const wchar_t* output) {
    WIN32_FIND_DATAW made{}, awd{};
    return FindFile(output, made) && FindFile(source, awd) &&
           TimeSteps(made.ftLastWriteTime) >= TimeSteps(awd.ftLastWriteTime);
}
