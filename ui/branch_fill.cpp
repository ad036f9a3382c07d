#include "ui/branch_fill.h"

#include "framework/com_ptr.h"
#include "framework/file_names.h"
#include "framework/handle.h"
#include "ui/folder_tree_ctrl.h"

#include <ole2.h>
#include <process.h>

#include <algorithm>
#include <cstring>

namespace {
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

// A name the shell gave in the code page.
CStringW TextOf(const char* source, size_t available) {
    return files::FromAnsi(
        CString(source, static_cast<int>(strnlen(source, available < MAX_PATH ? available : MAX_PATH - 1))));
}

// The shell's own name, kept whole: a folder named outside the code page shows its true name.
CStringW ItemText(IMalloc* malloc, LPCITEMIDLIST absolute, IShellFolder* folder, LPCITEMIDLIST relative) {
    STRRET name{};
    if (SUCCEEDED(folder->GetDisplayNameOf(relative, kNameFlags, &name))) {
        switch (name.uType) {
        case STRRET_WSTR: {
            CStringW text;
            if (name.pOleStr) {
                text = name.pOleStr;
                malloc->Free(name.pOleStr);
            }
            return text;
        }
        case STRRET_OFFSET: {
            // The text lies inside the item's own element; it must not be read past its end.
            const UINT size = GetIdListSize(relative);
            if (name.uOffset < size)
                return TextOf(reinterpret_cast<const char*>(relative) + name.uOffset, size - name.uOffset);
            return CStringW();
        }
        case STRRET_CSTR:
            return TextOf(name.cStr, sizeof(name.cStr));
        default:
            break;
        }
    }
    // No usable name from the folder: the shell's own name for the item, if it has one.
    return files::DisplayNameOfIdList(absolute);
}

void Describe(FolderChild& child, IMalloc* malloc, IShellFolder* folder, LPCITEMIDLIST relative) {
    const LPCITEMIDLIST absolute = child.list.Get();
    child.text = ItemText(malloc, absolute, folder, relative);
    // Asked here: for a folder on a share the shell may ask the server.
    child.path = files::PathOfIdList(absolute);

    const SFGAOF kind = AttributesOf(folder, relative, SFGAO_FOLDER | SFGAO_LINK);
    const UINT flags = kIconFlags | ((kind & SFGAO_LINK) ? SHGFI_LINKOVERLAY : 0);
    child.image = IconIndex(absolute, flags);
    child.selectedImage = (kind & SFGAO_FOLDER) ? IconIndex(absolute, flags | SHGFI_OPENICON) : child.image;

    // Removable media get a button without being touched; other folders say whether they have
    // sub-folders without being enumerated.
    const SFGAOF place = AttributesOf(folder, relative, SFGAO_FOLDER | SFGAO_REMOVABLE);
    if (!(place & SFGAO_FOLDER))
        child.children = 0;
    else if (place & SFGAO_REMOVABLE)
        child.children = 1;
    else
        child.children = AttributesOf(folder, relative, SFGAO_HASSUBFOLDER) ? 1 : 0;
}

// Every shell object is made, called and released here, on the fill's thread.
void ReadChildren(FillRequest& request) {
    CComPtr<IShellFolder> desktop;
    if (FAILED(request.shell.getDesktopFolder(desktop.Receive())) || !desktop)
        return;
    const auto parent =
        request.folder.empty() ? nullptr : reinterpret_cast<LPCITEMIDLIST>(request.folder.data());
    CComPtr<IShellFolder> folder;
    if (!parent)
        folder = std::move(desktop);
    else
        desktop->BindToObject(parent, nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder.Receive()));
    if (!folder)
        return;
    BranchFill& fill = request.fill;
    fill.bound = true;

    IMalloc* malloc = request.malloc;
    CComPtr<IEnumIDList> children;
    if (folder->EnumObjects(request.owner, kEnumFlags, children.Receive()) == S_OK && children) {
        LPITEMIDLIST next = nullptr;
        while (children->Next(1, &next, nullptr) == S_OK) {
            const CIdList relative(malloc, next);
            next = nullptr;
            FolderChild child;
            child.list = CIdList(malloc, ConcatIdLists(malloc, parent, relative.Get()));
            if (!child.list)
                continue; // no list, no item: an item without one could not be browsed
            Describe(child, malloc, folder.Get(), relative.Get());
            fill.children.push_back(std::move(child));
        }
    }
    // A merge sort: unlike std::sort's partitions it never steps outside the range, whatever order
    // the shell's comparison makes.
    const auto shellFolder = reinterpret_cast<LPARAM>(folder.Get());
    std::stable_sort(
        fill.children.begin(), fill.children.end(), [&](const FolderChild& a, const FolderChild& b) {
            return CFolderTreeCtrl::CompareItems(reinterpret_cast<LPARAM>(a.list.Get()),
                                                 reinterpret_cast<LPARAM>(b.list.Get()), shellFolder) < 0;
        });
}

unsigned __stdcall FillThread(void* param) {
    const std::unique_ptr<FillRequest> request(static_cast<FillRequest*>(param));
    const HRESULT ole = ::OleInitialize(nullptr);
    ReadChildren(*request);
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    // Last: once the tree has the children, nothing of the shell's is held here any more.
    request->channel->Deliver(std::move(request->fill));
    return 0;
}
} // namespace

bool StartBranchFill(std::unique_ptr<FillRequest> request) {
    unsigned id = 0;
    const CHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &FillThread, request.get(), 0, &id)));
    if (!thread)
        return false;
    static_cast<void>(request.release()); // the thread's now
    return true;
}
