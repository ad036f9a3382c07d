#include "framework/ole_container.h"

#include <ocidl.h>

#include <vector>

namespace {
bool g_oleInitialized = false;
}

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

COleControlSite::~COleControlSite() {
    // Lets the control drop what it holds before its last reference goes.
    if (m_object)
        m_object->Close(OLECLOSE_NOSAVE);
}

bool COleControlSite::CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect,
                                    HWND parent, UINT id) {
    if (m_dispatch)
        return false;
    CComPtr<IUnknown> control;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(control.Receive()))))
        return false;
    CComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(
            control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.Receive()))))
        persist->InitNew();
    CComPtr<IDispatch> dispatch;
    if (FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Receive()))))
        return false;
    CComPtr<IOleObject> object;
    control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.Receive()));

    HWND hWnd = ::CreateWindowExA(
        0, "STATIC", windowName, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
    if (!hWnd) {
        if (object)
            object->Close(OLECLOSE_NOSAVE);
        return false;
    }
    m_hWnd = hWnd;
    m_object = std::move(object);
    m_dispatch = std::move(dispatch);
    m_nThreadId = ::GetCurrentThreadId();
    return true;
}

HRESULT COleControlSite::InvokeHelper(DISPID dispid, WORD flags, COleVariant* args, UINT count) {
    if (!m_dispatch)
        return E_NOINTERFACE;
    if (::GetCurrentThreadId() != m_nThreadId)
        return RPC_E_WRONG_THREAD;
    // The callee takes its arguments last to first; the copies are shallow, the owners stay ours.
    std::vector<VARIANTARG> reversed(count);
    for (UINT i = 0; i < count; ++i)
        reversed[count - 1 - i] = args[i];
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = count ? reversed.data() : nullptr;
    params.cArgs = count;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }
    COleVariant result;
    EXCEPINFO exception{};
    UINT argError = 0;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    HRESULT hr = m_dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                    put ? nullptr : &result, &exception, &argError);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return hr;
}
