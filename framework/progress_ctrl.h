// CProgressCtrl: a progress bar. Every method sends one message and does not keep state.
#pragma once

#include "framework/wnd.h"

#include <commctrl.h>

class CProgressCtrl : public CWnd {
public:
    // The bar's range as two 16-bit values (PBM_SETRANGE).
    void SetRange(short lower, short upper) {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
    }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};
