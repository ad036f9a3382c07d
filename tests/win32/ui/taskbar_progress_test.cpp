// The batch on the taskbar button: a stand-in for the shell's taskbar object, registered in this
// thread's apartment, records what the window asks of it once the shell has said the button exists.
// Windows 7 and later are asked; Windows XP (this program's copy run as XP) never is.
#include "win32/convert/conversion_fixture.h"

#include <shobjidl.h>

namespace {
const CLSID kTaskbarList = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};

struct TaskbarRecorder : ITaskbarList3, IClassFactory {
    std::vector<std::string> calls;
    HWND window = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IClassFactory)
            *object = static_cast<IClassFactory*>(this);
        else if (iid == IID_IUnknown || iid == IID_ITaskbarList || iid == IID_ITaskbarList2 ||
                 iid == IID_ITaskbarList3)
            *object = static_cast<ITaskbarList3*>(this);
        else
            *object = nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** object) override {
        return QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    HRESULT Record(HWND hwnd, const std::string& call) {
        calls.push_back(hwnd == window ? call : "another window: " + call);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HrInit() override { return Record(window, "init"); }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND hwnd, TBPFLAG state) override {
        return Record(hwnd, "state " + std::to_string(state));
    }
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND hwnd, ULONGLONG done, ULONGLONG total) override {
        return Record(hwnd, std::to_string(done) + " of " + std::to_string(total));
    }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return E_NOTIMPL; }
};

// Run by scripts/wine-test.sh --winver winxp, the program is a copy named so.
bool RunsAsWindowsXp() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path).find("-winxp.exe") != std::string::npos;
}

using TaskbarProgress = ConversionTest;

// A batch with a failure ends in the error state; the next, without, leaves it and ends with the
// button as it was before any batch.
TEST_F(TaskbarProgress, FollowsTheBatchAndShowsFailuresFromWindows7On) {
    ScopedGeneration control(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\good.awd", 1, 1);
    WriteFaxFixture(fax + "\\dispfail.awd", 1, 2);
    TaskbarRecorder recorder;
    DWORD cookie = 0;
    ASSERT_EQ(::CoRegisterClassObject(kTaskbarList, static_cast<IClassFactory*>(&recorder),
                                      CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    const ScopedUndo revoke([cookie] { ::CoRevokeClassObject(cookie); });
    const auto buttonCreated = [&](HWND dialog) {
        recorder.window = dialog;
        ::SendMessageA(dialog, ::RegisterWindowMessageA("TaskbarButtonCreated"), 0, 0);
    };
    const auto withoutTheFailure = [](HWND dialog) {
        Tick(dialog, RowOf(dialog, "dispfail.awd"), false);
        EXPECT_TRUE(RunBatch(dialog));
    };
    ConvertFolder(fax, nullptr, withoutTheFailure, buttonCreated);
    const std::vector<std::string> batches{"init",    "state 2", "0 of 2", "1 of 2", "2 of 2", "state 4",
                                           "state 2", "0 of 2",  "1 of 2", "2 of 2", "state 0"};
    EXPECT_EQ(recorder.calls, RunsAsWindowsXp() ? std::vector<std::string>{} : batches);
}
} // namespace
