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
    // The bar's range as two 32-bit values (PBM_SETRANGE32), for more than 65,535 steps.
    void SetRange32(int lower, int upper) {
        SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
    }
    int GetRangeUpper() const { return static_cast<int>(SendMessage(PBM_GETRANGE, FALSE)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    // Advances the position by `delta`; returns the previous position.
    int OffsetPos(int delta) {
        return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta)));
    }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};
