// A batch's stop request: set on the window thread when Stop is pressed or the window closes, looked
// at by the worker between files and waited on, beside their own objects, by the waits of the file
// in hand.
#pragma once

#include "framework/handle.h"

#include <windows.h>

#include <atomic>

// How long the file in hand may still take once the stop is asked for: a renderer that has not
// finished by then is ended, and the file fails.
constexpr DWORD kStopGraceMs = 5000;

class StopRequest {
public:
    StopRequest() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    // False when the event could not be made: such a request could not be waited on.
    bool IsUsable() const { return static_cast<bool>(m_event); }
    // Any thread. The first call starts the grace.
    void Set() {
        if (!m_set.exchange(true)) {
            m_setAt = ::GetTickCount();
            ::SetEvent(m_event.Get());
        }
    }
    bool IsSet() const { return m_set; }
    // Signalled once the stop is asked for.
    HANDLE Event() const { return m_event.Get(); }
    // What is left of the grace; INFINITE while no stop is asked for.
    DWORD GraceLeft() const {
        // The event is set after the time is written.
        if (::WaitForSingleObject(m_event.Get(), 0) != WAIT_OBJECT_0)
            return INFINITE;
        const DWORD spent = ::GetTickCount() - m_setAt;
        return spent < kStopGraceMs ? kStopGraceMs - spent : 0;
    }

private:
    CHandle m_event;
    std::atomic<bool> m_set{false};
    std::atomic<DWORD> m_setAt{0};
};
