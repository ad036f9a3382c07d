// CCommonDialog: a dialog that the system supplies (no template of our own). The derived class
// runs the system's dialog in its DoModal, owned by GetSafeOwner().
#pragma once

#include "framework/dialog.h"

class CCommonDialog : public CDialog {
public:
    explicit CCommonDialog(CWnd* parent) : CDialog(0, parent) {}

    // Saves the dialog data, then leaves the command to the system's dialog; does not end it.
    void OnOK() override;
    // Leaves the command to the system's dialog; does not end it.
    void OnCancel() override;
};
