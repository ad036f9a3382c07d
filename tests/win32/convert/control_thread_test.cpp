// The imaging control is called on the window thread, from its message loop: never inside a
// message another thread sent, where COM refuses the calls a control makes to other apartments.
#include "conversion_fixture.h"

#include "convert/img_edit.h"

#include <ole2.h>

#include <vector>

namespace {
// A control that records, for each call, its thread and whether it came inside a sent message;
// it saves by copying the document.
class RecordingControl : public IDispatch, public IClassFactory {
public:
    struct Call {
        DISPID member;
        DWORD thread;
        BOOL inSentMessage;
    };
    std::vector<Call> calls;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch))
            *object = static_cast<IDispatch*>(this);
        else if (IsEqualIID(iid, IID_IClassFactory))
            *object = static_cast<IClassFactory*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** object) override {
        return QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        calls.push_back({member, ::GetCurrentThreadId(), ::InSendMessage()});
        if (member == 1)
            m_document = params->rgvarg[0].bstrVal;
        if (member == 343 && !::CopyFileW(m_document.c_str(), params->rgvarg[5].bstrVal, FALSE))
            return E_FAIL;
        return S_OK;
    }

private:
    std::wstring m_document;
};

class ControlThread : public ConversionTest {};

TEST_F(ControlThread, TheCallsComeFromTheWindowThreadsLoopAndNotFromASentMessage) {
    ScopedGeneration generation(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\a.awd", 2, 4);
    RecordingControl control;
    DWORD cookie = 0;
    RefuseStandInControl(true);
    ASSERT_EQ(::CoRegisterClassObject(CLSID_ImgEdit, static_cast<IClassFactory*>(&control),
                                      CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    WithDialog([&](CConverterDlg& dialog) {
        ShowFolder(dialog, fax, {"a.awd", "a.awd"});
        TickRow(dialog, 0);
        TickRow(dialog, 1);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        EXPECT_EQ(ResultOf(dialog, 1), "OK");
    });
    ::CoRevokeClassObject(cookie);
    RefuseStandInControl(false);
    ASSERT_EQ(control.calls.size(), 6u);
    for (const auto& call : control.calls) {
        EXPECT_EQ(call.thread, ::GetCurrentThreadId()) << call.member;
        EXPECT_FALSE(call.inSentMessage) << call.member;
    }
    EXPECT_EQ(ReadFaxPages(fax + "\\a.tif").size(), 2u);
}
} // namespace
