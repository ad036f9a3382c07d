// CFolderTreeCtrl: the shell namespace as a tree of folders rooted at the desktop, each branch
// filled on its first expansion, off the window thread. Every item owns its absolute identifier
// list (its item data); a branch being filled shows a placeholder line, which has none.
// A selection change sends WM_FOLDER_SELECTED with the folder's file-system path to the parent.
// Labels and paths are the shell's and the file system's own (wide).
#pragma once

#include "framework/com_ptr.h"
#include "framework/cstring_w.h"
#include "framework/tree_ctrl.h"
#include "ui/branch_fill.h"
#include "ui/shell_source.h"

#include <shlobj.h>

#include <map>
#include <memory>

// Sent to the tree's parent on every selection change. wParam: the selected folder's path, a wide
// string (empty when the item has none), valid during the call only; lParam: 0.
constexpr UINT WM_FOLDER_SELECTED = WM_APP + 3;

class CFolderTreeCtrl : public CTreeCtrl {
public:
    // Takes the shell's allocator and makes sure it has a desktop folder; the window comes later
    // (subclassing).
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Sets the system image list, inserts the desktop and expands it, its folders to come from a
    // fill; selects nothing.
    void InitTree();

    // The shell's sort order of two items (their absolute lists) within `folder`: -1, 0 or 1.
    static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM folder);

protected:
    const MessageMap* GetMessageMap() const override;
    void OnItemExpanding(NMHDR* header, LRESULT* result);
    void OnSelectionChanged(NMHDR* header, LRESULT* result);
    LRESULT OnBranchFilled(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

private:
    // A branch being filled: the request whose children it waits for, and the line shown meanwhile.
    struct PendingFill {
        unsigned request;
        HTREEITEM placeholder;
    };

    // Starts reading the item's children on a thread of its own, with a placeholder line shown.
    void StartFill(HTREEITEM item);
    // Puts a fill's children under its item in place of the placeholder.
    void FinishFill(HTREEITEM item, HTREEITEM placeholder, BranchFill& fill);
    HTREEITEM InsertPlaceholder(HTREEITEM parent);
    LPITEMIDLIST GetItemIdList(HTREEITEM item) const;
    // Deletes every item and frees its identifier list; fills under way are dropped.
    void DeleteAllFolderItems();

    ShellSource m_shell; // where the fills get their desktop folder
    CComPtr<IMalloc> m_pMalloc;
    HTREEITEM m_hRootItem = nullptr;
    std::map<HTREEITEM, CStringW> m_paths; // each item's file-system path, as its fill found it
    CStringW m_strSelectedPath;
    std::shared_ptr<FillChannel> m_pFills; // made with the first fill, closed with the window
    std::map<HTREEITEM, PendingFill> m_pending;
    unsigned m_nFillRequests = 0;
};
