// The path of the temporary TIFF: the user's temporary folder and "zq4intmp.tif", never more
// than the buffer holds.
#include "app/environment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// Points TMP (which GetTempPathA reads first) at `folder` for the life of the object.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const std::string& folder) {
        m_hadOld = ::GetEnvironmentVariableA("TMP", m_old, sizeof(m_old)) > 0;
        ::SetEnvironmentVariableA("TMP", folder.c_str());
    }
    ~TempFolderOverride() { ::SetEnvironmentVariableA("TMP", m_hadOld ? m_old : nullptr); }

private:
    char m_old[MAX_PATH * 2] = "";
    bool m_hadOld = false;
};

// A folder path that GetTempPathA gives back with exactly `length` characters (backslash included).
std::string FolderOfLength(size_t length) {
    std::string folder = "C:\\";
    while (folder.size() + 1 < length)
        folder += (folder.size() % 60 == 59) ? '\\' : 'd';
    return folder + "\\";
}
} // namespace

TEST(TempTiffPath, IsTheTemporaryFolderFollowedByTheFileName) {
    char folder[MAX_PATH] = "";
    const DWORD length = ::GetTempPathA(MAX_PATH, folder);
    ASSERT_GT(length, 0u);
    char path[MAX_PATH];
    std::memset(path, 'x', sizeof(path));
    MakeTempTiffPath(path);
    EXPECT_EQ(std::string(folder) + "zq4intmp.tif", path);
}

TEST(TempTiffPath, LongestFolderThatStillFits) {
    const std::string folder = FolderOfLength(247);
    TempFolderOverride tmp(folder);
    char check[MAX_PATH] = "";
    ASSERT_EQ(247u, ::GetTempPathA(MAX_PATH, check)) << check;
    char path[MAX_PATH];
    MakeTempTiffPath(path);
    EXPECT_EQ(259u, std::strlen(path));
    EXPECT_EQ(folder + "zq4intmp.tif", path);
}

TEST(TempTiffPath, FolderTooLongForTheNameLeavesThePathEmpty) {
    for (size_t length : {248u, 255u}) {
        TempFolderOverride tmp(FolderOfLength(length));
        char check[MAX_PATH] = "";
        ASSERT_EQ(length, ::GetTempPathA(MAX_PATH, check));
        char path[MAX_PATH];
        std::memset(path, 'x', sizeof(path));
        MakeTempTiffPath(path);
        EXPECT_STREQ("", path) << "folder of " << length;
    }
}
