// The folder scan starts with FindFirstFileExA where the system has it, and falls back to
// FindFirstFileA whenever the extended call fails for any reason but "nothing found": what NT 4.0
// to Vista answer for its level and flag is not documented.
#include "framework/find_handle.h"
#include "support/temp_dir.h"
#include "support/text_file.h"

#include <gtest/gtest.h>

namespace {
DWORD g_failure = 0;

HANDLE WINAPI FailingFindFirstEx(LPCSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD) {
    ::SetLastError(g_failure);
    return INVALID_HANDLE_VALUE;
}

TEST(FindHandle, FallsBackOnEveryFailureButNothingFound) {
    TempDir folder("find");
    ASSERT_TRUE(WriteText(folder / "a.awd", "a"));
    const std::string pattern = folder.Path() + "\\*.awd";
    for (DWORD failure : {ERROR_INVALID_PARAMETER, ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION,
                          ERROR_CALL_NOT_IMPLEMENTED, ERROR_FILE_NOT_FOUND}) {
        g_failure = failure;
        WIN32_FIND_DATAA found{};
        const CFindHandle find(pattern.c_str(), &found, FailingFindFirstEx);
        EXPECT_EQ(find.IsValid(), failure != ERROR_FILE_NOT_FOUND) << failure;
        if (find.IsValid()) {
            EXPECT_STREQ(found.cFileName, "a.awd");
        }
    }
}
} // namespace
