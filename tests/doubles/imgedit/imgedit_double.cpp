// Stand-in for the imaging OLE control, for the tests only: an in-process COM server whose class
// object the test programs register under the control's class identifier for themselves alone
// (CoRegisterClassObject; nothing goes into a registry). It implements
// the three dispatch members the program calls, with their DISPIDs; the save call writes the
// loaded fixture (a TIFF named *.awd) to the given path. Every call is logged, with the calling
// thread and the argument types as received, to imgedit-double.log (doubles_log.h).
#include "../doubles_log.h"

#include <ole2.h>

#include <atomic>
#include <string>

namespace {
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

constexpr DISPID kDocumentPath = 1;
constexpr DISPID kShowDocument = 301;
constexpr DISPID kSaveDocumentAs = 343;

std::string Narrow(BSTR text) {
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

class ImgEditDouble : public IDispatch {
public:
    ImgEditDouble() { ++g_objects; }
    virtual ~ImgEditDouble() { --g_objects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long refs = --m_refs;
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }
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
            m_document = Narrow(params->rgvarg[0].bstrVal);
            return S_OK;
        case kShowDocument:
            Log("ShowDocument", flags, params);
            return params->cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
        case kSaveDocumentAs:
            Log("SaveDocumentAs", flags, params);
            if (params->cArgs != 6 || params->rgvarg[5].vt != VT_BSTR)
                return DISP_E_BADPARAMCOUNT;
            return Save(Narrow(params->rgvarg[5].bstrVal), exception);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    HRESULT Save(const std::string& target, EXCEPINFO* exception) {
        switch (doubles::ModeOf(m_document.c_str())) {
        case doubles::Mode::DispatchFailure:
            if (exception) {
                *exception = EXCEPINFO{};
                exception->scode = E_FAIL;
                exception->bstrDescription = ::SysAllocString(L"The document could not be saved.");
            }
            return DISP_E_EXCEPTION;
        case doubles::Mode::NoOutput:
            return S_OK;
        case doubles::Mode::Slow:
            ::Sleep(doubles::kSlowMs);
            break;
        default:
            break;
        }
        if (!::CopyFileA(m_document.c_str(), target.c_str(), FALSE))
            return S_OK; // as the real control: nothing written, nothing said
        if (doubles::ModeOf(m_document.c_str()) == doubles::Mode::Truncated)
            doubles::Truncate(target.c_str());
        return S_OK;
    }

    std::atomic<long> m_refs{1};
    std::string m_document;
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
