// CFolderDialog: the shell's folder browser run like one of our modal dialogs. Constructed with a
// title, a folder to open at, a parent and the browse flags; after DoModal returned IDOK,
// m_szFolderPath holds the chosen folder.
#pragma once

#include "framework/common_dialog.h"

#include <shlobj.h>

#include <memory>

class CFolderDialog : public CCommonDialog {
public:
    // `title` is kept by pointer and must outlive the object; `initialFolder` may be null.
    CFolderDialog(const char* title, const char* initialFolder, CWnd* parent, UINT flags);
    ~CFolderDialog() override;

    // IDOK with m_szFolderPath filled, -1 when the chosen item has no file-system path, IDCANCEL
    // when the user cancelled.
    INT_PTR DoModal() override;

    // Meaningful only from inside the handlers below, while m_hBrowseWnd is the browser.
    void SetSelection(const char* path);
    void SetStatusText(const char* text);

    static int CALLBACK BrowseCallbackProc(HWND hWnd, UINT message, LPARAM lParam, LPARAM data) noexcept;

    BROWSEINFOA m_bi;
    char m_szInitialFolder[MAX_PATH];
    char m_szFolderPath[MAX_PATH];
    HWND m_hBrowseWnd = nullptr; // the browser, while one of the handlers runs

protected:
    // The browser has opened: selects the initial folder, if there is one.
    virtual void OnInitialized();
    // The selection changed: with BIF_STATUSTEXT, shows its path as the status text.
    virtual void OnSelChanged(LPCITEMIDLIST pidl);
    // The user typed a name that is no folder: beeps and keeps the browser open (non-zero).
    virtual int OnValidateFailed(const char* name);
    virtual void OnIUnknown(IUnknown* unknown);

private:
    std::unique_ptr<char[]> m_displayName; // receives the chosen item's display name, unread
};
