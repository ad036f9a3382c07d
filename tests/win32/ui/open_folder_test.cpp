// A folder named from outside the window (on the command line, or dropped onto it) is selected in
// the tree, expanded down to it, and listed, as a click on it would; a path that is no folder is
// said to be none once, in the account line.
#include "folder_tree_host.h"
#include "temp_folder.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "ui_test_support.h"
#include "win32/dialog_driver.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// A drop as Explorer hands it over: a DROPFILES record, then the wide names, each ended by a NUL.
WPARAM Drop(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths)
        names += Wide(path) + L'\0';
    names += L'\0';
    const HGLOBAL memory =
        ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return reinterpret_cast<WPARAM>(memory);
}

// Serves the dialog until the tree shows `path` selected, its branch open, and the list its `files`.
bool WaitForOpened(HWND dialog, const std::string& path, int files) {
    const HWND tree = ::GetDlgItem(dialog, IDC_TREE_FOLDERS);
    return Serve(20000, [&] {
        const HTREEITEM item = TreeView_GetSelection(tree);
        return item && lstrcmpiA(ItemPath(tree, item).c_str(), path.c_str()) == 0 &&
               (ItemState(tree, TreeView_GetParent(tree, item)) & TVIS_EXPANDED) &&
               RowCount(dialog) == files && lstrcmpiA(OutputFolderOf(dialog).c_str(), path.c_str()) == 0;
    });
}
} // namespace

TEST(OpenFolder, TheCommandLinesFolderOpensAsAClickOnItWould) {
    TempFolder temp("open");
    temp.MakeFolder("2019 March");
    for (const char* name : {"2019 March\\a.awd", "2019 March\\b.awd", "2019 March\\note.txt"})
        temp.MakeFile(name);
    // As typed into a shortcut, in capitals.
    std::string typed = temp / "2019 March";
    std::transform(typed.begin(), typed.end(), typed.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    CConverterDlg dialog;
    dialog.m_strStartFolder = Wide(typed).c_str();
    RunModal(dialog, [&](CDialog& running) {
        EXPECT_TRUE(WaitForOpened(running.GetSafeHwnd(), temp / "2019 March", 2));
        running.EndDialog(IDCANCEL);
    });
}

TEST(OpenFolder, ADroppedFolderOpensAndADroppedFileIsSaidToBeNone) {
    TempFolder temp("drop");
    temp.MakeFolder("faxes");
    temp.MakeFile("faxes\\a.awd");
    temp.MakeFile("note.txt");
    MessageBoxCloser boxes;
    WithMainDialog([&](HWND dialog) {
        // Drops onto the tree and the list go to the first window up that takes them.
        EXPECT_TRUE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        ::SendMessageA(dialog, WM_DROPFILES, Drop({temp / "faxes", temp / "note.txt"}), 0);
        EXPECT_TRUE(WaitForOpened(dialog, temp / "faxes", 1));
        const HWND account = ::GetDlgItem(dialog, IDC_ACCOUNT);
        EXPECT_EQ(TextOf(account), "");
        ::SendMessageA(dialog, WM_DROPFILES, Drop({temp / "note.txt"}), 0);
        Serve(20000, [&] { return !TextOf(account).empty(); });
        EXPECT_EQ(TextOf(account), "Not a folder, so none was opened: " + temp / "note.txt");
        EXPECT_EQ(RowCount(dialog), 1) << "the list was emptied";
    });
    EXPECT_TRUE(boxes.boxes().empty());
}
