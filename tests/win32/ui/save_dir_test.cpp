// Save Dir in the running main window, with the shell's real folder browser driven from the test:
// the browser opens at the output folder, its choice becomes the output folder, and a cancelled
// browser leaves "C:\temp".
#include "win32/modal_runner.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace {
// Two real folders to choose between.
class SaveDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, temp);
        m_first = std::string(temp) + "tarnvel-savedir-a";
        m_second = std::string(temp) + "tarnvel-savedir-b";
        ::CreateDirectoryA(m_first.c_str(), nullptr);
        ::CreateDirectoryA(m_second.c_str(), nullptr);
    }
    void TearDown() override {
        ::RemoveDirectoryA(m_first.c_str());
        ::RemoveDirectoryA(m_second.c_str());
    }

    struct Outcome {
        std::string field;      // the output-folder field after Save Dir
        std::string member;     // m_strOutputFolder after Save Dir
        bool ownerDisabled;     // the main window while the browser was up
        bool ownerEnabledAfter; // the main window once Save Dir returned
        int browsers;           // browser windows seen
    };

    // Opens the main window with `outputFolder`, types `typed` into the field without exchanging it,
    // presses Save Dir and lets `drive` handle the browser.
    Outcome RunSaveDir(const std::string& outputFolder, const std::function<void(HWND)>& drive) {
        CConverterDlg dlg;
        dlg.m_strOutputFolder = outputFolder.c_str();
        Outcome outcome{"", "", false, false, 0};
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            ::SetDlgItemTextA(d.m_hWnd, IDC_OUTPUT_FOLDER, "typed but not exchanged");
            DialogWatcher watcher(
                [&](HWND w) { return w != d.m_hWnd && ::GetWindow(w, GW_OWNER) == d.m_hWnd; },
                [&](HWND browser) {
                    outcome.ownerDisabled = !::IsWindowEnabled(d.m_hWnd);
                    drive(browser);
                });
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SAVE_DIR, BN_CLICKED),
                          reinterpret_cast<LPARAM>(d.GetDlgItem(IDC_SAVE_DIR)));
            outcome.browsers = watcher.seen();
            outcome.ownerEnabledAfter = ::IsWindowEnabled(d.m_hWnd) != FALSE;
            outcome.field = TextOf(d.GetDlgItem(IDC_OUTPUT_FOLDER));
            outcome.member = dlg.m_strOutputFolder.GetString();
            d.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
        return outcome;
    }

    std::string m_first;
    std::string m_second;
};

} // namespace

TEST_F(SaveDirTest, BrowserOpensAtTheOutputFolderAndAcceptingKeepsIt) {
    const Outcome outcome = RunSaveDir(m_first, [](HWND browser) {
        EXPECT_TRUE(WaitForBrowserSelection(browser, "tarnvel-savedir-a"));
        Press(browser, IDOK);
    });
    EXPECT_EQ(outcome.browsers, 1);
    EXPECT_TRUE(outcome.ownerDisabled);
    EXPECT_TRUE(outcome.ownerEnabledAfter);
    EXPECT_STRCASEEQ(outcome.member.c_str(), m_first.c_str());
    EXPECT_STRCASEEQ(outcome.field.c_str(), m_first.c_str());
}

TEST_F(SaveDirTest, FolderChosenInTheBrowserBecomesTheOutputFolder) {
    const std::string second = m_second;
    const Outcome outcome = RunSaveDir(m_first, [&](HWND browser) {
        EXPECT_TRUE(WaitForBrowserSelection(browser, "tarnvel-savedir-a"));
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(second.c_str()));
        EXPECT_TRUE(WaitForBrowserSelection(browser, "tarnvel-savedir-b"));
        Press(browser, IDOK);
    });
    EXPECT_EQ(outcome.browsers, 1);
    EXPECT_STRCASEEQ(outcome.field.c_str(), m_second.c_str());
    EXPECT_STRCASEEQ(outcome.member.c_str(), m_second.c_str());
}

TEST_F(SaveDirTest, CancelledBrowserLeavesCTemp) {
    const Outcome outcome = RunSaveDir(m_first, [](HWND browser) { Press(browser, IDCANCEL); });
    EXPECT_EQ(outcome.browsers, 1);
    EXPECT_TRUE(outcome.ownerDisabled);
    EXPECT_TRUE(outcome.ownerEnabledAfter);
    EXPECT_EQ(outcome.field, "C:\\temp");
    EXPECT_EQ(outcome.member, "C:\\temp");
}
