// OLE control hosting for dialogs.
//
// A hosted control gets what containers owe it: a site (ole_site.h) with the ambient properties
// of a finished program, its client site before or after its initialisation as its
// OLEMISC_SETCLIENTSITEFIRST bit asks, and in-place activation at its place in the parent, where
// it makes its own child window. That window carries the child id, so GetDlgItem finds the
// control itself, and stays hidden unless the style asks for WS_VISIBLE. A control that activates
// without a window (windowless or invisible at run time) still works through its dispatch
// interface; a hidden placeholder child with the id stands in for its window.
//
// The control is apartment-threaded: it is created, called and torn down on the creating thread
// only. Teardown goes in the order controls expect (InPlaceDeactivate, Close, SetClientSite(NULL),
// release) and happens before the parent's children are destroyed (a CWnd parent does it at its
// own WM_DESTROY), so the control takes its window down itself.
#pragma once

#include "framework/com_ptr.h"
#include "framework/cstring.h"
#include "framework/ole_variant.h"

#include <ole2.h>
#include <windows.h>

class CSiteObject;

// Initialises OLE on the user-interface thread so that dialogs can create OLE controls.
// Returns false when OLE could not be initialised.
bool AfxEnableControlContainer();
// Undoes AfxEnableControlContainer at the end of the program.
void AfxOleTerm();

// The site of one hosted control. Only the creating thread may call it.
class COleControlSite {
public:
    COleControlSite();
    ~COleControlSite();
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Creates the control and activates it in place in `parent`. A failure (nothing held) says
    // why: the class is not known or cannot be loaded (CoCreateInstance's result), is no control
    // with a dispatch interface (E_NOINTERFACE), or refuses activation (its DoVerb result).
    HRESULT CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                          UINT id);
    // Calls member `dispid` with `args` in their order of declaration (a property put takes its
    // one value there). The result value is not asked for. RPC_E_WRONG_THREAD from any thread
    // but the creator's. `exceptionText`, if given, receives the description of the exception
    // the control raised (DISP_E_EXCEPTION), and is empty after any other result or when the
    // control gave no description.
    HRESULT InvokeHelper(DISPID dispid, WORD flags, COleVariant* args, UINT count,
                         CString* exceptionText = nullptr);
    // Reads property `dispid` into `value`, with the same thread rule and exception text.
    HRESULT GetProperty(DISPID dispid, COleVariant* value, CString* exceptionText = nullptr);
    // Deactivates and closes the control and lets go of it. The control's own window goes with
    // it; a placeholder or a window the control left behind is the caller's to destroy (m_hWnd).
    void DestroyControl();

    HWND m_hWnd = nullptr; // the control's window or its placeholder; bound to a CWnd by the caller

private:
    HRESULT Invoke(DISPID dispid, WORD flags, DISPPARAMS& params, VARIANT* result, CString* exceptionText);
    HRESULT Activate(const char* windowName, DWORD style, const RECT& rect, HWND parent, UINT id);

    CSiteObject* m_site = nullptr; // one reference of ours
    CComPtr<IOleObject> m_object;
    CComPtr<IOleInPlaceObject> m_inPlace;
    CComPtr<IDispatch> m_dispatch;
    DWORD m_nThreadId = 0;
};
