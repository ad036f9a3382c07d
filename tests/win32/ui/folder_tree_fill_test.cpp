// Filling a branch: folders only, each level in the shell's order, once and only once.
#include "folder_tree_host.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

using Texts = std::vector<std::string>;

TEST(FolderTreeFill, ListsFoldersOnlyNeverFilesOrHiddenFolders) {
    TempFolder temp("fill");
    temp.MakeFolder("visible");
    temp.MakeFolder("secret", FILE_ATTRIBUTE_HIDDEN);
    temp.MakeFile("fax.awd");
    temp.MakeFile("notes.txt");
    FolderTreeHost host;
    HTREEITEM item = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(item, nullptr) << temp.Path();
    ExpandItem(host.tree, item);
    EXPECT_EQ(ChildTexts(host.tree, item), (Texts{"visible"}));
}

TEST(FolderTreeFill, SiblingsComeInTheShellsOrder) {
    TempFolder temp("order");
    for (const char* name : {"delta", "Bravo", "alpha", "charlie", "Echo"})
        temp.MakeFolder(name);
    FolderTreeHost host;
    HTREEITEM item = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(item, nullptr);
    ExpandItem(host.tree, item);
    const std::vector<HTREEITEM> children = Children(host.tree, item);
    ASSERT_EQ(children.size(), 5u);
    // The folder's own CompareIDs decides, and for file folders that is the name without case.
    EXPECT_EQ(ChildTexts(host.tree, item), (Texts{"alpha", "Bravo", "charlie", "delta", "Echo"}));
}

TEST(FolderTreeFill, ABranchIsReadOnceAndNeverAgain) {
    TempFolder temp("once");
    temp.MakeFolder("first");
    FolderTreeHost host;
    HTREEITEM item = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(item, nullptr);
    UserExpand(host.tree, item);
    ASSERT_EQ(ChildTexts(host.tree, item), (Texts{"first"}));

    temp.MakeFolder("second");
    UserCollapse(host.tree, item);
    EXPECT_FALSE(ItemState(host.tree, item) & TVIS_EXPANDED);
    UserExpand(host.tree, item);
    EXPECT_TRUE(ItemState(host.tree, item) & TVIS_EXPANDED);
    EXPECT_EQ(ChildTexts(host.tree, item), (Texts{"first"}));
}

// A folder shows the shell's icons, the open folder when selected. A branch with nothing inside
// collapses, keeps its button and tries again.
TEST(FolderTreeFill, FoldersShowTheShellsIconsAndAnEmptyBranchCollapsesKeepsItsButtonAndTriesAgain) {
    TempFolder temp("empty");
    temp.MakeFolder("hollow");
    FolderTreeHost host;
    HTREEITEM parent = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(parent, nullptr);
    ExpandItem(host.tree, parent);
    const std::vector<HTREEITEM> children = Children(host.tree, parent);
    ASSERT_EQ(children.size(), 1u);
    HTREEITEM hollow = children[0];
    const auto icon = [&](UINT extra) {
        SHFILEINFOA info{};
        ::SHGetFileInfoA(reinterpret_cast<const char*>(ItemIdList(host.tree, hollow)), 0, &info, sizeof(info),
                         SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_SMALLICON | extra);
        return info.iIcon;
    };
    TVITEMA images{};
    images.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    images.hItem = hollow;
    ASSERT_TRUE(host.tree.GetItem(&images));
    EXPECT_EQ(images.iImage, icon(0));
    EXPECT_EQ(images.iSelectedImage, icon(SHGFI_OPENICON));
    EXPECT_NE(images.iImage, images.iSelectedImage) << "the shell has an open-folder icon";

    if (ItemChildCount(host.tree, hollow) == 0)
        GTEST_SKIP() << "this shell reports no sub-folders for an empty folder, so it has no button to keep";

    UserExpand(host.tree, hollow);
    EXPECT_EQ(host.tree.GetChildItem(hollow), nullptr);
    EXPECT_FALSE(ItemState(host.tree, hollow) & TVIS_EXPANDED);
    EXPECT_EQ(ItemChildCount(host.tree, hollow), 1) << "keeps its button";

    // The next expansion reads the folder again.
    temp.MakeFolder("hollow\\late");
    UserExpand(host.tree, hollow);
    EXPECT_EQ(ChildTexts(host.tree, hollow), (Texts{"late"}));
}
