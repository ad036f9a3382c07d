// The path of the temporary TIFF: the user's temporary folder, as the file system names it, and
// "zq4intmp.tif", never more than the buffer holds.
#include "app/environment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// Points TMP (which GetTempPath reads first) at `folder` for the life of the object.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const std::wstring& folder) {
        m_hadOld = ::GetEnvironmentVariableW(L"TMP", m_old, MAX_PATH * 2) > 0;
        ::SetEnvironmentVariableW(L"TMP", folder.c_str());
    }
    ~TempFolderOverride() { ::SetEnvironmentVariableW(L"TMP", m_hadOld ? m_old : nullptr); }

private:
    wchar_t m_old[MAX_PATH * 2] = L"";
    bool m_hadOld = false;
};

// A folder path that GetTempPath gives back with exactly `length` characters (backslash included).
std::wstring FolderOfLength(size_t length) {
    std::wstring folder = L"C:\\";
    while (folder.size() + 1 < length)
        folder += (folder.size() % 60 == 59) ? L'\\' : L'd';
    return folder + L"\\";
}
} // namespace

// The user's own folder, and one named in letters the ANSI code page lacks (a profile on Vista and
// later may be so named).
TEST(TempTiffPath, IsTheTemporaryFolderFollowedByTheFileName) {
    const auto expectFolderAndName = [] {
        wchar_t folder[MAX_PATH] = L"";
        ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
        wchar_t path[MAX_PATH];
        std::memset(path, 'x', sizeof(path));
        MakeTempTiffPath(path);
        EXPECT_EQ(std::wstring(folder) + L"zq4intmp.tif", path);
    };
    expectFolderAndName();
    const TempFolderOverride named(L"C:\\Временные файлы\\");
    expectFolderAndName();
}

TEST(TempTiffPath, LongestFolderThatStillFits) {
    const std::wstring folder = FolderOfLength(247);
    TempFolderOverride tmp(folder);
    wchar_t check[MAX_PATH] = L"";
    ASSERT_EQ(247u, ::GetTempPathW(MAX_PATH, check));
    wchar_t path[MAX_PATH];
    MakeTempTiffPath(path);
    EXPECT_EQ(259u, std::wstring(path).size());
    EXPECT_EQ(folder + L"zq4intmp.tif", path);
}

TEST(TempTiffPath, FolderTooLongForTheNameLeavesThePathEmpty) {
    for (size_t length : {248u, 255u, 300u}) {
        TempFolderOverride tmp(FolderOfLength(length));
        wchar_t path[MAX_PATH];
        std::memset(path, 'x', sizeof(path));
        MakeTempTiffPath(path);
        EXPECT_EQ(std::wstring(), path) << "folder of " << length;
    }
}
