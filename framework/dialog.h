// CDialog: a dialog from a template resource, run modally by DoModal.
//
// DoModal runs its own modal loop rather than the system's, so that every message is first offered
// to the PreTranslateMessage of the window objects from its target up to the dialog (a control can
// see the mouse messages meant for it, for instance to relay them to a tooltip), and only then to
// the dialog's keyboard handling (IsDialogMessage).
//
// On NT-based Windows the dialog is made with the wide functions and its loop runs on them: its
// controls are then Unicode windows, whose text (a name typed or shown in an edit field) keeps what
// the code page cannot spell. On Windows 95, 98 and Me both are ANSI.
//
// The dialog's window is subclassed by the object as soon as it exists (WM_INITDIALOG), so its
// messages go through the message map and Default() reaches the system's dialog handling. The
// dialog procedure itself therefore only ever answers WM_INITDIALOG.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // IDOK, IDCANCEL or the value given to EndDialog; -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Runs the data exchange into the controls; TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    // Enter (or an IDOK command): exchanges the controls into the members, then ends with IDOK.
    virtual void OnOK();
    // Escape, the close box (or an IDCANCEL command): ends with IDCANCEL.
    virtual void OnCancel();

protected:
    const MessageMap* GetMessageMap() const override;
    // The window that is disabled while the dialog runs: the parent's top-level window, or the
    // application's main window when there is no parent.
    HWND GetSafeOwner() const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void RunModalLoop();
    BOOL PreTranslateModal(MSG* msg);

    bool m_bContinueModal = false;
    INT_PTR m_nModalResult = -1;
};
