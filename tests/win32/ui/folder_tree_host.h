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
    std::vector<std::string> selections; // the paths received (UTF-8), in order

protected:
    const MessageMap* GetMessageMap() const override;
    LRESULT OnFolderSelected(WPARAM wParam, LPARAM lParam);
};

// A tree-view window as the dialog template makes control 1007, child of `parent`.
HWND CreateTreeWindow(HWND parent);

// A tree's items, through the tree's own messages (a CTreeCtrl passes as its window).
std::string ItemText(HWND tree, HTREEITEM item); // UTF-8
// The file-system path of an item's identifier list, or "" when it has none.
std::string ItemPath(HWND tree, HTREEITEM item);
LPCITEMIDLIST ItemIdList(HWND tree, HTREEITEM item);
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item);
std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item);
UINT ItemState(HWND tree, HTREEITEM item);
int ItemChildCount(HWND tree, HTREEITEM item);
// Serves the thread's messages until the item's children have arrived (no placeholder line left
// under it); false after `ms`.
bool WaitForFill(HWND tree, HTREEITEM item, DWORD ms = 20000);
// TVM_EXPAND: the tree notifies only the first time an item is expanded this way. Both expansions
// wait for the children (WaitForFill).
void ExpandItem(HWND tree, HTREEITEM item, UINT action = TVE_EXPAND);
// As the user does it (selects the item, then the keypad's + or -): notifies every time.
void UserExpand(HWND tree, HTREEITEM item);
void UserCollapse(HWND tree, HTREEITEM item);
// The root's child for a special folder (CSIDL_DRIVES: the computer), or null.
HTREEITEM FindSpecialChild(HWND tree, int csidl);
// Expands the way from the computer item down to the folder `path` and returns its item, or null.
HTREEITEM ExpandToPath(HWND tree, const std::string& path);
// Selects the folder `path` in the main dialog's tree, as the user does, after expanding the way
// to it; its item, or null when the tree has no such folder.
HTREEITEM SelectInTree(HWND dialog, const std::string& path);
