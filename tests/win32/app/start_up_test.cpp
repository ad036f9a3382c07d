// What start-up settles before the main window opens; the path of the temporary TIFF, the user's
// temporary folder and "zq4intmp.tif", never more than the buffer holds.
#include "app/converter_app.h"
#include "app/environment.h"
#include "support/scope_undo.h"
#include "win32/convert/conversion_fixture.h"
#include "win32/modal_runner.h"

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

// Start-up as the program runs it, in this process: what it settles is there once the window is.
// Wine never shows the system's "no disk" box; Windows does, for each look at an empty floppy,
// card or optical drive, unless the process has asked to fail such errors quietly.
TEST(StartUp, SettlesTheErrorModeAndTheEnvironmentBeforeTheWindowOpens) {
    const UINT before = ::SetErrorMode(0);
    const int generation = WindowsGeneration;
    const std::string temp = TempTiffPath;
    const std::string program = TarnvelFolder;
    const ScopedUndo undo([&] {
        ::SetErrorMode(before);
        WindowsGeneration = generation;
        lstrcpynA(TempTiffPath, temp.c_str(), MAX_PATH);
        lstrcpynA(TarnvelFolder, program.c_str(), MAX_PATH);
    });
    WindowsGeneration = -1;
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    std::string settled = "the main window never opened";
    LoopTimer close(50, [&] {
        if (const HWND dialog =
                FindWindowOf("#32770", [](HWND window) { return ::IsWindowVisible(window); })) {
            const UINT mode = ::SetErrorMode(0);
            ::SetErrorMode(mode);
            settled = std::to_string(mode & SEM_FAILCRITICALERRORS) + " " +
                      std::to_string(WindowsGeneration) + " " + TempTiffPath + " " + TarnvelFolder;
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            close.Stop();
        }
    });
    CConverterApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(settled, std::to_string(SEM_FAILCRITICALERRORS) + " " + std::to_string(GetWindowsGeneration()) +
                           " " + folder + "zq4intmp.tif " + ProgramFolder());
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
