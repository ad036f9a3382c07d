#include "ui/folder_dialog.h"

#include "framework/handle.h"

#include <cstring>

CFolderDialog::CFolderDialog(const char* title, const char* initialFolder, CWnd* parent, UINT flags)
    : CCommonDialog(parent), m_bi{}, m_szInitialFolder{}, m_szFolderPath{},
      m_displayName(new char[MAX_PATH]()) {
    m_bi.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_displayName.get();
    m_bi.lpszTitle = title;
    m_bi.ulFlags = flags;
    m_bi.lpfn = &CFolderDialog::BrowseCallbackProc;
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
    m_bi.iImage = 0;
    // Bounded: a longer folder than a path can be must not run past the buffer.
    if (initialFolder)
        ::lstrcpynA(m_szInitialFolder, initialFolder, MAX_PATH);
}

CFolderDialog::~CFolderDialog() {
    // A root put in by the caller is ours from then on.
    const CCoTaskMem<const ITEMIDLIST> root(m_bi.pidlRoot);
    m_bi = BROWSEINFOA{};
}

INT_PTR CFolderDialog::DoModal() {
    // The browser is modal to its owner; the owner stays disabled until we are back, as for our
    // own dialogs.
    HWND owner = GetSafeOwner();
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_bi.hwndOwner = owner;

    INT_PTR result = IDCANCEL;
    {
        const CCoTaskMem<ITEMIDLIST> chosen(::SHBrowseForFolderA(&m_bi));
        if (chosen)
            result = ::SHGetPathFromIDListA(chosen.Get(), m_szFolderPath) ? IDOK : -1;
    }

    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner)
        ::SetActiveWindow(owner);
    return result;
}

void CFolderDialog::SetSelection(const char* path) {
    ::SendMessageA(m_hBrowseWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
}

void CFolderDialog::SetStatusText(const char* text) {
    ::SendMessageA(m_hBrowseWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

int CALLBACK CFolderDialog::BrowseCallbackProc(HWND hWnd, UINT message, LPARAM lParam, LPARAM data) noexcept {
    auto* dialog = reinterpret_cast<CFolderDialog*>(data);
    if (!dialog)
        return 0;
    // Selecting from a handler makes the browser call back at once; the outer handler must still
    // find its window when the inner call returns.
    const HWND outer = dialog->m_hBrowseWnd;
    dialog->m_hBrowseWnd = hWnd;
    int result = 0;
    switch (message) {
    case BFFM_INITIALIZED:
        dialog->OnInitialized();
        break;
    case BFFM_SELCHANGED:
        dialog->OnSelChanged(reinterpret_cast<LPCITEMIDLIST>(lParam));
        break;
    case BFFM_VALIDATEFAILEDA:
        result = dialog->OnValidateFailed(reinterpret_cast<const char*>(lParam));
        break;
    case BFFM_IUNKNOWN:
        dialog->OnIUnknown(reinterpret_cast<IUnknown*>(lParam));
        break;
    default: // BFFM_VALIDATEFAILEDW among them: we only take narrow names
        break;
    }
    dialog->m_hBrowseWnd = outer;
    return result;
}

void CFolderDialog::OnInitialized() {
    if (::lstrlenA(m_szInitialFolder) > 0)
        SetSelection(m_szInitialFolder);
}

void CFolderDialog::OnSelChanged(LPCITEMIDLIST pidl) {
    if (!(m_bi.ulFlags & BIF_STATUSTEXT))
        return;
    char path[MAX_PATH] = {};
    if (::SHGetPathFromIDListA(pidl, path))
        SetStatusText(path);
}

int CFolderDialog::OnValidateFailed(const char*) {
    ::MessageBeep(MB_ICONHAND);
    return 1;
}

void CFolderDialog::OnIUnknown(IUnknown*) {}
