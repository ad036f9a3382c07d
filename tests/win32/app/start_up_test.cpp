// What start-up settles before the main window opens; the path of the temporary TIFF, the user's
// temporary folder and "zq4intmp.tif", never more than the buffer holds.
#include "app/converter_app.h"
#include "app/environment.h"
#include "support/temp_dir.h"
#include "win32/convert/conversion_fixture.h"
#include "win32/modal_runner.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// Start-up as the program runs it, in a process of its own: what it settles is there once the
// window is. Wine never shows the system's "no disk" box; Windows does, for each look at an empty
// floppy, card or optical drive, unless the process has asked to fail such errors quietly.
TEST(StartUp, SettlesTheErrorModeLibrarySearchAndEnvironmentBeforeTheWindowOpens) {
    if (!std::getenv("TARNVEL_START_UP"))
        GTEST_SKIP() << "runs in its own ctest entry, which sets TARNVEL_START_UP: start-up restricts where "
                        "the whole process loads libraries from";
    ::SetErrorMode(0);
    WindowsGeneration = -1;
    // A library planted in the current directory, which its bare name loads until start-up.
    TempDir current("planted");
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\doubles\\imgedit_double.dll").c_str(),
                            (current / "planted.dll").c_str(), FALSE));
    ASSERT_TRUE(::SetCurrentDirectoryA(current.Path().c_str()));
    const HMODULE before = ::LoadLibraryA("planted.dll");
    ASSERT_NE(nullptr, before) << "the test would not show the search restricted";
    ::FreeLibrary(before);
    wchar_t folder[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, folder);
    std::string settled = "the main window never opened";
    LoopTimer close(50, [&] {
        if (const HWND dialog =
                FindWindowOf("#32770", [](HWND window) { return ::IsWindowVisible(window); })) {
            const UINT mode = ::SetErrorMode(0);
            const HMODULE planted = ::LoadLibraryA("planted.dll");
            settled = std::to_string(mode & SEM_FAILCRITICALERRORS) +
                      (planted ? " planted.dll loaded " : " ") + std::to_string(WindowsGeneration) + " " +
                      Utf8(TempTiffPath) + " " + Utf8(TarnvelFolder);
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            close.Stop();
        }
    });
    CConverterApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(settled, std::to_string(SEM_FAILCRITICALERRORS) + " " + std::to_string(GetWindowsGeneration()) +
                           " " + Utf8(folder) + "zq4intmp.tif " + ProgramFolder());
    ::SetCurrentDirectoryW(folder);
}

// A folder named in letters the ANSI code page lacks (a profile on Vista and later may be so named)
// is kept whole.
TEST(TempTiffPath, IsTheTemporaryFolderFollowedByTheFileName) {
    const TempFolderOverride named(L"C:\\Временные файлы\\");
    wchar_t path[MAX_PATH];
    std::memset(path, 'x', sizeof(path));
    MakeTempTiffPath(path);
    EXPECT_EQ(std::wstring(L"C:\\Временные файлы\\zq4intmp.tif"), path);
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
    for (size_t length : {248u, 255u}) {
        TempFolderOverride tmp(FolderOfLength(length));
        wchar_t check[MAX_PATH] = L"";
        ASSERT_EQ(length, ::GetTempPathW(MAX_PATH, check));
        wchar_t path[MAX_PATH];
        std::memset(path, 'x', sizeof(path));
        MakeTempTiffPath(path);
        EXPECT_EQ(std::wstring(), path) << "folder of " << length;
    }
}
