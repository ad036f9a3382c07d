#include "convert/imaging_thread.h"

#include "convert/img_edit.h"
#include "framework/message_wait.h"
#include "framework/ole_variant.h"
#include "framework/reg_key.h"
#include "framework/wnd.h"

#include <ole2.h>
#include <process.h>

#include <cstdio>

void (*g_imagingApartmentReady)() = nullptr;

namespace {
// Posted to the hidden window: lParam a heap copy of the worker's std::shared_ptr<RenderRequest>,
// which the window takes over.
constexpr UINT WM_RENDER_REQUEST = WM_APP + 30;
// How long start-up waits for the thread's OLE: loading it from a slow disk takes a second or two.
constexpr DWORD kApartmentMs = 5000;

// The control's parent, which takes the worker's requests. Posted to a window rather than to the
// thread, they are served by whatever loop the thread is in, ours or one the control runs.
class RequestWindow : public CWnd {
public:
    RequestWindow(CImgEdit& control, std::atomic<unsigned>& served) : m_control(control), m_served(served) {}

protected:
    const MessageMap* GetMessageMap() const override;

private:
    LRESULT OnRequest(WPARAM, LPARAM posted);
    CImgEdit& m_control;
    std::atomic<unsigned>& m_served;
};

const MessageMap* RequestWindow::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::Message<&RequestWindow::OnRequest>(WM_RENDER_REQUEST),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

LRESULT RequestWindow::OnRequest(WPARAM, LPARAM posted) {
    const std::unique_ptr<std::shared_ptr<RenderRequest>> held(
        reinterpret_cast<std::shared_ptr<RenderRequest>*>(posted));
    RenderRequest& request = **held;
    CString& description = request.description;
    HRESULT hr = m_control.SetDocumentPath(request.source, &description);
    if (SUCCEEDED(hr))
        hr = m_control.ShowDocument(&description);
    if (SUCCEEDED(hr)) {
        const COleVariant one(short{1}, VT_I2);
        const COleVariant two(short{2}, VT_I2);
        const COleVariant group4(21L, VT_I4);
        const COleVariant omitted(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
        hr = m_control.SaveDocumentAs(request.target, one, one, two, group4, omitted, &description);
    }
    request.result = SUCCEEDED(hr) ? kConverted : kControlCallFailed;
    request.error = hr;
    m_served = request.number;
    ::SetEvent(request.done.Get());
    return 0;
}

// Serves the thread's messages, the worker's requests among them, until `end` is set.
void ServeUntil(HANDLE end) {
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (::MsgWaitForMultipleObjects(1, &end, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1)
            return;
    }
}

// COM makes a control in the apartment that asks for it only when its registration names a
// threading model that allows it; one without (or "Single") lives in the process's first apartment.
bool LivesInFirstApartment(const CLSID& clsid) {
    char key[80];
    std::snprintf(
        key, sizeof(key), "CLSID\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}\\InprocServer32",
        static_cast<unsigned long>(clsid.Data1), clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1],
        clsid.Data4[2], clsid.Data4[3], clsid.Data4[4], clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    CRegKey server;
    if (server.Open(HKEY_CLASSES_ROOT, key, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return false; // made from a class object registered at run time, in the asking apartment
    char model[16] = "";
    DWORD size = sizeof(model) - 1;
    if (::RegQueryValueExA(server.Get(), "ThreadingModel", nullptr, nullptr, reinterpret_cast<BYTE*>(model),
                           &size) != ERROR_SUCCESS)
        return true;
    for (const char* known : {"apartment", "both", "free", "neutral"}) {
        const char* letter = model;
        const char* wanted = known;
        while (*wanted && (*letter | 0x20) == *wanted)
            ++letter, ++wanted;
        if (!*letter && !*wanted)
            return false;
    }
    return true;
}
} // namespace

ImagingThread::ImagingThread(const RECT& place, UINT id)
    : m_place(place), m_id(id), m_apartment(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_created(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_end(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

std::shared_ptr<ImagingThread> ImagingThread::Start(const RECT& place, UINT id) {
    std::shared_ptr<ImagingThread> imaging(new ImagingThread(place, id));
    // Without each of its events the thread could be neither waited for nor ended: none is started,
    // and whoever waits for it learns that at once.
    if (imaging->m_apartment && imaging->m_created && imaging->m_end) {
        auto* param = new std::shared_ptr<ImagingThread>(imaging);
        unsigned threadId = 0;
        imaging->m_thread =
            CHandle(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Main, param, 0, &threadId)));
        if (!imaging->m_thread)
            delete param;
    }
    if (!imaging->m_thread)
        imaging->m_creation = E_OUTOFMEMORY;
    return imaging;
}

void ImagingThread::Renew(std::shared_ptr<ImagingThread>& thread, const RECT& place, UINT id) {
    if (thread && !thread->Ended() && (!thread->Stuck() || thread->m_firstApartmentOnly))
        return;
    if (thread)
        thread->RequestEnd();
    thread = Start(place, id);
}

bool ImagingThread::Ended() const {
    return !m_thread || ::WaitForSingleObject(m_thread.Get(), 0) == WAIT_OBJECT_0;
}

unsigned __stdcall ImagingThread::Main(void* param) {
    // The thread's own hold, kept while it runs: one left behind in a call never meets freed memory.
    const std::unique_ptr<std::shared_ptr<ImagingThread>> self(
        static_cast<std::shared_ptr<ImagingThread>*>(param));
    (*self)->Run();
    return 0;
}

void ImagingThread::Run() {
    const HRESULT ole = ::OleInitialize(nullptr);
    ::SetEvent(m_apartment.Get());
    if (SUCCEEDED(ole) && g_imagingApartmentReady)
        g_imagingApartmentReady();
    m_firstApartmentOnly = LivesInFirstApartment(CLSID_ImgEdit);
    {
        CImgEdit control;
        RequestWindow host(control, m_served);
        HRESULT hr = ole;
        if (SUCCEEDED(hr) && !host.CreateEx(0, "STATIC", "", WS_POPUP, m_place, nullptr, 0))
            hr = E_FAIL;
        // Hidden: the control only renders documents.
        if (SUCCEEDED(hr) && !control.Create("ImgEdit", WS_CHILD, m_place, &host, m_id))
            hr = control.CreationResult();
        m_creation = hr;
        m_host = SUCCEEDED(hr) ? host.m_hWnd : nullptr;
        ::SetEvent(m_created.Get());
        if (SUCCEEDED(hr))
            ServeUntil(m_end.Get());
        control.DestroyControl();
        host.DestroyWindow();
    }
    if (SUCCEEDED(ole))
        ::OleUninitialize();
}

void ImagingThread::WaitApartment() const {
    const HANDLE waits[] = {m_apartment.Get(), m_thread.Get()};
    if (m_thread)
        WaitServingSent(2, waits, kApartmentMs);
}

HRESULT ImagingThread::WaitCreated(const StopRequest& stop) const {
    if (!m_thread)
        return m_creation;
    const HANDLE waits[] = {m_created.Get(), stop.Event()};
    return ::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 ? m_creation : E_ABORT;
}

bool ImagingThread::Post(const std::shared_ptr<RenderRequest>& request) {
    request->number = ++m_posted;
    auto* posted = new std::shared_ptr<RenderRequest>(request);
    if (::PostMessageA(m_host, WM_RENDER_REQUEST, 0, reinterpret_cast<LPARAM>(posted)))
        return true;
    delete posted;
    return false;
}

bool ImagingThread::WaitEnded() const {
    const HANDLE thread = m_thread.Get();
    return !thread || WaitServingSent(1, &thread, Stuck() ? 0 : kStopGraceMs) == WAIT_OBJECT_0;
}
