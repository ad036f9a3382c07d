#include "ui/about_dlg.h"

#include "framework/data_exchange.h"
#include "ui/resource.h"

const char kHomePageAddress[] = "http://www.tarnvel.com/";

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

const MessageMap* CAboutDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::Mouse<&CAboutDlg::OnLButtonUp>(WM_LBUTTONUP),
    };
    static const MessageMap map(CDialog::GetMessageMap(), entries);
    return &map;
}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_HOMEPAGE, m_linkHome);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The link took its text as address when it was bound; the text stays, the address changes.
    m_linkHome.SetLinkAddress(kHomePageAddress);
    return TRUE;
}

void CAboutDlg::OnLButtonUp(UINT, POINT) {
    OnOK();
    Default();
}
