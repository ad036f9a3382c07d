#include "framework/tooltip_ctrl.h"

#include "framework/file_names.h"

namespace {
// The record size that every version of the common controls accepts, narrow or wide.
template <class Info, class Char> Info ToolInfo(CWnd* wnd, const Char* text, UINT_PTR id) {
    Info ti{};
    ti.cbSize = sizeof(Char) == 1 ? TTTOOLINFOA_V1_SIZE : TTTOOLINFOW_V1_SIZE;
    ti.hwnd = wnd ? wnd->m_hWnd : nullptr;
    ti.uId = id;
    ti.hinst = ::GetModuleHandleA(nullptr);
    ti.lpszText = const_cast<Char*>(text);
    return ti;
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* owner, DWORD style) {
    RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, rect, owner ? owner->m_hWnd : nullptr, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT& rect, UINT_PTR id) {
    TTTOOLINFOA ti = ToolInfo<TTTOOLINFOA>(wnd, text, id);
    // No TTF_SUBCLASS: the owner relays the mouse messages itself (RelayEvent).
    ti.rect = rect;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id) {
    TTTOOLINFOA ti = ToolInfo<TTTOOLINFOA>(wnd, text, id);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id) {
    // The control takes the wide message on NT whichever way it was made; 95, 98 and Me keep the
    // narrow one.
    if (!files::WideNames()) {
        UpdateTipText(files::AnsiLookAlike(text), wnd, id);
        return;
    }
    TTTOOLINFOW ti = ToolInfo<TTTOOLINFOW>(wnd, text, id);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, const RECT& rect) {
    TTTOOLINFOA ti = ToolInfo<TTTOOLINFOA, char>(wnd, nullptr, id);
    ti.rect = rect;
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}
