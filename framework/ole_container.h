// OLE for the controls that dialogs host.
//
// The hosting is the least a control needs to be driven through its dispatch interface: the
// control object is created in-process by class identifier with no persisted state, and a plain
// child window with the given id, style and place stands for it in the parent. The control is
// never activated in place, so it draws nothing; its window is the handle the parent's code and
// the tests see.
#pragma once

#include "framework/com_ptr.h"
#include "framework/ole_variant.h"

#include <ole2.h>
#include <windows.h>

// Initialises OLE on the user-interface thread so that dialogs can create OLE controls.
// Returns false when OLE could not be initialised.
bool AfxEnableControlContainer();
// Undoes AfxEnableControlContainer at the end of the program.
void AfxOleTerm();

// The site of one hosted control: the control object, its dispatch interface and the child
// window. The control belongs to the apartment of the thread that created it, and only that
// thread may call it.
class COleControlSite {
public:
    COleControlSite() = default;
    ~COleControlSite();
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Creates the control and its child window; false (and nothing held) when the class is not
    // known, has no dispatch interface, or the window could not be made.
    bool CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                       UINT id);
    // Calls member `dispid` with `args` in their order of declaration (a property put takes its
    // one value there). The result value is not asked for. RPC_E_WRONG_THREAD from any thread
    // but the creator's.
    HRESULT InvokeHelper(DISPID dispid, WORD flags, COleVariant* args, UINT count);

    HWND m_hWnd = nullptr; // the child window; destroyed by its CWnd, not by the site

private:
    CComPtr<IOleObject> m_object;
    CComPtr<IDispatch> m_dispatch;
    DWORD m_nThreadId = 0;
};
