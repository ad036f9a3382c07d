// CWnd: a C++ object bound to one window handle.
//
// Two kinds of binding:
// - Attach: the object only holds the handle, for calling the window's functions. The window's
//   messages do not reach the object, and the handle-to-object lookup does not find it.
// - Subclass (SubclassWindow, SubclassDlgItem, CreateEx, and a dialog's own window): the window's
//   messages run through the object's message map before the window's original procedure, the
//   lookup finds the object (an in-process hash map, framework/window_map.h), and the
//   parent reflects the control's notifications back to it. At WM_NCDESTROY the object restores
//   the original procedure and lets go of the handle, so a destroyed window never reaches a dead
//   object; an object destroyed first takes its subclassed window down with it.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/message_map.h"

#include <memory>

class CDataExchange;
class COleControlSite;
class COleVariant;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object whose message map a window's messages run through, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    // Creates a window and subclasses it, so that it is destroyed with this object at the latest.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT id);
    virtual BOOL DestroyWindow();
    // Hosts the OLE control `clsid` (framework/ole_container.h): the control's own window (or
    // its placeholder) is bound to this object like CreateEx's. FALSE when the control could not
    // be created and activated; `result`, if given, receives why.
    BOOL CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                       UINT id, HRESULT* result = nullptr);
    // Calls the hosted control's dispatch member (COleControlSite::InvokeHelper); E_NOINTERFACE
    // when no control is hosted.
    HRESULT InvokeHelper(DISPID dispid, WORD flags, COleVariant* args, UINT count,
                         CString* exceptionText = nullptr);
    // Reads a property of the hosted control; E_NOINTERFACE when no control is hosted.
    HRESULT GetProperty(DISPID dispid, COleVariant* value, CString* exceptionText = nullptr);
    // Tears the hosted control down and destroys what is left of its window.
    void DestroyControl();

    // Called after the handle is bound and before the window procedure is replaced.
    virtual void PreSubclassWindow() {}
    // Called by the modal loop for the message's target window and each of its parents up to the
    // dialog, before the dialog's keyboard handling; TRUE means the message is consumed.
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }

    // Moves data between the members and the controls (DoDataExchange); FALSE when a control
    // named by the exchange does not exist.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx) {}

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL SetWindowText(const char* text) { return ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }

protected:
    virtual const MessageMap* GetMessageMap() const;
    // Runs a message through the message map (with reflection), else the default handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks the message up in the maps, most derived first; false when no entry handles it.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification of this control, reflected by its parent; true when this object handled it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's original handling of the message being processed.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The default control colours: first the control's own reflected handler, else the system's.
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

private:
    // Controls hosted in this window's children go before the children's windows do.
    void DestroyHostedControls();
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    WNDPROC m_pfnSuper = nullptr; // the procedure this object's subclass replaced; null if attached only
    std::unique_ptr<COleControlSite> m_pCtrlSite; // the hosted control, if this window stands for one
    CurrentMessage m_current{};
};
