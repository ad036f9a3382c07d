// CFolderDialog: the shell's folder browser run like one of our modal dialogs. Constructed with a
// title, a folder to open at, a parent and the browse flags; after DoModal returned IDOK,
// m_szFolderPath holds the chosen folder. Paths are the file system's own: on NT-based Windows the
// browser is the wide one, on Windows 95, 98 and Me the ANSI one.
#pragma once

#include "framework/common_dialog.h"

#include <shlobj.h>

#include <memory>

class CFolderDialog : public CCommonDialog {
public:
    // `title` is kept by pointer and must outlive the object; `initialFolder` may be null.
    CFolderDialog(const wchar_t* title, const wchar_t* initialFolder, CWnd* parent, UINT flags);
    ~CFolderDialog() override;

    // IDOK with m_szFolderPath filled, -1 when the chosen item has no file-system path, IDCANCEL
    // when the user cancelled.
    INT_PTR DoModal() override;

    // Meaningful only from inside the handlers below, while m_hBrowseWnd is the browser.
    void SetSelection(const wchar_t* path);
    void SetStatusText(const wchar_t* text);

    static int CALLBACK BrowseCallbackProc(HWND hWnd, UINT message, LPARAM lParam, LPARAM data) noexcept;

    BROWSEINFOW m_bi;
    wchar_t m_szInitialFolder[MAX_PATH];
    wchar_t m_szFolderPath[MAX_PATH];
    HWND m_hBrowseWnd = nullptr; // the browser, while one of the handlers runs

protected:
    // The browser has opened: selects the initial folder, if there is one.
    virtual void OnInitialized();
    // The selection changed: with BIF_STATUSTEXT, shows its path as the status text.
    virtual void OnSelChanged(LPCITEMIDLIST pidl);
    // The user typed a name that is no folder: beeps and keeps the browser open (non-zero).
    virtual int OnValidateFailed(const wchar_t* name);
    virtual void OnIUnknown(IUnknown* unknown);

private:
    // The system's browser of the picker's kind.
    LPITEMIDLIST Browse();

    std::unique_ptr<wchar_t[]> m_displayName; // receives the chosen item's display name, unread
};
