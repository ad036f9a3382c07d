#include "framework/ole_site.h"

#include "framework/ole_ambient.h"

#include <new>

namespace {
template <class T> HRESULT NoObject(T** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    return E_NOTIMPL;
}
} // namespace

HRESULT CSiteObject::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleControlSite))
        *object = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(iid, IID_IDispatch))
        *object = static_cast<IDispatch*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CSiteObject::Release() {
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CSiteObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    return NoObject(moniker);
}

// A dialog is no document: there are no other embedded objects to enumerate.
HRESULT CSiteObject::GetContainer(IOleContainer** container) {
    if (!container)
        return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT CSiteObject::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_parent;
    return S_OK;
}

HRESULT CSiteObject::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    if (!m_frame) {
        m_frame = CComPtr<CSiteFrame>(new (std::nothrow) CSiteFrame(m_parent));
        if (!m_frame)
            return E_OUTOFMEMORY;
    }
    m_frame->AddRef();
    *frame = m_frame.Get();
    m_frame->AddRef();
    *document = m_frame.Get();
    *position = m_rect;
    if (!::GetClientRect(m_parent, clip))
        *clip = m_rect;
    info->cb = sizeof(OLEINPLACEFRAMEINFO);
    info->fMDIApp = FALSE;
    info->hwndFrame = m_parent;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT CSiteObject::DeactivateAndUndo() {
    return m_inPlace ? m_inPlace->UIDeactivate() : E_UNEXPECTED;
}

// The control asks for another place; a dialog has room for whatever it wants.
HRESULT CSiteObject::OnPosRectChange(const RECT* position) {
    if (!position)
        return E_POINTER;
    m_rect = *position;
    if (!m_inPlace)
        return S_OK;
    RECT clip;
    if (!::GetClientRect(m_parent, &clip))
        clip = m_rect;
    return m_inPlace->SetObjectRects(&m_rect, &clip);
}

HRESULT CSiteObject::GetExtendedControl(IDispatch** extended) {
    return NoObject(extended);
}

HRESULT CSiteObject::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CSiteObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CSiteObject::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs)
        return DISP_E_BADPARAMCOUNT;
    VARIANT scratch;
    ::VariantInit(&scratch);
    VARIANT* value = result ? result : &scratch;
    ::VariantInit(value);
    const HRESULT hr = GetAmbientProperty(dispid, value);
    if (!result)
        ::VariantClear(&scratch);
    return hr;
}
