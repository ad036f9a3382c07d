// The batch on the taskbar button, from Windows 7 on and never on XP (this program's copy run as XP):
// a stand-in for the shell's taskbar object, registered in this thread's apartment, records what
// the window asks of it once the shell has said the button exists.
#include "win32/convert/conversion_fixture.h"

#include <shobjidl.h>

#include <algorithm>
#include <cstring>

namespace {
const CLSID kTaskbarList = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
// The stand-in's two objects as tables of their interfaces' slots: the class object's, and
// ITaskbarList3's up to SetProgressState, the last the window calls (those it never calls stay empty).
struct StandIn {
    static inline std::vector<std::string> calls;
    static inline HWND window = nullptr;
    static HRESULT Record(HWND to, const std::string& call) {
        calls.push_back(to == window ? call : "another window: " + call);
        return S_OK;
    }
    static HRESULT STDMETHODCALLTYPE Query(void* self, REFIID, void** object) {
        *object = self;
        return S_OK;
    }
    static ULONG STDMETHODCALLTYPE Count(void*) { return 1; }
    static HRESULT STDMETHODCALLTYPE Lock(void*, BOOL) { return S_OK; }
    static HRESULT STDMETHODCALLTYPE Create(void*, IUnknown*, REFIID, void** object) {
        return Query(&taskbar, IID_IUnknown, object);
    }
    static HRESULT STDMETHODCALLTYPE Init(void*) { return Record(window, "init"); }
    static HRESULT STDMETHODCALLTYPE Value(void*, HWND to, ULONGLONG done, ULONGLONG total) {
        return Record(to, std::to_string(done) + " of " + std::to_string(total));
    }
    static HRESULT STDMETHODCALLTYPE State(void*, HWND to, TBPFLAG state) {
        return Record(to, "state " + std::to_string(state));
    }
    template <class F> static const void* Slot(F f) { return reinterpret_cast<const void*>(f); }
    static inline const void* const taskbarSlots[] = {Slot(&Query), Slot(&Count), Slot(&Count), Slot(&Init),
                                                      nullptr,      nullptr,      nullptr,      nullptr,
                                                      nullptr,      Slot(&Value), Slot(&State)};
    static inline const void* const factorySlots[] = {Slot(&Query), Slot(&Count), Slot(&Count), Slot(&Create),
                                                      Slot(&Lock)};
    static inline const void* const* taskbar = taskbarSlots;
    static inline const void* const* factory = factorySlots;
};

using TaskbarProgress = ConversionTest;

// A batch with a failure ends in the error state, which the next batch leaves.
TEST_F(TaskbarProgress, FollowsTheBatchAndShowsFailuresFromWindows7On) {
    ScopedGeneration control(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\good.awd", 1, 1);
    WriteFaxFixture(fax + "\\dispfail.awd", 1, 2);
    DWORD cookie = 0;
    ASSERT_EQ(::CoRegisterClassObject(kTaskbarList, reinterpret_cast<IUnknown*>(&StandIn::factory),
                                      CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    const ScopedUndo revoke([cookie] { ::CoRevokeClassObject(cookie); });
    const auto withoutTheFailure = [](HWND dialog) {
        Tick(dialog, RowOf(dialog, "dispfail.awd"), false);
        EXPECT_TRUE(RunBatch(dialog));
    };
    ConvertFolder(fax, nullptr, withoutTheFailure, [](HWND dialog) {
        StandIn::window = dialog;
        ::SendMessageA(dialog, ::RegisterWindowMessageA("TaskbarButtonCreated"), 0, 0);
    });
    char program[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    const bool xp = std::strstr(program, "-winxp.exe") != nullptr; // scripts/wine-test.sh --winver winxp
    // Steps within a tenth of a second show together: the one between may or may not be seen.
    auto& calls = StandIn::calls;
    calls.erase(std::remove(calls.begin(), calls.end(), "1 of 2"), calls.end());
    const std::vector<std::string> shown{"init",    "state 2", "0 of 2", "2 of 2", "state 4",
                                         "state 2", "0 of 2",  "2 of 2", "state 0"};
    EXPECT_EQ(calls, xp ? std::vector<std::string>{} : shown);
}
} // namespace
