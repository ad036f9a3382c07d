// CAboutDlg: names the program and its version and links to its home page. A click anywhere on
// the box but the link closes it.
#pragma once

#include "framework/dialog.h"
#include "ui/link_label.h"

// The product's home page, opened by the About box's link.
extern const char kHomePageAddress[];

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    CLinkLabel m_linkHome;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnLButtonUp(UINT keyFlags, POINT point);
};
