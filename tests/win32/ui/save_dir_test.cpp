// Save Dir in the running main window, with the shell's real folder browser driven from the test:
// the browser opens at the output folder, its choice becomes the output folder, and a cancelled
// browser, or a choice without a folder of the file system, leaves "C:\temp".
#include "folder_tree_host.h"
#include "support/scratch_drive.h"
#include "temp_folder.h"
#include "ui/resource.h"
#include "ui_test_support.h"
#include "win32/dialog_driver.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {
BOOL CALLBACK FindTree(HWND window, LPARAM found) {
    char name[32] = "";
    ::GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Two folders of this process's own to choose between. The browser finds the folder it opens at
// by comparing identifier lists byte for byte, and under wine each level's list holds the level's
// last-access time, which the file system moves on the first read after a change: a level that
// changes or is first read while the browser runs is not found. So the folders live on a drive
// root (a drive's list holds no time) in a folder of their own that nothing else writes, every
// level is read once before the browser opens, and the second folder is picked as the user picks
// it, by its item.
class SaveDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_drive.Root().empty()) << "no drive root to write";
        for (const std::string* folder : {&m_base, &m_first, &m_second})
            ASSERT_TRUE(::CreateDirectoryW(Wide(*folder).c_str(), nullptr)) << *folder;
        for (const std::string* folder : {&m_base, &m_first, &m_second}) {
            WIN32_FIND_DATAW found;
            const HANDLE find = ::FindFirstFileW(Wide(*folder + "\\*").c_str(), &found);
            if (find != INVALID_HANDLE_VALUE)
                ::FindClose(find);
        }
    }
    void TearDown() override { RemoveTree(m_base); }

    // Lists the first folder (which makes it the output folder), types some text into the field
    // without exchanging it, presses Save Dir and lets `drive` handle the browser, which keeps the
    // main window disabled while it is up. The output field afterwards.
    std::string RunSaveDir(const std::function<void(HWND)>& drive) {
        std::string field;
        WithMainDialog([&](HWND dialog) {
            SelectFolder(dialog, m_first);
            TypeOutputFolder(dialog, "typed but not exchanged");
            DialogWatcher watcher([&](HWND w) { return w != dialog && ::GetWindow(w, GW_OWNER) == dialog; },
                                  [&](HWND browser) {
                                      EXPECT_FALSE(::IsWindowEnabled(dialog));
                                      drive(browser);
                                  });
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_DIR, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_SAVE_DIR)));
            EXPECT_EQ(watcher.seen(), 1);
            EXPECT_TRUE(::IsWindowEnabled(dialog));
            field = OutputFolderOf(dialog);
        });
        return field;
    }
    // Waits for the browser to show the first folder, clicks the item `name` in its tree as the
    // user picks a folder (beside the first, or at the top, under the desktop) and accepts that.
    std::function<void(HWND)> Choose(const std::string& name, bool atTheTop = false) {
        return [=](HWND browser) {
            EXPECT_TRUE(WaitForBrowserSelection(browser, m_firstName.c_str(), 30000));
            HWND tree = nullptr;
            ::EnumChildWindows(browser, &FindTree, reinterpret_cast<LPARAM>(&tree));
            ASSERT_NE(tree, nullptr);
            const HTREEITEM parent =
                atTheTop ? TreeView_GetRoot(tree) : TreeView_GetParent(tree, TreeView_GetSelection(tree));
            for (HTREEITEM item : Children(tree, parent))
                if (lstrcmpiA(ItemText(tree, item).c_str(), name.c_str()) == 0)
                    TreeView_SelectItem(tree, item);
            EXPECT_TRUE(WaitForBrowserSelection(browser, name.c_str(), 30000));
            Press(browser, IDOK);
        };
    }

    TempFolder m_scratch{"savedir"};
    ScratchDrive m_drive{m_scratch.Path()};
    std::string m_base = m_drive.Root() + ScratchDrive::Own("-savedir");
    // Named in letters the code page may lack (Greek): the browser opens at the one and its choice
    // of the other reaches the field whole.
    std::string m_firstName = ScratchDrive::Own("-Φαξ");
    std::string m_secondName = ScratchDrive::Own("-Έξοδος");
    std::string m_first = m_base + "\\" + m_firstName;
    std::string m_second = m_base + "\\" + m_secondName;
};
} // namespace

TEST_F(SaveDirTest, BrowserOpensAtTheOutputFolderAndTheFolderChosenBecomesTheOutputFolder) {
    EXPECT_STRCASEEQ(RunSaveDir(Choose(m_firstName)).c_str(), m_first.c_str());
    EXPECT_STRCASEEQ(RunSaveDir(Choose(m_secondName)).c_str(), m_second.c_str());
}

TEST_F(SaveDirTest, ACancelledBrowserOrAChoiceWithoutAFolderLeavesCTemp) {
    EXPECT_EQ(RunSaveDir([](HWND browser) { Press(browser, IDCANCEL); }), "C:\\temp");
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    SHFILEINFOW info{};
    ::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(computer), 0, &info, sizeof(info),
                     SHGFI_PIDL | SHGFI_DISPLAYNAME);
    ::CoTaskMemFree(computer);
    EXPECT_EQ(RunSaveDir(Choose(Utf8(info.szDisplayName), true)), "C:\\temp");
}
