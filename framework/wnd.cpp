#include "framework/wnd.h"

#include "framework/ole_container.h"
#include "framework/window_map.h"

#include <vector>

CWnd::CWnd() = default;

CWnd::~CWnd() {
    DestroyControl();
    if (m_pfnSuper && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    else if (m_pfnSuper)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return windowmap::Find(hWnd);
}

BOOL CWnd::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd)
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach() {
    if (m_pfnSuper)
        return UnsubclassWindow();
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd || !::IsWindow(hWnd) || !windowmap::Bind(hWnd, this))
        return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent ? SubclassWindow(parent->GetDlgItem(static_cast<int>(id))) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (!m_pfnSuper)
        return nullptr;
    // Only put the old procedure back if nobody has subclassed the window on top of us.
    if (::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WndProc))
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    windowmap::Unbind(hWnd);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    if (m_hWnd)
        return FALSE;
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hWnd =
        ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent, menuOrId, ::GetModuleHandleA(nullptr), nullptr);
    if (!hWnd)
        return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                         UINT id, HRESULT* result) {
    HRESULT ignored;
    HRESULT& hr = result ? *result : ignored;
    hr = E_UNEXPECTED;
    if (m_hWnd || m_pCtrlSite)
        return FALSE;
    auto site = std::make_unique<COleControlSite>();
    hr = site->CreateControl(clsid, windowName, style, rect, parent ? parent->m_hWnd : nullptr, id);
    if (FAILED(hr))
        return FALSE;
    if (!SubclassWindow(site->m_hWnd)) {
        site->DestroyControl();
        if (site->m_hWnd)
            ::DestroyWindow(site->m_hWnd);
        hr = E_FAIL;
        return FALSE;
    }
    m_pCtrlSite = std::move(site);
    return TRUE;
}

HRESULT CWnd::InvokeHelper(DISPID dispid, WORD flags, COleVariant* args, UINT count, CString* exceptionText) {
    return m_pCtrlSite ? m_pCtrlSite->InvokeHelper(dispid, flags, args, count, exceptionText) : E_NOINTERFACE;
}

HRESULT CWnd::GetProperty(DISPID dispid, COleVariant* value, CString* exceptionText) {
    return m_pCtrlSite ? m_pCtrlSite->GetProperty(dispid, value, exceptionText) : E_NOINTERFACE;
}

void CWnd::DestroyControl() {
    // Taken out first: the control destroying its window brings us back here through WM_NCDESTROY.
    std::unique_ptr<COleControlSite> site = std::move(m_pCtrlSite);
    if (!site)
        return;
    const HWND window = m_hWnd;
    site->DestroyControl();
    if (site->m_hWnd && m_hWnd == window)
        ::DestroyWindow(window);
}

void CWnd::DestroyHostedControls() {
    std::vector<CWnd*> hosts;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* wnd = FromHandlePermanent(child);
        if (wnd && wnd->m_pCtrlSite)
            hosts.push_back(wnd);
    }
    for (CWnd* host : hosts)
        host->DestroyControl();
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length + 1);
    int copied = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(copied > 0 ? copied : 0);
}

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::CtlColor<&CWnd::OnCtlColor>(),
    };
    static const MessageMap map(nullptr, entries);
    return &map;
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_DESTROY)
        wnd->DestroyHostedControls();
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && wnd->m_hWnd == hWnd) {
        // A hosted control whose window was destroyed under it goes with it, so the object can
        // host a new one later.
        wnd->m_pCtrlSite.reset();
        wnd->UnsubclassWindow();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Handlers may send messages to this same window; each level sees its own message in Default().
    const CurrentMessage outer = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // A control's notification goes to the control's own object first; if it handles it, the
    // parent's map does not see it.
    HWND child = nullptr;
    if (message == WM_COMMAND)
        child = reinterpret_cast<HWND>(lParam);
    else if (message == WM_NOTIFY && lParam)
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    if (child && child != m_hWnd) {
        CWnd* control = FromHandlePermanent(child);
        if (control && control->OnChildNotify(message, wParam, lParam, result))
            return true;
    }

    const bool ctlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    const UINT key = ctlColor ? WM_CTLCOLOR : message;
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.message != key)
                continue;
            if (message == WM_COMMAND && (entry.id != LOWORD(wParam) || entry.code != HIWORD(wParam)))
                continue;
            if (message == WM_NOTIFY) {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                if (!header || entry.id != header->idFrom || entry.code != header->code)
                    continue;
            }
            *result = entry.handler(*this, message, wParam, lParam);
            return true;
        }
    }
    return false;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const bool ctlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    const UINT key = WM_REFLECT_BASE + (ctlColor ? WM_CTLCOLOR : message);
    UINT code = 0;
    if (message == WM_COMMAND)
        code = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        code = reinterpret_cast<const NMHDR*>(lParam)->code;
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.message != key || (!ctlColor && entry.code != code))
                continue;
            LRESULT handled = entry.handler(*this, message, wParam, lParam);
            if (ctlColor && !handled)
                return false; // no brush: the parent colours the control
            *result = handled;
            return true;
        }
    }
    return false;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

HBRUSH CWnd::OnCtlColor(HDC dc, HWND control, UINT ctlType) {
    if (control && control != m_hWnd) {
        if (CWnd* child = FromHandlePermanent(control)) {
            LRESULT brush = 0;
            if (child->OnChildNotify(m_current.message, m_current.wParam, m_current.lParam, &brush))
                return reinterpret_cast<HBRUSH>(brush);
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}
