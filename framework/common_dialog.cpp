#include "framework/common_dialog.h"

void CCommonDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    Default();
}

void CCommonDialog::OnCancel() {
    Default();
}
