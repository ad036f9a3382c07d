// What the tree asks of the shell: lists allocated and freed through the allocator, interfaces
// released, each branch enumerated alone and once, names of every kind, and the shell failing.
#include "folder_tree_host.h"
#include "framework/handle.h"
#include "shell_doubles.h"
#include "temp_folder.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {
using Texts = std::vector<std::string>;

bool Contains(const Texts& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class FolderTreeShell : public ::testing::Test {
protected:
    void SetUp() override {
        temp.MakeFolder("alpha");
        temp.MakeFolder("alpha\\inner");
        temp.MakeFolder("beta");
        temp.MakeFolder("beta\\deeper");
        temp.MakeFolder("beta\\deeper\\deepest");
    }

    TempFolder temp{"shell"};
    CountingMalloc malloc;
    FolderHooks hooks;
};
} // namespace

TEST_F(FolderTreeShell, EveryIdListIsFreedAndBothInterfacesReleased) {
    {
        ShellSourceOverride shell(&malloc, &hooks);
        FolderTreeHost host;
        EXPECT_EQ(malloc.references, 1) << "the tree holds the allocator";
        HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
        ASSERT_NE(folder, nullptr);
        ExpandItem(host.tree, folder);
        for (HTREEITEM child : Children(host.tree, folder)) {
            UserExpand(host.tree, child);
            host.tree.SelectItem(child);
        }
        EXPECT_GT(malloc.allocations, 10);
        EXPECT_EQ(malloc.live.size(), host.tree.GetCount() - 1u) << "one list per item but the root";
        EXPECT_GT(malloc.foreignFrees, 10) << "the enumerated relative lists";
    }
    EXPECT_TRUE(malloc.live.empty()) << malloc.live.size() << " lists left";
    EXPECT_EQ(malloc.ownFrees, malloc.allocations);
    EXPECT_EQ(malloc.references, 0);
    EXPECT_EQ(hooks.liveFolders, 0);
}

TEST_F(FolderTreeShell, ListsAreFreedWhenTheObjectGoesBeforeItsWindow) {
    ShellSourceOverride shell(&malloc, &hooks);
    FolderTreeHost host;
    const std::set<void*> hostLists = malloc.live;
    auto tree = std::make_unique<CFolderTreeCtrl>();
    ASSERT_TRUE(tree->SubclassWindow(CreateTreeWindow(host)));
    tree->InitTree();
    ASSERT_NE(ExpandToPath(*tree, temp.Path()), nullptr);
    ASSERT_GT(malloc.live.size(), hostLists.size());
    const HWND window = tree->m_hWnd;
    tree.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(malloc.live, hostLists);
}

TEST_F(FolderTreeShell, TheMainDialogsTreeFreesEveryListWhenTheDialogCloses) {
    {
        ShellSourceOverride shell(&malloc, &hooks);
        CConverterDlg dialog; // outlives its window: the lists must go with the window
        EXPECT_EQ(malloc.references, 1);
        RunModal(dialog, [&](CDialog& running) {
            const HWND window = running.GetSafeHwnd();
            const HTREEITEM folder = SelectInTree(window, temp.Path());
            ASSERT_NE(folder, nullptr);
            const HWND tree = ::GetDlgItem(window, IDC_TREE_FOLDERS);
            ExpandItem(tree, folder);
            TreeView_SelectItem(tree, TreeView_GetChild(tree, folder));
            EXPECT_GT(malloc.live.size(), 5u);
            running.EndDialog(IDCANCEL);
        });
        EXPECT_TRUE(malloc.live.empty()) << "freed with the window, before the dialog object goes";
    }
    EXPECT_EQ(malloc.references, 0);
    EXPECT_EQ(hooks.liveFolders, 0);
}

TEST_F(FolderTreeShell, ABranchEnumeratesItsOwnFolderOnlyAndOnlyOnce) {
    ShellSourceOverride shell(&malloc, &hooks);
    FolderTreeHost host;
    EXPECT_EQ(hooks.enumerated, (Texts{""})) << "start-up reads the desktop level alone";
    HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(folder, nullptr);

    hooks.enumerated.clear();
    UserExpand(host.tree, folder);
    EXPECT_EQ(hooks.enumerated, (Texts{temp.Path()})) << "alpha and beta get their buttons unread";
    ASSERT_EQ(ChildTexts(host.tree, folder), (Texts{"alpha", "beta"}));
    for (HTREEITEM child : Children(host.tree, folder))
        EXPECT_EQ(ItemChildCount(host.tree, child), 1);

    UserCollapse(host.tree, folder);
    UserExpand(host.tree, folder);
    HTREEITEM beta = Children(host.tree, folder)[1];
    UserExpand(host.tree, beta);
    UserCollapse(host.tree, beta);
    UserExpand(host.tree, beta);
    EXPECT_EQ(hooks.enumerated, (Texts{temp.Path(), temp / "beta"}));
}

TEST_F(FolderTreeShell, SiblingsTakeTheOrderTheFolderGives) {
    ShellSourceOverride shell(&malloc, &hooks);
    FolderTreeHost host;
    HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    temp.MakeFolder("gamma");
    hooks.reverseOrder = true;
    ExpandItem(host.tree, folder);
    EXPECT_EQ(ChildTexts(host.tree, folder), (Texts{"gamma", "beta", "alpha"}));
}

TEST_F(FolderTreeShell, ComparingTwoItemsAsksTheFolderAboutTheirLastElementsAndReadsTheLow16Bits) {
    ShellSourceOverride shell(&malloc, &hooks);
    IShellFolder* desktop = nullptr;
    ASSERT_EQ(g_shellSource.getDesktopFolder(&desktop), S_OK);
    // Two absolute lists of two elements each, as the tree keeps them.
    const BYTE first[] = {3, 0, 'a', 4, 0, 'b', 'c', 0, 0};
    const BYTE second[] = {3, 0, 'a', 3, 0, 'd', 0, 0};
    const auto a = reinterpret_cast<LPARAM>(first);
    const auto b = reinterpret_cast<LPARAM>(second);
    hooks.overrideCompare = true;
    const auto folder = reinterpret_cast<LPARAM>(desktop);

    hooks.compareResult = MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0xFFFF);
    EXPECT_EQ(CFolderTreeCtrl::CompareItems(a, b, folder), -1);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(hooks.comparedFirst), first + 3);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(hooks.comparedSecond), second + 3);
    hooks.compareResult = MAKE_HRESULT(SEVERITY_SUCCESS, 0x12, 0x0005);
    EXPECT_EQ(CFolderTreeCtrl::CompareItems(a, b, folder), 1);
    hooks.compareResult = MAKE_HRESULT(SEVERITY_SUCCESS, 0x12, 0);
    EXPECT_EQ(CFolderTreeCtrl::CompareItems(a, b, folder), 0);
    hooks.compareResult = E_INVALIDARG;
    EXPECT_EQ(CFolderTreeCtrl::CompareItems(a, b, folder), 0) << "a failure makes them equal";
    desktop->Release();
}

// Names of every kind become the item text; without a display name the item takes the shell's
// name for it.
TEST_F(FolderTreeShell, NamesOfEveryKindBecomeTheItemText) {
    using Names = FolderHooks::Names;
    for (Names names : {Names::Wide, Names::Offset, Names::Text, Names::Fail, Names::UnknownKind}) {
        ShellSourceOverride shell(&malloc, &hooks);
        FolderTreeHost host;
        HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
        ASSERT_NE(folder, nullptr);
        hooks.names = names;
        hooks.offsetNamesServed = 0;
        ExpandItem(host.tree, folder);
        hooks.names = Names::Real;
        EXPECT_EQ(ChildTexts(host.tree, folder), (Texts{"alpha", "beta"})) << static_cast<int>(names);
        EXPECT_EQ(hooks.offsetNamesServed, names == Names::Offset ? 2 : 0);
    }
    EXPECT_TRUE(malloc.live.empty());
}

TEST_F(FolderTreeShell, AFolderThatCannotBeBoundLosesItsButton) {
    ShellSourceOverride shell(&malloc, &hooks);
    FolderTreeHost host;
    HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    ExpandItem(host.tree, folder);
    HTREEITEM alpha = Children(host.tree, folder)[0];
    ASSERT_EQ(ItemChildCount(host.tree, alpha), 1);

    hooks.failBindPath = temp / "alpha";
    UserExpand(host.tree, alpha);
    EXPECT_EQ(host.tree.GetChildItem(alpha), nullptr);
    EXPECT_EQ(ItemChildCount(host.tree, alpha), 0);
    EXPECT_FALSE(Contains(hooks.enumerated, temp / "alpha"));
}

TEST_F(FolderTreeShell, RemovableMediaGetAButtonUntouchedAndKeepItWhenEmpty) {
    ShellSourceOverride shell(&malloc, &hooks);
    FolderTreeHost host;
    HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    temp.MakeFolder("disk");
    hooks.removablePath = temp / "disk";
    ExpandItem(host.tree, folder);
    HTREEITEM disk = nullptr;
    for (HTREEITEM child : Children(host.tree, folder))
        if (ItemText(host.tree, child) == "disk")
            disk = child;
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(ItemChildCount(host.tree, disk), 1) << "a button without sub-folders";
    EXPECT_EQ(hooks.removableSubfolderQuestions, 0) << "the medium is not asked about";
    EXPECT_FALSE(Contains(hooks.enumerated, temp / "disk"));

    UserExpand(host.tree, disk);
    EXPECT_TRUE(Contains(hooks.enumerated, temp / "disk"));
    EXPECT_EQ(host.tree.GetChildItem(disk), nullptr);
    EXPECT_EQ(ItemChildCount(host.tree, disk), 1) << "keeps its button";
    EXPECT_FALSE(ItemState(host.tree, disk) & TVIS_EXPANDED);
}

TEST_F(FolderTreeShell, AFolderWithoutSubFoldersGetsNoButton) {
    ShellSourceOverride shell(&malloc, &hooks);
    FolderTreeHost host;
    HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    hooks.leafPath = temp / "alpha";
    ExpandItem(host.tree, folder);
    const std::vector<HTREEITEM> children = Children(host.tree, folder);
    ASSERT_EQ(ChildTexts(host.tree, folder), (Texts{"alpha", "beta"}));
    EXPECT_EQ(ItemChildCount(host.tree, children[0]), 0);
    EXPECT_EQ(ItemChildCount(host.tree, children[1]), 1);
}

TEST_F(FolderTreeShell, WhenNoListCanBeAllocatedNoItemIsMadeAndNothingLeaks) {
    {
        ShellSourceOverride shell(&malloc, &hooks);
        FolderTreeHost host;
        HTREEITEM folder = ExpandToPath(host.tree, temp.Path());
        ASSERT_NE(folder, nullptr);
        const int foreignBefore = malloc.foreignFrees;
        malloc.failAllocations = true;
        UserExpand(host.tree, folder);
        EXPECT_EQ(host.tree.GetChildItem(folder), nullptr);
        EXPECT_EQ(malloc.foreignFrees - foreignBefore, 2) << "both enumerated lists freed all the same";
        EXPECT_EQ(ItemChildCount(host.tree, folder), 1) << "collapsed with its button, to try again";
        EXPECT_FALSE(ItemState(host.tree, folder) & TVIS_EXPANDED);

        malloc.failAllocations = false;
        UserExpand(host.tree, folder);
        EXPECT_EQ(ChildTexts(host.tree, folder), (Texts{"alpha", "beta"}));
    }
    EXPECT_TRUE(malloc.live.empty());
}

TEST_F(FolderTreeShell, WithoutTheAllocatorOrTheDesktopTheTreeStaysEmpty) {
    {
        ShellSourceOverride shell(nullptr, &hooks);
        FolderTreeHost host;
        EXPECT_EQ(host.tree.GetCount(), 0u);
        host.tree.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
        EXPECT_TRUE(host.selections.empty());
    }
    EXPECT_EQ(hooks.liveFolders, 0) << "the desktop folder it did get is released";
    {
        ShellSourceOverride shell(&malloc, nullptr);
        FolderTreeHost host;
        EXPECT_EQ(host.tree.GetCount(), 0u);
    }
    EXPECT_EQ(malloc.references, 0) << "the allocator it did get is released";
    EXPECT_EQ(malloc.allocations, 0);
}

// A folder that answers late: the tree answers meanwhile and shows the branch being read. What
// comes after the branch was collapsed, or after the tree has gone, is dropped and freed; the next
// expansion reads the folder again.
TEST_F(FolderTreeShell, ABranchFilledLateShowsItIsReadAndDropsWhatComesAfterACollapseOrTheTreesEnd) {
    const CHandle release(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const auto live = [&] {
        CLock hold(malloc.lock);
        return malloc.live.size();
    };
    // Released, then served until the fill has let go of its folders and its lists number `lists`.
    const auto releaseAndServeUntil = [&](size_t lists) {
        ::SetEvent(release.Get());
        EXPECT_TRUE(Serve(10000, [&] { return hooks.liveFolders == 0 && live() == lists; }));
    };
    ShellSourceOverride shell(&malloc, &hooks);
    auto host = std::make_unique<FolderTreeHost>();
    const HWND tree = host->tree.m_hWnd;
    HTREEITEM folder = ExpandToPath(tree, temp.Path());
    ASSERT_NE(folder, nullptr);
    const size_t before = live();
    hooks.holdEnumeration = release.Get();

    TreeView_Expand(tree, folder, TVE_EXPAND);
    EXPECT_TRUE(ItemState(tree, folder) & TVIS_EXPANDED);
    ASSERT_EQ(ChildTexts(tree, folder), (Texts{"Reading..."}));
    EXPECT_EQ(ItemIdList(tree, TreeView_GetChild(tree, folder)), nullptr);
    ASSERT_TRUE(Serve(10000, [&] { return hooks.liveFolders > 0; }));
    UserCollapse(tree, folder);
    releaseAndServeUntil(before);
    EXPECT_EQ(ChildTexts(tree, folder), (Texts{"Reading..."})) << "filled after the collapse";
    EXPECT_EQ(ItemChildCount(tree, folder), 1);

    UserExpand(tree, folder);
    ASSERT_EQ(ChildTexts(tree, folder), (Texts{"alpha", "beta"}));

    ::ResetEvent(release.Get());
    TreeView_Expand(tree, Children(tree, folder)[1], TVE_EXPAND);
    ASSERT_TRUE(Serve(10000, [&] { return hooks.liveFolders > 0; }));
    host.reset();
    EXPECT_FALSE(::IsWindow(tree));
    releaseAndServeUntil(0);
}
