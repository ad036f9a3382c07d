// A top-level window holding a CFolderTreeCtrl the way the main dialog does (a tree-view child,
// subclassed, notifications reflected), recording every WM_FOLDER_SELECTED it receives.
#pragma once

#include "ui/folder_tree_ctrl.h"

#include <memory>
#include <string>
#include <vector>

class FolderTreeHost : public CWnd {
public:
    FolderTreeHost();
    ~FolderTreeHost() override;

    CFolderTreeCtrl tree;
    std::vector<std::string> selections; // the paths received, in order

protected:
    const MessageMap* GetMessageMap() const override;
    LRESULT OnFolderSelected(WPARAM wParam, LPARAM lParam);
};

// A tree-view window as the dialog template makes control 1007, child of `parent`.
HWND CreateTreeWindow(HWND parent);

// Item helpers over a tree's items.
std::string ItemText(const CTreeCtrl& tree, HTREEITEM item);
// The file-system path of an item's identifier list, or "" when it has none.
std::string ItemPath(const CTreeCtrl& tree, HTREEITEM item);
LPCITEMIDLIST ItemIdList(const CTreeCtrl& tree, HTREEITEM item);
std::vector<HTREEITEM> Children(const CTreeCtrl& tree, HTREEITEM item);
std::vector<std::string> ChildTexts(const CTreeCtrl& tree, HTREEITEM item);
UINT ItemState(const CTreeCtrl& tree, HTREEITEM item);
int ItemChildCount(const CTreeCtrl& tree, HTREEITEM item);
// TVM_EXPAND: the tree notifies only the first time an item is expanded this way.
void ExpandItem(CTreeCtrl& tree, HTREEITEM item, UINT action = TVE_EXPAND);
// As the user does it (selects the item, then the keypad's + or -): notifies every time.
void UserExpand(CTreeCtrl& tree, HTREEITEM item);
void UserCollapse(CTreeCtrl& tree, HTREEITEM item);
// The root's child for a special folder (CSIDL_DRIVES: the computer), or null.
HTREEITEM FindSpecialChild(const CTreeCtrl& tree, int csidl);
// Expands the way from the computer item down to the folder `path` and returns its item, or null.
HTREEITEM ExpandToPath(CTreeCtrl& tree, const std::string& path);
