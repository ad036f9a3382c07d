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
#include "ui/folder_way.h"
#include "ui/shell_source.h"

#include <shlobj.h>

#include <map>
#include <memory>
#include <optional>

// Sent to the tree's parent on every selection change. wParam: the selected folder's path, a wide
// string (empty when the item has none), valid during the call only; lParam: 0.
constexpr UINT WM_FOLDER_SELECTED = WM_APP + 3;
// Sent to the tree's parent when a path given to SelectPath names no folder. wParam: the path, a
// wide string valid during the call only; lParam: 0.
constexpr UINT WM_NOT_A_FOLDER = WM_APP + 31;

class CFolderTreeCtrl : public CTreeCtrl {
public:
    // Takes the shell's allocator and makes sure it has a desktop folder; the window comes later
    // (subclassing).
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Sets the system image list, inserts the desktop and expands it, its folders to come from a
    // fill; selects nothing.
    void InitTree();

    // Selects the folder `path` (a full path) as a click on it would, once the tree is expanded down
    // to it; each branch on the way is filled as an expansion fills it. The path is looked at off
    // the window thread. A folder the tree cannot reach (a share outside the shell's network view,
    // say) is still told to the parent with WM_FOLDER_SELECTED, with nothing selected; a path that
    // names no folder, with WM_NOT_A_FOLDER. A later call, or a selection by the user, supersedes it.
    void SelectPath(const CStringW& path);

    // The shell's sort order of two items (their absolute lists) within `folder`: -1, 0 or 1.
    static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM folder);

protected:
    const MessageMap* GetMessageMap() const override;
    void OnItemExpanding(NMHDR* header, LRESULT* result);
    void OnSelectionChanged(NMHDR* header, LRESULT* result);
    LRESULT OnBranchFilled(WPARAM, LPARAM);
    LRESULT OnWayFound(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

private:
    // Posted to the tree when a way SelectPath asked for has been found.
    static constexpr UINT kWayFound = WM_APP + 30;

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
    // Goes down the way as far as the branches filled so far allow, and selects its end.
    void FollowWay();
    // The child of `item` that the way's next step names, or null.
    HTREEITEM WayChild(HTREEITEM item, const FolderWayStep& step) const;
    // Tells the parent a folder the way did not reach.
    void LeaveWay();
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

    // The way to the folder SelectPath was last given, once found: followed from m_hWayItem, which
    // its first m_nWayDepth steps have reached; m_bWayFilled once that item was filled for it.
    std::shared_ptr<WayChannel> m_pWays; // made with the first SelectPath, closed with the window
    unsigned m_nWayRequests = 0;
    std::optional<FolderWay> m_way;
    HTREEITEM m_hWayItem = nullptr;
    size_t m_nWayDepth = 0;
    bool m_bWayFilled = false;
};
