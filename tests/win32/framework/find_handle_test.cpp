// The folder scan starts with FindFirstFileExW where the system has it, and falls back to
// FindFirstFileW whenever the extended call fails for any reason but "nothing found": what NT 4.0
// to Vista answer for its level and flag is not documented.
#include "framework/find_handle.h"
#include "support/temp_dir.h"
#include "support/text_file.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

namespace {
DWORD g_failure = 0;

HANDLE WINAPI FailingFindFirstEx(LPCWSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD) {
    ::SetLastError(g_failure);
    return INVALID_HANDLE_VALUE;
}

TEST(FindHandle, FallsBackOnEveryFailureButNothingFound) {
    TempDir folder("find");
    ASSERT_TRUE(WriteText(folder / "a.awd", "a"));
    const std::wstring pattern = Wide(folder.Path() + "\\*.awd");
    for (DWORD failure : {ERROR_INVALID_PARAMETER, ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION,
                          ERROR_CALL_NOT_IMPLEMENTED, ERROR_FILE_NOT_FOUND}) {
        g_failure = failure;
        WIN32_FIND_DATAW found{};
        const CFindHandle find(pattern.c_str(), &found, FailingFindFirstEx);
        EXPECT_EQ(find.IsValid(), failure != ERROR_FILE_NOT_FOUND) << failure;
        if (find.IsValid()) {
            EXPECT_STREQ(found.cFileName, L"a.awd");
        }
    }
}
} // namespace
