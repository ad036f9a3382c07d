// CToolTipCtrl: a tooltip window created (and destroyed) by the object; owned by another window,
// it also goes when its owner is destroyed.
#pragma once

#include "framework/wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // Creates the tooltip as a popup (WS_POPUP plus `style`) owned by `owner`.
    BOOL Create(CWnd* owner, DWORD style = 0);
    // Adds tool `id` of window `wnd` covering `rect` (client coordinates of `wnd`).
    BOOL AddTool(CWnd* wnd, const char* text, const RECT& rect, UINT_PTR id);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id);
    // On NT-based Windows the text goes whole; Windows 95, 98 and Me show its code-page form.
    void UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id);
    // Moves tool `id` of window `wnd` to `rect`.
    void SetToolRect(CWnd* wnd, UINT_PTR id, const RECT& rect);
    // A longer text wraps at spaces into lines of at most `width` pixels (common controls 4.70 and
    // later; older ones show one line).
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};
