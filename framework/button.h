// CButton: a push button, check box or radio button. Every method sends one message (or makes
// one call) and does not keep state.
#pragma once

#include "framework/wnd.h"

class CButton : public CWnd {
public:
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    // The check state in the low two bits, plus BST_PUSHED and BST_FOCUS.
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
};
