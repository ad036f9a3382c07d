#include "ui/folder_tree_ctrl.h"

#include "framework/file_names.h"
#include "framework/redraw_suspension.h"

#include <vector>

namespace {
// The root shows this fixed index of the system image list, not one asked of the shell.
constexpr int kDesktopImage = 4;
constexpr UINT kIconFlags = SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_SMALLICON;
// Posted to the tree when a fill has delivered.
constexpr UINT WM_BRANCH_FILLED = WM_APP + 5;
// The line under a branch whose folders are being read.
wchar_t kPlaceholderText[] = L"Reading...";
// I_IMAGENONE of later headers: no image. Older common controls find no such index and draw none.
constexpr int kNoImage = -2;
} // namespace

CFolderTreeCtrl::CFolderTreeCtrl() : m_shell(g_shellSource) {
    // Without either the tree stays empty rather than half-working. The desktop folder itself is
    // each fill's own, made on its thread.
    CComPtr<IShellFolder> desktop;
    if (FAILED(m_shell.getDesktopFolder(desktop.Receive())) || !desktop ||
        FAILED(m_shell.getMalloc(m_pMalloc.Receive())) || !m_pMalloc)
        m_pMalloc.Release();
}

CFolderTreeCtrl::~CFolderTreeCtrl() {
    if (m_hWnd)
        DeleteAllFolderItems();
}

const MessageMap* CFolderTreeCtrl::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::ReflectNotify<&CFolderTreeCtrl::OnItemExpanding>(TVN_ITEMEXPANDINGA),
        msgmap::ReflectNotify<&CFolderTreeCtrl::OnItemExpanding>(TVN_ITEMEXPANDINGW),
        msgmap::ReflectNotify<&CFolderTreeCtrl::OnSelectionChanged>(TVN_SELCHANGEDA),
        msgmap::ReflectNotify<&CFolderTreeCtrl::OnSelectionChanged>(TVN_SELCHANGEDW),
        msgmap::Message<&CFolderTreeCtrl::OnBranchFilled>(WM_BRANCH_FILLED),
        msgmap::Message<&CFolderTreeCtrl::OnWayFound>(kWayFound),
        msgmap::Message<&CFolderTreeCtrl::OnDestroy>(WM_DESTROY),
    };
    static const MessageMap map(CTreeCtrl::GetMessageMap(), entries);
    return &map;
}

void CFolderTreeCtrl::InitTree() {
    if (!m_pMalloc || !m_hWnd || m_hRootItem)
        return;

    LPITEMIDLIST desktop = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_hWnd, CSIDL_DESKTOP, &desktop)) || !desktop)
        return;
    CIdList imageListOwner(m_pMalloc.Get(), desktop);
    SHFILEINFOA info{};
    auto images = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(reinterpret_cast<const char*>(desktop), 0, &info, sizeof(info), kIconFlags));
    imageListOwner.Free();
    // The system image list belongs to the shell: the tree never destroys it.
    SetImageList(images, TVSIL_NORMAL);

    desktop = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_hWnd, CSIDL_DESKTOP, &desktop)) || !desktop)
        return;
    CIdList rootList(m_pMalloc.Get(), desktop);
    const CStringW path = files::PathOfIdList(desktop);
    CStringW name = files::DisplayName(path);

    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = name.GetBuffer(name.GetLength());
    insert.item.iImage = kDesktopImage;
    insert.item.iSelectedImage = kDesktopImage;
    insert.item.lParam = reinterpret_cast<LPARAM>(rootList.Get());
    m_hRootItem = InsertItem(&insert);
    if (!m_hRootItem)
        return;
    rootList.Detach();
    m_paths[m_hRootItem] = path;

    StartFill(m_hRootItem);
    Expand(m_hRootItem, TVE_EXPAND);
}

void CFolderTreeCtrl::OnItemExpanding(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* notify = reinterpret_cast<const NMTREEVIEWA*>(header);
    HTREEITEM item = notify->itemNew.hItem;
    if (!(notify->action & TVE_EXPAND)) {
        // Collapsed while being filled: that fill's children are dropped, the next expansion
        // starts another.
        m_pending.erase(item);
        return;
    }
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_CHILDREN;
    data.hItem = item;
    if (!GetItem(&data) || data.cChildren == 0 || m_pending.count(item))
        return;
    // A branch filled once is never read again; a placeholder means it was not.
    const HTREEITEM child = GetChildItem(item);
    if (!child || !GetItemIdList(child))
        StartFill(item);
}

void CFolderTreeCtrl::OnSelectionChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* notify = reinterpret_cast<const NMTREEVIEWA*>(header);
    HTREEITEM selected = notify->itemNew.hItem;
    // The user's own choice goes before a folder SelectPath is still on its way to.
    if (notify->action != TVC_UNKNOWN) {
        ++m_nWayRequests;
        m_way.reset();
    }
    if (!selected)
        return;
    // Found by the fill, not asked of the shell here: for a folder on a slow share that takes long.
    const auto path = m_paths.find(selected);
    m_strSelectedPath = path != m_paths.end() ? path->second : CStringW();
    ::SendMessageA(GetParent(), WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(m_strSelectedPath.GetString()),
                   0);
}

LRESULT CFolderTreeCtrl::OnDestroy(WPARAM, LPARAM) {
    DeleteAllFolderItems();
    return Default();
}

void CFolderTreeCtrl::StartFill(HTREEITEM item) {
    HTREEITEM placeholder = GetChildItem(item); // one left by a fill cut short
    if (!placeholder)
        placeholder = InsertPlaceholder(item);
    if (!m_pFills)
        m_pFills = std::make_shared<FillChannel>(m_hWnd, WM_BRANCH_FILLED);

    auto request = std::make_unique<FillRequest>();
    request->channel = m_pFills;
    request->shell = m_shell;
    request->malloc = m_pMalloc.Get();
    request->owner = m_hWnd;
    request->fill.item = item;
    request->fill.request = ++m_nFillRequests;
    const LPCITEMIDLIST list = GetItemIdList(item);
    if (item != m_hRootItem && list) {
        const auto* bytes = reinterpret_cast<const BYTE*>(list);
        request->folder.assign(bytes, bytes + GetIdListSize(list) + sizeof(USHORT));
    }
    m_pending[item] = PendingFill{m_nFillRequests, placeholder};
    // An item without a list cannot be bound to; without a thread nothing is found.
    if (item != m_hRootItem && !list) {
        FinishFill(item, placeholder, request->fill);
    } else if (!StartBranchFill(std::move(request))) {
        BranchFill nothing;
        nothing.bound = true;
        FinishFill(item, placeholder, nothing);
    }
}

LRESULT CFolderTreeCtrl::OnBranchFilled(WPARAM, LPARAM) {
    if (!m_pFills)
        return 0;
    for (BranchFill& fill : m_pFills->TakeAll()) {
        const auto pending = m_pending.find(fill.item);
        // Collapsed meanwhile, or filled again since: these children are dropped with `fill`.
        if (pending == m_pending.end() || pending->second.request != fill.request)
            continue;
        FinishFill(fill.item, pending->second.placeholder, fill);
    }
    if (m_way)
        FollowWay();
    return 0;
}

void CFolderTreeCtrl::FinishFill(HTREEITEM item, HTREEITEM placeholder, BranchFill& fill) {
    m_pending.erase(item);
    int count = 0;
    {
        const CRedrawSuspension quiet(m_hWnd);
        for (FolderChild& child : fill.children) {
            TVINSERTSTRUCTW insert{};
            insert.hParent = item;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
            insert.item.pszText = const_cast<wchar_t*>(child.text.GetString());
            insert.item.iImage = child.image;
            insert.item.iSelectedImage = child.selectedImage;
            insert.item.cChildren = child.children;
            insert.item.lParam = reinterpret_cast<LPARAM>(child.list.Get());
            if (HTREEITEM added = InsertItem(&insert)) {
                child.list.Detach();
                m_paths[added] = std::move(child.path);
                ++count;
            }
        }
        if (placeholder) // a null item would stand for every item
            DeleteItem(placeholder);
    }
    if (item == m_hRootItem || count > 0)
        return;
    // Binding failed: no button. Nothing found: collapsed with its button, to try again.
    TVITEMA update{};
    update.hItem = item;
    update.mask = TVIF_HANDLE | TVIF_CHILDREN | TVIF_STATE;
    update.cChildren = fill.bound ? 1 : 0;
    update.state = 0;
    update.stateMask = TVIS_EXPANDED;
    SetItem(&update);
}

HTREEITEM CFolderTreeCtrl::InsertPlaceholder(HTREEITEM parent) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = kPlaceholderText;
    insert.item.iImage = kNoImage;
    insert.item.iSelectedImage = kNoImage;
    return InsertItem(&insert);
}

int CALLBACK CFolderTreeCtrl::CompareItems(LPARAM first, LPARAM second, LPARAM folder) {
    auto* shellFolder = reinterpret_cast<IShellFolder*>(folder);
    const HRESULT hr = shellFolder->CompareIDs(0, GetLastItemId(reinterpret_cast<LPCITEMIDLIST>(first)),
                                               GetLastItemId(reinterpret_cast<LPCITEMIDLIST>(second)));
    if (FAILED(hr))
        return 0;
    const auto order = static_cast<short>(HRESULT_CODE(hr));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

LPITEMIDLIST CFolderTreeCtrl::GetItemIdList(HTREEITEM item) const {
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_PARAM;
    data.hItem = item;
    return GetItem(&data) ? reinterpret_cast<LPITEMIDLIST>(data.lParam) : nullptr;
}

void CFolderTreeCtrl::DeleteAllFolderItems() {
    // Fills under way deliver to nobody; their children are freed where they end.
    if (m_pFills)
        m_pFills->Close();
    m_pFills.reset();
    m_pending.clear();
    if (m_pWays)
        m_pWays->Close();
    m_pWays.reset();
    m_way.reset();
    // Nothing selected first, so that deleting the items sends no selection change; the lists are
    // freed only after their items are gone.
    SelectItem(nullptr);
    // Freed when they go out of scope, after their items.
    std::vector<CIdList> lists;
    std::vector<HTREEITEM> pending;
    for (HTREEITEM item = GetRootItem(); item; item = GetNextItem(item, TVGN_NEXT))
        pending.push_back(item);
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        if (LPITEMIDLIST list = GetItemIdList(item))
            lists.emplace_back(m_pMalloc.Get(), list);
        for (HTREEITEM child = GetChildItem(item); child; child = GetNextItem(child, TVGN_NEXT))
            pending.push_back(child);
    }
    DeleteAllItems();
    m_paths.clear();
    m_hRootItem = nullptr;
}
