#include "ui/folder_tree_ctrl.h"

#include "framework/handle.h"
#include "ui/id_list.h"
#include "ui/shell_source.h"

#include <cstring>
#include <vector>

namespace {
// The root shows this fixed index of the system image list, not one asked of the shell.
constexpr int kDesktopImage = 4;
constexpr UINT kIconFlags = SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_SMALLICON;
constexpr SHCONTF kEnumFlags = SHCONTF_FOLDERS;
// SHGDN_INCLUDE_NONFILESYS: names of items outside the file system too (not in every SDK's headers).
constexpr SHGDNF kIncludeNonFileSystem = 0x2000;
constexpr SHGDNF kNameFlags = SHGDN_INFOLDER | kIncludeNonFileSystem;

// The attributes among `wanted` that `relative` has in `folder`; none when the shell cannot say.
SFGAOF AttributesOf(IShellFolder* folder, LPCITEMIDLIST relative, SFGAOF wanted) {
    SFGAOF attributes = wanted;
    if (FAILED(folder->GetAttributesOf(1, &relative, &attributes)))
        return 0;
    return attributes & wanted;
}

int IconIndex(LPCITEMIDLIST absolute, UINT flags) {
    SHFILEINFOA info{};
    ::SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof(info), flags);
    return info.iIcon;
}

void CopyText(char* text, const char* source, size_t available) {
    const size_t length = strnlen(source, available < MAX_PATH ? available : MAX_PATH - 1);
    std::memcpy(text, source, length);
    text[length] = '\0';
}
} // namespace

CFolderTreeCtrl::CFolderTreeCtrl() {
    // Without either interface the tree stays empty rather than half-working.
    if (FAILED(g_shellSource.getDesktopFolder(m_pDesktopFolder.Receive())) ||
        FAILED(g_shellSource.getMalloc(m_pMalloc.Receive())) || !m_pDesktopFolder || !m_pMalloc) {
        m_pMalloc.Release();
        m_pDesktopFolder.Release();
    }
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
        msgmap::Message<&CFolderTreeCtrl::OnDestroy>(WM_DESTROY),
    };
    static const MessageMap map(CTreeCtrl::GetMessageMap(), entries);
    return &map;
}

void CFolderTreeCtrl::InitTree() {
    if (!m_pDesktopFolder || !m_hWnd || m_hRootItem)
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
    char path[MAX_PATH] = "";
    if (!::SHGetPathFromIDListA(desktop, path))
        path[0] = '\0';
    SHFILEINFOA name{};
    ::SHGetFileInfoA(path, 0, &name, sizeof(name), SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON);
    // Only the name is wanted; the icon that comes with it is ours to destroy.
    const CIcon unwanted(name.hIcon);

    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = name.szDisplayName;
    insert.item.iImage = kDesktopImage;
    insert.item.iSelectedImage = kDesktopImage;
    insert.item.lParam = reinterpret_cast<LPARAM>(rootList.Get());
    m_hRootItem = InsertItem(&insert);
    if (!m_hRootItem)
        return;
    rootList.Detach();

    FillItem(m_hRootItem);
    Expand(m_hRootItem, TVE_EXPAND);
}

void CFolderTreeCtrl::OnItemExpanding(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* notify = reinterpret_cast<const NMTREEVIEWA*>(header);
    if (!(notify->action & TVE_EXPAND))
        return;
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = notify->itemNew.hItem;
    if (GetItem(&item) && item.cChildren != 0)
        FillItem(item.hItem);
}

void CFolderTreeCtrl::OnSelectionChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* notify = reinterpret_cast<const NMTREEVIEWA*>(header);
    HTREEITEM selected = notify->itemNew.hItem;
    if (!selected)
        return;
    char path[MAX_PATH] = "";
    LPITEMIDLIST list = GetItemIdList(selected);
    if (!list || !::SHGetPathFromIDListA(list, path))
        path[0] = '\0';
    m_strSelectedPath = path;
    ::SendMessageA(GetParent(), WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(m_strSelectedPath.GetString()),
                   0);
}

LRESULT CFolderTreeCtrl::OnDestroy(WPARAM, LPARAM) {
    DeleteAllFolderItems();
    return Default();
}

void CFolderTreeCtrl::FillItem(HTREEITEM item) {
    if (GetChildItem(item))
        return;
    const int inserted = InsertChildItems(item);
    if (item == m_hRootItem)
        return;
    TVITEMA update{};
    update.hItem = item;
    if (inserted == kBindFailed) {
        update.mask = TVIF_HANDLE | TVIF_CHILDREN;
        update.cChildren = 0;
        SetItem(&update);
    } else if (inserted == 0) {
        update.mask = TVIF_HANDLE | TVIF_STATE;
        update.state = 0;
        update.stateMask = TVIS_EXPANDED;
        SetItem(&update);
    }
}

int CFolderTreeCtrl::InsertChildItems(HTREEITEM parent) {
    if (!m_pDesktopFolder)
        return kBindFailed;
    LPCITEMIDLIST parentList = GetItemIdList(parent);
    CComPtr<IShellFolder> folder;
    if (parent == m_hRootItem)
        folder = m_pDesktopFolder.Copy();
    else if (parentList)
        m_pDesktopFolder->BindToObject(parentList, nullptr, IID_IShellFolder,
                                       reinterpret_cast<void**>(folder.Receive()));
    if (!folder)
        return kBindFailed;

    int inserted = 0;
    CComPtr<IEnumIDList> children;
    if (folder->EnumObjects(m_hWnd, kEnumFlags, children.Receive()) == S_OK && children) {
        LPITEMIDLIST next = nullptr;
        while (children->Next(1, &next, nullptr) == S_OK) {
            CIdList relative(m_pMalloc.Get(), next);
            next = nullptr;
            CIdList absolute(m_pMalloc.Get(), ConcatIdLists(m_pMalloc.Get(), parentList, relative.Get()));
            if (!absolute)
                continue; // no list, no item: an item without one could not be browsed
            char text[MAX_PATH] = "";
            TVINSERTSTRUCTA insert{};
            insert.hParent = parent;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
            insert.item.lParam = reinterpret_cast<LPARAM>(absolute.Get());
            SetItemInfo(insert.item, text, absolute.Get(), folder.Get(), relative.Get());
            if (InsertItem(&insert)) {
                absolute.Detach();
                ++inserted;
            }
        }
    }

    TVSORTCB sort{};
    sort.hParent = parent;
    sort.lpfnCompare = &CFolderTreeCtrl::CompareItems;
    sort.lParam = reinterpret_cast<LPARAM>(folder.Get());
    SortChildrenCB(&sort);
    return inserted;
}

void CFolderTreeCtrl::SetItemInfo(TVITEMA& item, char* text, LPCITEMIDLIST absolute, IShellFolder* folder,
                                  LPCITEMIDLIST relative) {
    GetItemText(text, absolute, folder, relative);
    item.pszText = text;

    const SFGAOF kind = AttributesOf(folder, relative, SFGAO_FOLDER | SFGAO_LINK);
    const UINT flags = kIconFlags | ((kind & SFGAO_LINK) ? SHGFI_LINKOVERLAY : 0);
    item.iImage = IconIndex(absolute, flags);
    item.iSelectedImage = (kind & SFGAO_FOLDER) ? IconIndex(absolute, flags | SHGFI_OPENICON) : item.iImage;

    // Removable media get a button without being touched; other folders say whether they have
    // sub-folders without being enumerated.
    const SFGAOF place = AttributesOf(folder, relative, SFGAO_FOLDER | SFGAO_REMOVABLE);
    if (!(place & SFGAO_FOLDER))
        item.cChildren = 0;
    else if (place & SFGAO_REMOVABLE)
        item.cChildren = 1;
    else
        item.cChildren = AttributesOf(folder, relative, SFGAO_HASSUBFOLDER) ? 1 : 0;
}

void CFolderTreeCtrl::GetItemText(char* text, LPCITEMIDLIST absolute, IShellFolder* folder,
                                  LPCITEMIDLIST relative) {
    text[0] = '\0';
    STRRET name{};
    if (SUCCEEDED(folder->GetDisplayNameOf(relative, kNameFlags, &name))) {
        switch (name.uType) {
        case STRRET_WSTR:
            if (name.pOleStr) {
                if (!::WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, text, MAX_PATH, nullptr, nullptr))
                    text[0] = '\0';
                text[MAX_PATH - 1] = '\0';
                m_pMalloc->Free(name.pOleStr);
            }
            return;
        case STRRET_OFFSET: {
            // The text lies inside the item's own element; it must not be read past its end.
            const UINT size = GetIdListSize(relative);
            if (name.uOffset < size)
                CopyText(text, reinterpret_cast<const char*>(relative) + name.uOffset, size - name.uOffset);
            return;
        }
        case STRRET_CSTR:
            CopyText(text, name.cStr, sizeof(name.cStr));
            return;
        default:
            break;
        }
    }
    // No usable name from the folder: the shell's own name for the item, if it has one.
    SHFILEINFOA info{};
    if (::SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof(info),
                         SHGFI_PIDL | SHGFI_DISPLAYNAME))
        CopyText(text, info.szDisplayName, sizeof(info.szDisplayName));
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
    m_hRootItem = nullptr;
}
