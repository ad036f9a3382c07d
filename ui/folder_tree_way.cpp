// The folder tree's way down to a folder given by its path: found off the window thread, then
// followed level by level as the branches on it are filled.
#include "ui/folder_tree_ctrl.h"

#include "ui/id_list.h"

#include <cstring>

namespace {
// The file system takes no account of the case of ASCII letters; a path the user typed may differ
// from the shell's in it.
bool SamePath(const CStringW& first, const CStringW& second) {
    if (first.GetLength() != second.GetLength())
        return false;
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; };
    for (const wchar_t *a = first.GetString(), *b = second.GetString(); *a; ++a, ++b)
        if (lower(*a) != lower(*b))
            return false;
    return true;
}
} // namespace

void CFolderTreeCtrl::SelectPath(const CStringW& path) {
    m_way.reset();
    if (!m_hWnd || !m_pMalloc || !m_hRootItem)
        return;
    if (!m_pWays)
        m_pWays = std::make_shared<WayChannel>(m_hWnd, kWayFound);
    auto request = std::make_unique<WayRequest>();
    request->channel = m_pWays;
    request->shell = m_shell;
    request->malloc = m_pMalloc.Get();
    request->owner = m_hWnd;
    request->way.request = ++m_nWayRequests;
    request->way.path = path;
    if (!StartFolderWay(std::move(request))) {
        m_way.emplace();
        m_way->path = path;
        LeaveWay();
    }
}

LRESULT CFolderTreeCtrl::OnWayFound(WPARAM, LPARAM) {
    if (!m_pWays)
        return 0;
    for (FolderWay& way : m_pWays->TakeAll()) {
        // Superseded by a later path or the user's own choice.
        if (way.request != m_nWayRequests)
            continue;
        if (!way.isFolder) {
            ::SendMessageA(GetParent(), WM_NOT_A_FOLDER, reinterpret_cast<WPARAM>(way.path.GetString()), 0);
            continue;
        }
        const bool parsed = !way.steps.empty();
        m_way = std::move(way);
        m_hWayItem = m_hRootItem;
        m_nWayDepth = 0;
        m_bWayFilled = false;
        if (parsed)
            FollowWay();
        else
            LeaveWay();
    }
    return 0;
}

void CFolderTreeCtrl::FollowWay() {
    while (m_way) {
        if (m_nWayDepth == m_way->steps.size()) {
            const HTREEITEM end = m_hWayItem;
            m_way.reset();
            // Shown too: the tree scrolls to the item it selects.
            SelectItem(end);
            return;
        }
        // Its fill calls again.
        if (m_pending.count(m_hWayItem))
            return;
        if (const HTREEITEM next = WayChild(m_hWayItem, m_way->steps[m_nWayDepth])) {
            Expand(m_hWayItem, TVE_EXPAND);
            m_hWayItem = next;
            ++m_nWayDepth;
            m_bWayFilled = false;
            continue;
        }
        // A branch is filled once: one that has its children, and not this one, will not get it.
        const HTREEITEM child = GetChildItem(m_hWayItem);
        if (m_bWayFilled || (child && GetItemIdList(child)))
            return LeaveWay();
        m_bWayFilled = true;
        StartFill(m_hWayItem);
        Expand(m_hWayItem, TVE_EXPAND);
    }
}

HTREEITEM CFolderTreeCtrl::WayChild(HTREEITEM item, const FolderWayStep& step) const {
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextItem(child, TVGN_NEXT)) {
        const LPCITEMIDLIST list = GetItemIdList(child);
        if (!list)
            continue;
        const LPCITEMIDLIST last = GetLastItemId(list);
        if (last->mkid.cb == step.element.size() &&
            std::memcmp(last, step.element.data(), step.element.size()) == 0)
            return child;
        const auto path = m_paths.find(child);
        if (!step.path.IsEmpty() && path != m_paths.end() && SamePath(path->second, step.path))
            return child;
    }
    return nullptr;
}

void CFolderTreeCtrl::LeaveWay() {
    const CStringW path = m_way->path;
    m_way.reset();
    // The tree shows nothing selected, so that a click on the item selected before tells again.
    SelectItem(nullptr);
    ::SendMessageA(GetParent(), WM_FOLDER_SELECTED, reinterpret_cast<WPARAM>(path.GetString()), 0);
}
