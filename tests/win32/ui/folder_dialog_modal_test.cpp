// The folder picker run for real: what DoModal returns for a folder, for an item without a
// file-system path and for a cancelled browser, and its owner disabled only meanwhile.
#include "ui/folder_dialog.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct PickerRun {
    INT_PTR result;
    bool ownerDisabled;
    bool ownerEnabledAfter;
    int browsers;
};

// Runs `picker` owned by `owner` and lets `drive` handle the browser once it is up.
PickerRun RunPicker(CFolderDialog& picker, HostWindow& owner, const std::function<void(HWND)>& drive) {
    PickerRun run{0, false, false, 0};
    DialogWatcher watcher([&](HWND w) { return ::GetWindow(w, GW_OWNER) == owner.hwnd(); },
                          [&](HWND browser) {
                              run.ownerDisabled = !::IsWindowEnabled(owner.hwnd());
                              drive(browser);
                          });
    run.result = picker.DoModal();
    run.browsers = watcher.seen();
    run.ownerEnabledAfter = ::IsWindowEnabled(owner.hwnd()) != FALSE;
    return run;
}

std::string WindowsFolder() {
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    return windows;
}
} // namespace

TEST(FolderDialogModal, ChosenFolderGivesOkAndItsPath) {
    HostWindow owner;
    const std::string windows = WindowsFolder();
    CFolderDialog picker("Pick", windows.c_str(), &owner.wnd(), BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
    const std::string leaf = windows.substr(windows.rfind('\\') + 1);
    const PickerRun run = RunPicker(picker, owner, [&](HWND browser) {
        EXPECT_TRUE(WaitForBrowserSelection(browser, leaf.c_str()));
        Press(browser, IDOK);
    });
    EXPECT_EQ(run.browsers, 1);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_STRCASEEQ(picker.m_szFolderPath, windows.c_str());
    EXPECT_TRUE(run.ownerDisabled);
    EXPECT_TRUE(run.ownerEnabledAfter);
    EXPECT_EQ(picker.m_hBrowseWnd, nullptr);
}

TEST(FolderDialogModal, ItemWithoutAFileSystemPathGivesMinusOne) {
    HostWindow owner;
    CFolderDialog picker("Pick", nullptr, &owner.wnd(), BIF_NEWDIALOGSTYLE);
    const PickerRun run = RunPicker(picker, owner, [](HWND browser) {
        LPITEMIDLIST computer = nullptr;
        ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        SHFILEINFOA info{};
        ::SHGetFileInfoA(reinterpret_cast<const char*>(computer), 0, &info, sizeof(info),
                         SHGFI_PIDL | SHGFI_DISPLAYNAME);
        ::SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer));
        ::CoTaskMemFree(computer);
        EXPECT_TRUE(WaitForBrowserSelection(browser, info.szDisplayName));
        Press(browser, IDOK);
    });
    EXPECT_EQ(run.browsers, 1);
    EXPECT_EQ(run.result, -1);
    EXPECT_TRUE(run.ownerEnabledAfter);
}

TEST(FolderDialogModal, CancelGivesCancelAndNoPath) {
    HostWindow owner;
    CFolderDialog picker("Pick", WindowsFolder().c_str(), &owner.wnd(),
                         BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
    const PickerRun run = RunPicker(picker, owner, [](HWND browser) { Press(browser, IDCANCEL); });
    EXPECT_EQ(run.browsers, 1);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(std::string(picker.m_szFolderPath, sizeof(picker.m_szFolderPath)),
              std::string(sizeof(picker.m_szFolderPath), '\0'));
    EXPECT_TRUE(run.ownerDisabled);
    EXPECT_TRUE(run.ownerEnabledAfter);
}
