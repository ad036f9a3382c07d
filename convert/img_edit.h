// CImgEdit: the hidden imaging OLE control that renders an AWD document into a TIFF file on
// the Windows versions that have no fax viewer program. Only its three dispatch members are used.
#pragma once

#include "framework/wnd.h"

// Class identifier of the imaging control.
extern const CLSID CLSID_ImgEdit;

class CImgEdit : public CWnd {
public:
    // The window-class form: the class name is not used, the control is made by its class
    // identifier with the remaining arguments.
    BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id) {
        return Create(windowName, style, rect, parent, id);
    }
    // Creates the control by its class identifier with no persisted state.
    BOOL Create(const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateControl(CLSID_ImgEdit, windowName, style, rect, parent, id, &m_hrCreate);
    }
    // What the last creation reported: S_OK, or why the control is missing (not registered, not
    // licensed, a DLL that does not load).
    HRESULT CreationResult() const { return m_hrCreate; }

    // The three calls return the control's result. Where the framework would raise its dispatch
    // exception we hand the failure back instead, with the control's own description of it in
    // `exceptionText` when asked; with no control behind the wrapper (creation failed) they do
    // nothing and return E_NOINTERFACE.
    // Paths go as the file system names them: a BSTR holds every name.
    HRESULT SetDocumentPath(const wchar_t* path, CString* exceptionText = nullptr);
    HRESULT ShowDocument(CString* exceptionText = nullptr);
    // `path` as VT_BSTR, then the five variants as given.
    HRESULT SaveDocumentAs(const wchar_t* path, const VARIANT& a1, const VARIANT& a2, const VARIANT& a3,
                           const VARIANT& a4, const VARIANT& a5, CString* exceptionText = nullptr);

private:
    HRESULT m_hrCreate = E_UNEXPECTED; // not created yet
};
