// Dialog data exchange: plain functions over the direction of one UpdateData call.
#pragma once

#include "framework/cstring.h"
#include "framework/cstring_w.h"

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;

    // The dialog's control `id`; marks the exchange failed when there is none.
    HWND PrepareCtrl(int id);
    void Fail() { m_bFailed = true; }
    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
};

// The text of control `id` and `value`: whole on NT-based Windows, where dialogs make their controls
// Unicode windows; in the code page's form on Windows 95, 98 and Me.
void DDX_Text(CDataExchange* dx, int id, CStringW& value);
// Binds `control` to the dialog's control `id` by subclassing it, once.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
