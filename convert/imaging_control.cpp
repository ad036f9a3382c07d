#include "convert/imaging_control.h"

#include "convert/img_edit.h"
#include "framework/ole_variant.h"

namespace {
// Posted to the request window: the worker's request waits (the details are in the renderer).
constexpr UINT WM_RENDER_REQUEST = WM_APP + 30;

// A real handle of the calling thread, which other threads can wait on.
HANDLE CurrentThread() {
    HANDLE thread = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread, 0,
                           FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    return thread;
}
} // namespace

ImagingControl::ImagingControl(CImgEdit& control)
    : m_control(control), m_requested(::CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_done(::CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_windowThread(CurrentThread()) {
    const RECT nowhere{0, 0, 0, 0};
    m_window.CreateEx(0, "STATIC", "", WS_POPUP, nowhere, nullptr, 0);
}

int ImagingControl::Render(const char* source, const char* target, const StopRequest&,
                           ConversionOutcome& outcome) {
    m_source = source;
    m_target = target;
    m_outcome = &outcome;
    m_result = kControlCallFailed;
    ::SetEvent(m_requested.Get());
    // When the post fails and the window thread has not taken the request meanwhile, nobody will.
    if (!m_window.PostMessage(WM_RENDER_REQUEST) &&
        ::WaitForSingleObject(m_requested.Get(), 0) == WAIT_OBJECT_0)
        return kControlCallFailed;
    const HANDLE waits[] = {m_done.Get(), m_windowThread.Get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0)
        return m_result;
    // The window thread is gone: a request it never took is taken back.
    ::WaitForSingleObject(m_requested.Get(), 0);
    return kControlCallFailed;
}

void ImagingControl::ServeRequest() {
    CString& description = m_outcome->description;
    HRESULT hr = m_control.SetDocumentPath(m_source, &description);
    if (SUCCEEDED(hr))
        hr = m_control.ShowDocument(&description);
    if (SUCCEEDED(hr)) {
        const COleVariant one(short{1}, VT_I2);
        const COleVariant two(short{2}, VT_I2);
        const COleVariant group4(21L, VT_I4);
        const COleVariant omitted(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
        hr = m_control.SaveDocumentAs(m_target, one, one, two, group4, omitted, &description);
    }
    m_result = SUCCEEDED(hr) ? kConverted : kControlCallFailed;
    m_outcome->error = hr;
    ::SetEvent(m_done.Get());
}

const MessageMap* ImagingControl::RequestWindow::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::Message<&RequestWindow::OnRequest>(WM_RENDER_REQUEST),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

LRESULT ImagingControl::RequestWindow::OnRequest(WPARAM, LPARAM) {
    // A closing window thread may have served the request already (Renderer::RequestEvent).
    if (::WaitForSingleObject(m_owner.m_requested.Get(), 0) == WAIT_OBJECT_0)
        m_owner.ServeRequest();
    return 0;
}
