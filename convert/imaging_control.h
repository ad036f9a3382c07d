// The hosted imaging control as a renderer. The control belongs to the window thread, and a
// control that talks to other apartments or processes cannot do so inside a message sent from
// another thread: so the worker posts its request to a window of this renderer and waits, and
// the window thread makes the three calls from its own message loop.
#pragma once

#include "convert/renderer.h"
#include "framework/handle.h"
#include "framework/wnd.h"

class ImagingControl : public Renderer {
public:
    // Window thread; `control` outlives the renderer. IsReady() tells whether it could be set up.
    explicit ImagingControl(CImgEdit& control);
    bool IsReady() const { return m_requested && m_done && m_windowThread && m_window.m_hWnd; }

    // The calls cannot be cut short, so a stop does not end them; the wait for them ends when they
    // are done or the window thread is gone.
    int Render(const char* source, const char* target, const StopRequest& stop,
               ConversionOutcome& outcome) override;
    HANDLE RequestEvent() const override { return m_requested.Get(); }
    void ServeRequest() override;

private:
    // A hidden window that only receives the worker's requests: posted to the window thread's
    // queue, they run in whatever message loop that thread is in, ours or a common dialog's.
    class RequestWindow : public CWnd {
    public:
        explicit RequestWindow(ImagingControl& owner) : m_owner(owner) {}

    protected:
        const MessageMap* GetMessageMap() const override;

    private:
        LRESULT OnRequest(WPARAM, LPARAM);
        ImagingControl& m_owner;
    };

    CImgEdit& m_control;
    CHandle m_requested; // auto-reset: a request waits for the window thread
    CHandle m_done;      // auto-reset: the window thread has served it
    CHandle m_windowThread;
    RequestWindow m_window{*this};
    // The request in hand: written by the worker before it sets m_requested, and by the window
    // thread before it sets m_done.
    const char* m_source = nullptr;
    const char* m_target = nullptr;
    ConversionOutcome* m_outcome = nullptr;
    int m_result = kConverted;
};
