// CFolderTreeCtrl: the shell namespace as a tree of folders rooted at the desktop, each branch
// filled on its first expansion. Every item owns its absolute identifier list (its item data).
// A selection change sends WM_FOLDER_SELECTED with the folder's file-system path to the parent.
#pragma once

#include "framework/com_ptr.h"
#include "framework/cstring.h"
#include "framework/tree_ctrl.h"

#include <shlobj.h>

// Sent to the tree's parent on every selection change. wParam: the selected folder's path (empty
// when the item has none), valid during the call only; lParam: 0.
constexpr UINT WM_FOLDER_SELECTED = WM_APP + 3;

class CFolderTreeCtrl : public CTreeCtrl {
public:
    // Takes the shell's desktop folder and allocator; the window comes later (subclassing).
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Sets the system image list, inserts the desktop, fills and expands it; selects nothing.
    void InitTree();

    // The shell's sort order of two items (their item data) within `folder`: -1, 0 or 1.
    static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM folder);

protected:
    const MessageMap* GetMessageMap() const override;
    void OnItemExpanding(NMHDR* header, LRESULT* result);
    void OnSelectionChanged(NMHDR* header, LRESULT* result);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

private:
    static constexpr int kBindFailed = -1;

    void FillItem(HTREEITEM item);
    // The number of children inserted, or kBindFailed.
    int InsertChildItems(HTREEITEM parent);
    // Completes an insertion record: text (into `text`, MAX_PATH bytes), images, child count.
    void SetItemInfo(TVITEMA& item, char* text, LPCITEMIDLIST absolute, IShellFolder* folder,
                     LPCITEMIDLIST relative);
    void GetItemText(char* text, LPCITEMIDLIST absolute, IShellFolder* folder, LPCITEMIDLIST relative);
    LPITEMIDLIST GetItemIdList(HTREEITEM item) const;
    // Deletes every item and frees its identifier list.
    void DeleteAllFolderItems();

    CComPtr<IShellFolder> m_pDesktopFolder;
    CComPtr<IMalloc> m_pMalloc; // released first: declared last
    HTREEITEM m_hRootItem = nullptr;
    CString m_strSelectedPath;
};
