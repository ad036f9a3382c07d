#include "ui/folder_dialog.h"

#include "framework/file_names.h"
#include "framework/handle.h"
#include "framework/wide_api.h"

#include <cstring>

CFolderDialog::CFolderDialog(const wchar_t* title, const wchar_t* initialFolder, CWnd* parent, UINT flags)
    : CCommonDialog(parent), m_bi{}, m_szInitialFolder{}, m_szFolderPath{},
      m_displayName(new wchar_t[MAX_PATH]()) {
    m_bi.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_displayName.get();
    m_bi.lpszTitle = title;
    m_bi.ulFlags = flags;
    m_bi.lpfn = &CFolderDialog::BrowseCallbackProc;
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
    m_bi.iImage = 0;
    // Bounded: a longer folder than a path can be must not run past the buffer.
    if (initialFolder) {
        const CStringW folder = CStringW(initialFolder).Left(MAX_PATH - 1);
        std::memcpy(m_szInitialFolder, folder.GetString(), (folder.GetLength() + 1) * sizeof(wchar_t));
    }
}

CFolderDialog::~CFolderDialog() {
    // A root put in by the caller is ours from then on.
    const CCoTaskMem<const ITEMIDLIST> root(m_bi.pidlRoot);
    m_bi = BROWSEINFOW{};
}

LPITEMIDLIST CFolderDialog::Browse() {
    if (const WideApi* wide = GetWideApi())
        return wide->SHBrowseForFolderW(&m_bi);
    // The narrow record differs only in the type of its texts.
    static_assert(sizeof(BROWSEINFOA) == sizeof(BROWSEINFOW), "the records differ");
    BROWSEINFOA ansi;
    std::memcpy(&ansi, &m_bi, sizeof(ansi));
    const CString title = files::AnsiLookAlike(m_bi.lpszTitle ? m_bi.lpszTitle : L"");
    char displayName[MAX_PATH] = "";
    ansi.lpszTitle = m_bi.lpszTitle ? title.GetString() : nullptr;
    ansi.pszDisplayName = displayName;
    return ::SHBrowseForFolderA(&ansi);
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
        const CCoTaskMem<ITEMIDLIST> chosen(Browse());
        const CStringW path = chosen ? files::PathOfIdList(chosen.Get()) : CStringW();
        if (chosen)
            result = path.IsEmpty() ? -1 : IDOK;
        std::memcpy(m_szFolderPath, path.GetString(), (path.GetLength() + 1) * sizeof(wchar_t));
    }

    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner)
        ::SetActiveWindow(owner);
    return result;
}

void CFolderDialog::SetSelection(const wchar_t* path) {
    if (files::WideNames()) {
        ::SendMessageA(m_hBrowseWnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path));
        return;
    }
    const CString ansi = files::AnsiLookAlike(path);
    ::SendMessageA(m_hBrowseWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(ansi.GetString()));
}

void CFolderDialog::SetStatusText(const wchar_t* text) {
    if (files::WideNames()) {
        ::SendMessageA(m_hBrowseWnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return;
    }
    const CString ansi = files::AnsiLookAlike(text);
    ::SendMessageA(m_hBrowseWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(ansi.GetString()));
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
    // The browser of the picker's kind names the text in its own form; the other form never comes.
    case BFFM_VALIDATEFAILEDA:
        if (!files::WideNames())
            result = dialog->OnValidateFailed(files::FromAnsi(reinterpret_cast<const char*>(lParam)));
        break;
    case BFFM_VALIDATEFAILEDW:
        if (files::WideNames())
            result = dialog->OnValidateFailed(reinterpret_cast<const wchar_t*>(lParam));
        break;
    case BFFM_IUNKNOWN:
        dialog->OnIUnknown(reinterpret_cast<IUnknown*>(lParam));
        break;
    default:
        break;
    }
    dialog->m_hBrowseWnd = outer;
    return result;
}

void CFolderDialog::OnInitialized() {
    if (m_szInitialFolder[0] != L'\0')
        SetSelection(m_szInitialFolder);
}

void CFolderDialog::OnSelChanged(LPCITEMIDLIST pidl) {
    if (!(m_bi.ulFlags & BIF_STATUSTEXT))
        return;
    const CStringW path = files::PathOfIdList(pidl);
    if (!path.IsEmpty())
        SetStatusText(path);
}

int CFolderDialog::OnValidateFailed(const wchar_t*) {
    ::MessageBeep(MB_ICONHAND);
    return 1;
}

void CFolderDialog::OnIUnknown(IUnknown*) {}
