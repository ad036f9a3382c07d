#include "framework/data_exchange.h"

#include "framework/file_names.h"
#include "framework/wide_api.h"
#include "framework/wnd.h"

// A member of CWnd, kept with the exchange so that windows know nothing of it.
BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!control)
        Fail();
    return control;
}

void DDX_Text(CDataExchange* dx, int id, CStringW& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    const WideApi* wide = GetWideApi();
    if (dx->m_bSaveAndValidate && wide) {
        const int length = wide->GetWindowTextLengthW(control);
        const int copied = wide->GetWindowTextW(control, value.GetBuffer(length + 1), length + 1);
        value.ReleaseBuffer(copied > 0 ? copied : 0);
    } else if (dx->m_bSaveAndValidate) {
        CString text;
        const int length = ::GetWindowTextLengthA(control);
        const int copied = ::GetWindowTextA(control, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer(copied > 0 ? copied : 0);
        value = files::FromAnsi(text);
    } else if (wide) {
        wide->SetWindowTextW(control, value);
    } else {
        ::SetWindowTextA(control, files::AnsiLookAlike(value));
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    HWND item = dx->PrepareCtrl(id);
    if (item && !control.SubclassWindow(item))
        dx->Fail(); // already bound to another object
}
