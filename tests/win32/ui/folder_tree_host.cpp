#include "folder_tree_host.h"

#include "win32/modal_runner.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

namespace {
constexpr UINT kTreeId = 1007;
}

FolderTreeHost::FolderTreeHost() {
    const RECT frame{0, 0, 400, 600};
    if (!CreateEx(0, "STATIC", "tree host", WS_POPUP, frame, nullptr, 0))
        return;
    HWND treeWindow = CreateTreeWindow(m_hWnd);
    if (tree.SubclassWindow(treeWindow)) {
        tree.InitTree();
        WaitForFill(tree, tree.GetRootItem());
    }
}

HWND CreateTreeWindow(HWND parent) {
    return ::CreateWindowExA(0, WC_TREEVIEWA, "Tree1",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                 TVS_LINESATROOT,
                             0, 0, 400, 600, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeId)),
                             ::GetModuleHandleA(nullptr), nullptr);
}

FolderTreeHost::~FolderTreeHost() {
    DestroyWindow();
}

const MessageMap* FolderTreeHost::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::Message<&FolderTreeHost::OnFolderSelected>(WM_FOLDER_SELECTED),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

LRESULT FolderTreeHost::OnFolderSelected(WPARAM wParam, LPARAM lParam) {
    selections.emplace_back(Utf8(reinterpret_cast<const wchar_t*>(wParam)));
    return lParam == 0 ? 1 : 0;
}

namespace {
// The item's fields that `mask` asks for; zeros when the tree has no such item.
TVITEMA GetItem(HWND tree, HTREEITEM item, UINT mask) {
    TVITEMA data{};
    data.mask = TVIF_HANDLE | mask;
    data.hItem = item;
    data.stateMask = 0xFFFF;
    if (!::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return TVITEMA{};
    return data;
}
} // namespace

std::string ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW data{};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    ::SendMessageA(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return Utf8(text);
}

LPCITEMIDLIST ItemIdList(HWND tree, HTREEITEM item) {
    return reinterpret_cast<LPCITEMIDLIST>(GetItem(tree, item, TVIF_PARAM).lParam);
}

std::string ItemPath(HWND tree, HTREEITEM item) {
    char path[MAX_PATH] = "";
    LPCITEMIDLIST list = ItemIdList(tree, item);
    if (!list || !::SHGetPathFromIDListA(list, path))
        return "";
    return path;
}

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
        children.push_back(child);
    return children;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item) {
    std::vector<std::string> texts;
    for (HTREEITEM child : Children(tree, item))
        texts.push_back(ItemText(tree, child));
    return texts;
}

UINT ItemState(HWND tree, HTREEITEM item) {
    return GetItem(tree, item, TVIF_STATE).state;
}

int ItemChildCount(HWND tree, HTREEITEM item) {
    return GetItem(tree, item, TVIF_CHILDREN).cChildren;
}

bool WaitForFill(HWND tree, HTREEITEM item, DWORD ms) {
    const bool filled = Serve(ms, [&] {
        const HTREEITEM child = TreeView_GetChild(tree, item);
        return !child || ItemIdList(tree, child);
    });
    EXPECT_TRUE(filled) << ItemText(tree, item) << " was not filled within " << ms << " ms";
    return filled;
}

void ExpandItem(HWND tree, HTREEITEM item, UINT action) {
    TreeView_Expand(tree, item, action);
    if (action & TVE_EXPAND)
        WaitForFill(tree, item);
}

void UserExpand(HWND tree, HTREEITEM item) {
    TreeView_SelectItem(tree, item);
    ::SendMessageA(tree, WM_KEYDOWN, VK_ADD, 1);
    WaitForFill(tree, item);
}

void UserCollapse(HWND tree, HTREEITEM item) {
    TreeView_SelectItem(tree, item);
    ::SendMessageA(tree, WM_KEYDOWN, VK_SUBTRACT, 1);
}

HTREEITEM FindSpecialChild(HWND tree, int csidl) {
    LPITEMIDLIST special = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &special)))
        return nullptr;
    HTREEITEM found = nullptr;
    for (HTREEITEM child : Children(tree, TreeView_GetRoot(tree)))
        if (!found && ::ILIsEqual(ItemIdList(tree, child), special))
            found = child;
    ::CoTaskMemFree(special);
    return found;
}

HTREEITEM ExpandToPath(HWND tree, const std::string& path) {
    WaitForFill(tree, TreeView_GetRoot(tree));
    HTREEITEM item = FindSpecialChild(tree, CSIDL_DRIVES);
    std::string reached;
    while (item && lstrcmpiA(reached.c_str(), path.c_str()) != 0) {
        ExpandItem(tree, item);
        HTREEITEM next = nullptr;
        for (HTREEITEM child : Children(tree, item)) {
            const std::string childPath = ItemPath(tree, child);
            // A drive root ends in a backslash; any other step must be followed by one or end the path.
            const bool prefix = !childPath.empty() && childPath.size() <= path.size() &&
                                _strnicmp(childPath.c_str(), path.c_str(), childPath.size()) == 0 &&
                                (childPath.size() == path.size() || childPath.back() == '\\' ||
                                 path[childPath.size()] == '\\');
            if (prefix && childPath.size() > reached.size()) {
                next = child;
                reached = childPath;
                break;
            }
        }
        item = next;
    }
    return item;
}

HTREEITEM SelectInTree(HWND dialog, const std::string& path) {
    const HWND tree = ::GetDlgItem(dialog, kTreeId);
    const HTREEITEM item = ExpandToPath(tree, path);
    if (item)
        TreeView_SelectItem(tree, item);
    return item;
}
