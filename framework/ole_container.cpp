#include "framework/ole_container.h"

#include "framework/ole_site.h"

#include <new>
#include <vector>

namespace {
bool g_oleInitialized = false;

template <class T> CComPtr<T> Query(IUnknown* from, REFIID iid) {
    CComPtr<T> result;
    if (from)
        from->QueryInterface(iid, reinterpret_cast<void**>(result.Receive()));
    return result;
}

CString Narrow(BSTR text) {
    CString result;
    if (!text)
        return result;
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return result;
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, result.GetBuffer(length), length, nullptr, nullptr);
    result.ReleaseBuffer();
    return result;
}

// The control's extent in HIMETRIC from its place in screen pixels.
SIZEL Extent(const RECT& rect) {
    HDC screen = ::GetDC(nullptr);
    const int dpiX = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return SIZEL{::MulDiv(rect.right - rect.left, 2540, dpiX > 0 ? dpiX : 96),
                 ::MulDiv(rect.bottom - rect.top, 2540, dpiY > 0 ? dpiY : 96)};
}
} // namespace

bool AfxEnableControlContainer() {
    if (!g_oleInitialized)
        g_oleInitialized = SUCCEEDED(::OleInitialize(nullptr));
    return g_oleInitialized;
}

void AfxOleTerm() {
    if (g_oleInitialized) {
        ::OleUninitialize();
        g_oleInitialized = false;
    }
}

COleControlSite::COleControlSite() = default;

COleControlSite::~COleControlSite() {
    DestroyControl();
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect,
                                       HWND parent, UINT id) {
    if (m_object)
        return E_UNEXPECTED;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(m_object.Receive()));
    if (FAILED(hr))
        return hr;
    m_dispatch = Query<IDispatch>(m_object.Get(), IID_IDispatch);
    m_site = new (std::nothrow) CSiteObject(parent, rect);
    m_nThreadId = ::GetCurrentThreadId();
    hr = !m_dispatch ? E_NOINTERFACE
         : !m_site   ? E_OUTOFMEMORY
                     : Activate(windowName, style, rect, parent, id);
    if (FAILED(hr)) {
        DestroyControl();
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    return hr;
}

HRESULT COleControlSite::Activate(const char* windowName, DWORD style, const RECT& rect, HWND parent,
                                  UINT id) {
    IOleClientSite* clientSite = m_site;
    DWORD misc = 0;
    m_object->GetMiscStatus(DVASPECT_CONTENT, &misc);
    if (misc & OLEMISC_SETCLIENTSITEFIRST)
        m_object->SetClientSite(clientSite);
    if (auto persist = Query<IPersistStreamInit>(m_object.Get(), IID_IPersistStreamInit))
        persist->InitNew();
    if (!(misc & OLEMISC_SETCLIENTSITEFIRST))
        m_object->SetClientSite(clientSite);
    SIZEL extent = Extent(rect);
    m_object->SetExtent(DVASPECT_CONTENT, &extent);

    if (!(misc & OLEMISC_INVISIBLEATRUNTIME)) {
        RECT place = rect;
        const HRESULT activated =
            m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, parent, &place);
        if (FAILED(activated))
            return activated;
        m_inPlace = Query<IOleInPlaceObject>(m_object.Get(), IID_IOleInPlaceObject);
        m_site->SetInPlaceObject(m_inPlace.Get());
        if (m_inPlace) {
            RECT clip;
            if (::GetClientRect(parent, &clip))
                m_inPlace->SetObjectRects(&place, &clip);
            m_inPlace->GetWindow(&m_hWnd);
        }
    }
    if (m_hWnd) {
        // Its own style, not IsWindowVisible: the parent may not be shown yet.
        if (!(style & WS_VISIBLE) && (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE))
            ::ShowWindow(m_hWnd, SW_HIDE);
        // SetWindowLongPtrA is only a name for this on 32-bit Windows; Windows 95 has no other.
        ::SetWindowLongA(m_hWnd, GWL_ID, static_cast<LONG>(id));
        if (windowName && *windowName)
            ::SetWindowTextA(m_hWnd, windowName);
        return S_OK;
    }
    m_hWnd = ::CreateWindowExA(0, "STATIC", windowName, style & ~WS_VISIBLE, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ::GetModuleHandleA(nullptr), nullptr);
    return m_hWnd ? S_OK : HRESULT_FROM_WIN32(::GetLastError());
}

void COleControlSite::DestroyControl() {
    if (m_inPlace)
        m_inPlace->InPlaceDeactivate();
    if (m_site)
        m_site->SetInPlaceObject(nullptr);
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
    }
    m_inPlace.Release();
    m_dispatch.Release();
    m_object.Release();
    if (m_site) {
        m_site->Release();
        m_site = nullptr;
    }
    // Our window is gone with the control, unless the control left it or it was a placeholder.
    if (m_hWnd && !::IsWindow(m_hWnd))
        m_hWnd = nullptr;
}

HRESULT COleControlSite::InvokeHelper(DISPID dispid, WORD flags, COleVariant* args, UINT count,
                                      CString* exceptionText) {
    // The callee takes its arguments last to first; the copies are shallow, the owners stay ours.
    std::vector<VARIANTARG> reversed(count);
    for (UINT i = 0; i < count; ++i)
        reversed[count - 1 - i] = args[i];
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = count ? reversed.data() : nullptr;
    params.cArgs = count;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }
    COleVariant result;
    return Invoke(dispid, flags, params, put ? nullptr : &result, exceptionText);
}

HRESULT COleControlSite::GetProperty(DISPID dispid, COleVariant* value, CString* exceptionText) {
    if (!value)
        return E_POINTER;
    ::VariantClear(value);
    DISPPARAMS none{};
    return Invoke(dispid, DISPATCH_PROPERTYGET, none, value, exceptionText);
}

HRESULT COleControlSite::Invoke(DISPID dispid, WORD flags, DISPPARAMS& params, VARIANT* result,
                                CString* exceptionText) {
    if (exceptionText)
        exceptionText->Empty();
    if (!m_dispatch)
        return E_NOINTERFACE;
    if (::GetCurrentThreadId() != m_nThreadId)
        return RPC_E_WRONG_THREAD;
    EXCEPINFO exception{};
    UINT argError = 0;
    const HRESULT hr = m_dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                          &exception, &argError);
    if (hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn)
            exception.pfnDeferredFillIn(&exception);
        if (exceptionText)
            *exceptionText = Narrow(exception.bstrDescription);
    }
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return hr;
}
