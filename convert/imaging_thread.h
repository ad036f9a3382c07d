// ImagingThread: the imaging control on a thread of its own. A real control takes a second or
// more per document on the PCs it runs on; made and called on the window thread it would hold the
// window that long. Its thread initialises OLE (a single-threaded apartment), hosts the control in
// place in a hidden top-level window of its own (a child of the dialog would join the two
// threads' input and hold the window all the same), runs a message loop, and makes every call to
// the control, which it also closes and releases. The worker hands it one document at a time.
#pragma once

#include "convert/conversion_result.h"
#include "convert/stop_request.h"
#include "framework/cstring.h"
#include "framework/cstring_w.h"
#include "framework/handle.h"

#include <windows.h>

#include <atomic>
#include <memory>

// Run on the control's thread right after OLE is initialised there, before the control is made;
// null in the program. A class object another thread registered with COM is not seen from that
// apartment: the tests register their stand-in control through this.
extern void (*g_imagingApartmentReady)();

// One document for the control: made by the worker, served on the control's thread. Whichever
// side lets go last frees it, since a call the worker has given up on may still end and write here.
struct RenderRequest {
    RenderRequest(const wchar_t* sourcePath, const wchar_t* targetPath)
        : source(sourcePath), target(targetPath), done(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    const CStringW source;
    const CStringW target;
    CHandle done; // set once the three members below are written
    int result = kControlCallFailed;
    HRESULT error = E_UNEXPECTED;
    CString description; // the control's own words of a failed call
    unsigned number = 0; // given by Post
};

class ImagingThread {
public:
    // Starts the thread, which makes the control with child id `id` at `place` (pixels) in its
    // hidden window. Held by the window, the thread itself and the renderers it serves.
    static std::shared_ptr<ImagingThread> Start(const RECT& place, UINT id);
    // Window thread, before a batch: `thread` as the batch is to render with it. A thread that
    // has ended, or is still in a call given up on, gives way to a new one (a new apartment, a
    // control of its own), and ends once that call returns. Not a control that COM makes only in
    // the process's first apartment: a new thread's would be made in the stuck one, and wait with
    // it. That thread stays, and fails each file at once until its call returns.
    static void Renew(std::shared_ptr<ImagingThread>& thread, const RECT& place, UINT id);
    ImagingThread(const ImagingThread&) = delete;
    ImagingThread& operator=(const ImagingThread&) = delete;

    // Window thread, at start-up: waits until the thread has initialised OLE, so that its
    // apartment is the process's first, where COM makes a control registered without a threading
    // model (else it would live on the window thread, and every call hold the window).
    void WaitApartment() const;
    // What making the control reported (S_OK, or why it is missing) once the thread knows;
    // E_ABORT when `stop` is set first.
    HRESULT WaitCreated(const StopRequest& stop) const;
    // Worker: hands `request` to the thread; false when it cannot take it.
    bool Post(const std::shared_ptr<RenderRequest>& request);
    // Signalled once the thread has ended.
    HANDLE Handle() const { return m_thread.Get(); }
    // Worker: a call it stopped waiting for, which may never return.
    void Abandon(const RenderRequest& request) { m_abandoned = request.number; }
    // Still in a call given up on.
    bool Stuck() const { return m_served < m_abandoned; }
    // Window thread, as the window goes (or the thread gives way): the control is to be closed
    // and released, and OLE uninitialised, on the control's thread, which then ends. Does not wait.
    void RequestEnd() { ::SetEvent(m_end.Get()); }
    // Once the window is gone: waits for the thread's end for the grace, or not at all while it is
    // stuck; false when the thread is left behind, still in a call of the control. It keeps what
    // it shares then, and the process ends with it.
    bool WaitEnded() const;

private:
    ImagingThread(const RECT& place, UINT id);
    static unsigned __stdcall Main(void* param);
    void Run();
    bool Ended() const;

    const RECT m_place;
    const UINT m_id;
    CHandle m_apartment; // manual-reset: OLE is initialised on the thread (or failed)
    CHandle m_created;   // manual-reset: m_creation, m_host and m_firstApartmentOnly are written
    CHandle m_end;       // manual-reset: RequestEnd
    CHandle m_thread;    // none when the thread or one of its events could not be made
    HRESULT m_creation = E_UNEXPECTED;
    HWND m_host = nullptr; // the hidden window that takes the requests
    std::atomic<bool> m_firstApartmentOnly{false};
    // Requests are numbered as they are posted, and served one at a time in that order. The last
    // one served (written by the control's thread before its `done`) and the last one given up on
    // (by the worker): the thread is stuck while the first is behind the second.
    std::atomic<unsigned> m_posted{0};
    std::atomic<unsigned> m_served{0};
    std::atomic<unsigned> m_abandoned{0};
};
