// Every selection change tells the parent the selected folder's file-system path.
#include "folder_tree_host.h"
#include "framework/file_names.h"
#include "temp_folder.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(FolderTreeSelection, SendsThePathInTheShellsForm) {
    TempFolder temp("select");
    FolderTreeHost host;
    CFolderTreeCtrl& tree = host.tree;

    HTREEITEM folder = ExpandToPath(tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    const std::string drive = temp.Path().substr(0, 3); // "C:\"
    HTREEITEM driveItem = ExpandToPath(tree, drive);
    ASSERT_NE(driveItem, nullptr);
    HTREEITEM computer = FindSpecialChild(tree, CSIDL_DRIVES);
    ASSERT_NE(computer, nullptr);
    char desktop[MAX_PATH] = "";
    ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));

    host.selections.clear();
    tree.SelectItem(folder);
    tree.SelectItem(driveItem);
    tree.SelectItem(computer);
    tree.SelectItem(tree.GetRootItem());
    ASSERT_EQ(host.selections.size(), 4u);
    EXPECT_EQ(lstrcmpiA(host.selections[0].c_str(), temp.Path().c_str()), 0) << host.selections[0];
    EXPECT_EQ(lstrcmpiA(host.selections[1].c_str(), drive.c_str()), 0) << host.selections[1];
    EXPECT_EQ(host.selections[1].back(), '\\') << "a drive root ends in a backslash";
    EXPECT_EQ(host.selections[2], "") << "the computer has no file-system path";
    EXPECT_EQ(lstrcmpiA(host.selections[3].c_str(), desktop), 0) << host.selections[3];
}

TEST(FolderTreeSelection, EachKeyboardStepSendsOneMessage) {
    TempFolder temp("keys");
    for (const char* name : {"a", "b", "c"})
        temp.MakeFolder(name);
    FolderTreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    HTREEITEM folder = ExpandToPath(tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    ExpandItem(tree, folder);
    ::SetFocus(tree);
    tree.SelectItem(folder);

    host.selections.clear();
    for (int step = 0; step < 3; ++step)
        tree.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(host.selections, (Texts{temp / "a", temp / "b", temp / "c"}));
    tree.SendMessage(WM_KEYDOWN, VK_UP, 1);
    ASSERT_EQ(host.selections.size(), 4u);
    EXPECT_EQ(host.selections[3], temp / "b");
}

// A folder named in letters the code page lacks shows its own name and sends its own path.
TEST(FolderTreeSelection, AFolderNamedOutsideTheCodePageKeepsItsNameAndPath) {
    if (!files::WideNames())
        GTEST_SKIP() << "the file systems of Windows 95, 98 and Me hold only names of the code page";
    TempFolder temp("named");
    const std::string path = temp.Path() + "\\Факсы";
    ASSERT_TRUE(::CreateDirectoryW(Wide(path).c_str(), nullptr));
    FolderTreeHost host;
    HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    ExpandItem(host.tree, folder);
    ASSERT_EQ(ChildTexts(host.tree, folder), Texts{"Факсы"});
    host.selections.clear();
    host.tree.SelectItem(Children(host.tree, folder)[0]);
    EXPECT_EQ(host.selections, Texts{path});
}
