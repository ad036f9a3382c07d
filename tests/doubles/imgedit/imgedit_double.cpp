// Stand-in for the imaging OLE control, for the tests only: an in-process COM server whose class
// object the test programs register under the control's class identifier for themselves alone
// (CoRegisterClassObject; nothing goes into a registry). It is as strict as real controls are
// about its container: it asks for its client site before InitNew, reads the UserMode ambient,
// makes its own (visible) window when activated in place and refuses to display or save until it
// has a site and is active. What it saw goes into the probe (imgedit_probe.h).
// It implements the three dispatch members the program calls, with their DISPIDs; the save call
// writes the loaded fixture (a TIFF named *.awd) to the given path, after the time the fixture's
// name or TARNVEL_DOUBLES_RENDER_MS asks for (a hanging save waits for ImgEditDoubleEndHang). Like
// a control built for Windows 95 it narrows both paths to the code page, with its best fit. As it
// closes it sends to the window whose handle TARNVEL_DOUBLES_SEND_AT_CLOSE holds, if any. Every dispatch
// call is logged, with the calling thread and the argument types as received, to imgedit-double.log
// (doubles_log.h).
#include "../doubles_log.h"
#include "imgedit_probe.h"

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
ImgEditProbe g_probe{0, false, -1, nullptr, nullptr, false, 0, "", 0};
HINSTANCE g_module = nullptr;
const char kWindowClass[] = "TarnvelImgEditDouble";
bool g_destroyingOwnWindow = false;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
HANDLE g_endHang = nullptr; // auto-reset: a hanging call returns (ImgEditDoubleEndHang)

// How long every other rendering takes, as on the PCs the real control ran on: the milliseconds
// in TARNVEL_DOUBLES_RENDER_MS, else none.
DWORD RenderingMs() {
    char text[16] = "";
    const DWORD length = ::GetEnvironmentVariableA("TARNVEL_DOUBLES_RENDER_MS", text, sizeof(text));
    return length > 0 && length < sizeof(text) ? std::strtoul(text, nullptr, 10) : 0;
}

constexpr DISPID kDocumentPath = 1;
constexpr DISPID kShowDocument = 301;
constexpr DISPID kSaveDocumentAs = 343;

std::string Narrow(const wchar_t* text) {
    if (!text)
        return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length > 0 ? length : 1), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], length, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

// "types=8,2 values=text,1" for the arguments in the order the caller declared them.
std::string Describe(const DISPPARAMS* params) {
    std::string types = "types=";
    std::string values = "values=";
    for (UINT i = 0; i < params->cArgs; ++i) {
        const VARIANTARG& arg = params->rgvarg[params->cArgs - 1 - i];
        if (i) {
            types += ',';
            values += ',';
        }
        types += std::to_string(arg.vt);
        char number[32];
        switch (arg.vt) {
        case VT_BSTR:
            values += Narrow(arg.bstrVal);
            break;
        case VT_I2:
            values += std::to_string(arg.iVal);
            break;
        case VT_I4:
            values += std::to_string(arg.lVal);
            break;
        case VT_ERROR:
            std::snprintf(number, sizeof(number), "0x%08lX", static_cast<unsigned long>(arg.scode));
            values += number;
            break;
        default:
            values += '?';
        }
    }
    return types + ' ' + values;
}

void Log(const char* member, WORD flags, const DISPPARAMS* params) {
    std::string line = member;
    line += " tid=" + std::to_string(::GetCurrentThreadId());
    line += " flags=" + std::to_string(flags);
    line += " named=" + std::to_string(params->cNamedArgs);
    line += ' ' + Describe(params);
    doubles::AppendLog("imgedit-double.log", line);
}

void Note(const char* call) {
    std::strncat(g_probe.teardown, call, sizeof(g_probe.teardown) - std::strlen(g_probe.teardown) - 2);
    std::strcat(g_probe.teardown, " ");
}

// A container that lets the window of an active control be destroyed under it is noted as such.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && !g_destroyingOwnWindow)
        Note("WindowDestroyedUnderIt");
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HRESULT Refuse(EXCEPINFO* exception, const wchar_t* why) {
    if (exception) {
        *exception = EXCEPINFO{};
        exception->scode = E_FAIL;
        exception->bstrDescription = ::SysAllocString(why);
    }
    return DISP_E_EXCEPTION;
}

// A failed save describes itself only when asked, as controls that fill in late do.
HRESULT STDAPICALLTYPE FillSaveFailure(EXCEPINFO* exception) {
    exception->bstrDescription = ::SysAllocString(kImgEditSaveFailure);
    return S_OK;
}

int ReadUserMode(IOleClientSite* site) {
    IDispatch* ambient = nullptr;
    if (FAILED(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))))
        return -1;
    DISPPARAMS none{};
    VARIANT value;
    ::VariantInit(&value);
    const HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                       &value, nullptr, nullptr);
    ambient->Release();
    const int mode = SUCCEEDED(hr) && value.vt == VT_BOOL ? (value.boolVal ? 1 : 0) : -1;
    ::VariantClear(&value);
    return mode;
}

class ImgEditDouble : public IDispatch,
                      public IOleObject,
                      public IOleInPlaceObject,
                      public IPersistStreamInit {
public:
    ImgEditDouble() { g_probe.liveObjects = ++g_objects; }
    virtual ~ImgEditDouble() {
        if (m_site)
            m_site->Release();
        g_probe.liveObjects = --g_objects;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch))
            *object = static_cast<IDispatch*>(this);
        else if (IsEqualIID(iid, IID_IOleObject))
            *object = static_cast<IOleObject*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
            *object = static_cast<IOleInPlaceObject*>(this);
        else if (IsEqualIID(iid, IID_IPersistStreamInit))
            *object = static_cast<IPersistStreamInit*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long refs = --m_refs;
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO* exception, UINT*) override {
        if (!params)
            return E_INVALIDARG;
        switch (member) {
        case kDocumentPath:
            Log("SetDocumentPath", flags, params);
            if (!(flags & DISPATCH_PROPERTYPUT) || params->cArgs != 1 || params->rgvarg[0].vt != VT_BSTR)
                return DISP_E_TYPEMISMATCH;
            m_document = params->rgvarg[0].bstrVal ? params->rgvarg[0].bstrVal : L"";
            return S_OK;
        case kShowDocument:
            Log("ShowDocument", flags, params);
            if (!Active())
                return Refuse(exception, L"The control is not active in place.");
            return params->cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
        case kSaveDocumentAs:
            Log("SaveDocumentAs", flags, params);
            if (!Active())
                return Refuse(exception, L"The control is not active in place.");
            if (params->cArgs != 6 || params->rgvarg[5].vt != VT_BSTR)
                return DISP_E_BADPARAMCOUNT;
            return Save(params->rgvarg[5].bstrVal ? params->rgvarg[5].bstrVal : L"", exception);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        if (!site) {
            Note("SetClientSite(NULL)");
            if (m_site)
                g_probe.siteRefsLeft = m_site->Release();
            m_site = nullptr;
            return S_OK;
        }
        if (m_site)
            m_site->Release();
        m_site = site;
        m_site->AddRef();
        g_probe.userMode = ReadUserMode(site);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        *site = m_site;
        if (m_site)
            m_site->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override {
        Note("Close");
        char window[16] = "";
        if (::GetEnvironmentVariableA("TARNVEL_DOUBLES_SEND_AT_CLOSE", window, sizeof(window)))
            ::SendMessageA(reinterpret_cast<HWND>(std::strtoul(window, nullptr, 10)), WM_NULL, 0, 0);
        InPlaceDeactivate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) override {
        if (verb != OLEIVERB_INPLACEACTIVATE)
            return OLEOBJ_S_INVALIDVERB;
        return m_window ? S_OK : ActivateInPlace(site ? site : m_site);
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override {
        *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = m_window;
        return m_window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
        if (!m_inPlaceSite)
            return S_OK;
        Note("InPlaceDeactivate");
        g_destroyingOwnWindow = true;
        ::DestroyWindow(m_window);
        g_destroyingOwnWindow = false;
        m_window = nullptr;
        g_probe.window = nullptr;
        m_inPlaceSite->OnInPlaceDeactivate();
        m_inPlaceSite->Release();
        m_inPlaceSite = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT) override {
        if (m_window)
            ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                         position->bottom - position->top, TRUE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitNew() override {
        g_probe.siteBeforeInitNew = m_site != nullptr;
        return S_OK;
    }

private:
    bool Active() {
        g_probe.callThread = ::GetCurrentThreadId();
        g_probe.visibleAtCall = m_window && ::IsWindowVisible(m_window);
        return m_site && m_window;
    }

    // As a real control: its own child window in the site's window, shown, at the given place.
    HRESULT ActivateInPlace(IOleClientSite* site) {
        IOleInPlaceSite* inPlace = nullptr;
        if (!site || FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))))
            return E_UNEXPECTED;
        HWND parent = nullptr;
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof(info);
        if (inPlace->CanInPlaceActivate() != S_OK || FAILED(inPlace->OnInPlaceActivate()) ||
            FAILED(inPlace->GetWindow(&parent)) ||
            FAILED(inPlace->GetWindowContext(&frame, &document, &position, &clip, &info)) || !frame) {
            inPlace->Release();
            return E_FAIL;
        }
        frame->Release();
        if (document)
            document->Release();
        m_window = ::CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE, position.left, position.top,
                                     position.right - position.left, position.bottom - position.top, parent,
                                     nullptr, g_module, nullptr);
        if (!m_window) {
            inPlace->OnInPlaceDeactivate();
            inPlace->Release();
            return E_FAIL;
        }
        m_inPlaceSite = inPlace;
        g_probe.parent = parent;
        g_probe.window = m_window;
        return S_OK;
    }

    HRESULT Save(const std::wstring& target, EXCEPINFO* exception) {
        const std::string document = Narrow(m_document.c_str());
        switch (doubles::ModeOf(document.c_str())) {
        case doubles::Mode::DispatchFailure:
            if (exception) {
                *exception = EXCEPINFO{};
                exception->scode = E_FAIL;
                exception->pfnDeferredFillIn = &FillSaveFailure;
            }
            return DISP_E_EXCEPTION;
        case doubles::Mode::Slow:
            ::Sleep(doubles::kSlowMs);
            break;
        case doubles::Mode::Hang:
            ::WaitForSingleObject(g_endHang, doubles::kHangMs);
            break;
        default:
            ::Sleep(RenderingMs());
            break;
        }
        // As the real control: when nothing could be written, nothing is said.
        ::CopyFileA(document.c_str(), Narrow(target.c_str()).c_str(), FALSE);
        return S_OK;
    }

    std::atomic<long> m_refs{1};
    std::wstring m_document;
    IOleClientSite* m_site = nullptr;
    IOleInPlaceSite* m_inPlaceSite = nullptr;
    HWND m_window = nullptr;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (g_objects == 0)
            g_probe = ImgEditProbe{0, false, -1, nullptr, nullptr, false, 0, "", 0};
        auto* control = new (std::nothrow) ImgEditDouble;
        if (!control)
            return E_OUTOFMEMORY;
        const HRESULT hr = control->QueryInterface(iid, object);
        control->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        g_locks += lock ? 1 : -1;
        return S_OK;
    }
};

Factory g_factory;

// {6D940280-9F11-11CE-83FD-02608C3EC08A}
const CLSID kImgEdit = {0x6D940280, 0x9F11, 0x11CE, {0x83, 0xFD, 0x02, 0x60, 0x8C, 0x3E, 0xC0, 0x8A}};
} // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!IsEqualCLSID(clsid, kImgEdit))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

extern "C" __declspec(dllexport) ImgEditProbe* __stdcall ImgEditDoubleProbe() {
    return &g_probe;
}

extern "C" __declspec(dllexport) void __stdcall ImgEditDoubleEndHang() {
    ::SetEvent(g_endHang);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        g_endHang = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ControlWindowProc;
        windowClass.hInstance = module;
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassA(&windowClass);
    } else if (reason == DLL_PROCESS_DETACH) {
        ::UnregisterClassA(kWindowClass, module);
    }
    return TRUE;
}
