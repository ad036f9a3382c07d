// With the common controls of the first Windows 95 and NT 4.0 (comctl32 4.00), which know no
// extended list styles, the list gets no check boxes: the user is told once what brings them,
// and folders are still listed.
#include "support/temp_dir.h"
#include "support/text_file.h"
#include "ui/resource.h"
#include "win32/dialog_driver.h"
#include "win32/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {
WNDPROC g_listProc = nullptr;

// Answers the extended-style messages as a control that does not know them.
LRESULT CALLBACK OldListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LVM_SETEXTENDEDLISTVIEWSTYLE || message == LVM_GETEXTENDEDLISTVIEWSTYLE)
        return 0;
    return ::CallWindowProcA(g_listProc, window, message, wParam, lParam);
}

// Puts OldListProc under every list view this thread creates.
LRESULT CALLBACK OnCreate(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = "";
    if (code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name)) &&
        lstrcmpiA(name, WC_LISTVIEWA) == 0)
        g_listProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldListProc)));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(OldCommonControls, TheUserIsToldOnceWhatBringsCheckBoxesAndFoldersAreStillListed) {
    TempDir folder("oldcomctl");
    ASSERT_TRUE(WriteText(folder / "fax.awd", "listed only"));
    const HHOOK hook = ::SetWindowsHookExA(WH_CBT, OnCreate, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    MessageBoxCloser boxes;
    HWND window = nullptr;
    WithMainDialog([&](HWND dialog) {
        ::UnhookWindowsHookEx(hook);
        window = dialog;
        SelectFolder(dialog, folder.Path());
        EXPECT_EQ(RowCount(dialog), 1);
    });
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tarnvel");
    EXPECT_EQ(boxes.boxes()[0].owner, window);
    EXPECT_NE(boxes.boxes()[0].text.find("Internet Explorer 4 or later"), std::string::npos)
        << boxes.boxes()[0].text;
}
} // namespace
