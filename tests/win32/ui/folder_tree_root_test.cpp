// The tree at start: the desktop as the expanded root with its folders, nothing selected.
#include "folder_tree_host.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

TEST(FolderTreeStart, RootIsTheExpandedDesktopWithImage4AndNothingSelected) {
    FolderTreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.GetNextItem(root, TVGN_NEXT), nullptr) << "one root";

    wchar_t desktopPath[MAX_PATH] = L"";
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, desktopPath, CSIDL_DESKTOPDIRECTORY, FALSE));
    SHFILEINFOW info{};
    ::SHGetFileInfoW(desktopPath, 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
    EXPECT_EQ(ItemText(tree, root), Utf8(info.szDisplayName));
    EXPECT_FALSE(ItemText(tree, root).empty());

    TVITEMA images{};
    images.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    images.hItem = root;
    ASSERT_TRUE(tree.GetItem(&images));
    EXPECT_EQ(images.iImage, 4);
    EXPECT_EQ(images.iSelectedImage, 4);

    EXPECT_TRUE(ItemState(tree, root) & TVIS_EXPANDED);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_TRUE(host.selections.empty());
    EXPECT_NE(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL), 0) << "the system image list";
}

TEST(FolderTreeStart, RootLevelHoldsTheDesktopsFoldersWithTheComputer) {
    FolderTreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    HTREEITEM computer = FindSpecialChild(tree, CSIDL_DRIVES);
    ASSERT_NE(computer, nullptr);
    EXPECT_FALSE(ItemText(tree, computer).empty());
    EXPECT_EQ(ItemChildCount(tree, computer), 1) << "the computer has drives, so it has a button";
    EXPECT_EQ(tree.GetChildItem(computer), nullptr) << "not filled before it is expanded";
    // Every root-level item is a folder of the desktop, absolute lists of one element.
    for (HTREEITEM child : Children(tree, tree.GetRootItem())) {
        LPCITEMIDLIST list = ItemIdList(tree, child);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(::ILGetNext(list)->mkid.cb, 0) << ItemText(tree, child);
    }
}
