// CResultChannel: how work done on other threads reaches a window. A worker delivers a result, which
// the channel keeps, and the window is told with a posted message; the window thread takes the
// results when that message comes. Once the window has let go, what was kept and whatever is
// delivered later is dropped, so that nothing reaches a window or object that is gone. Shared by
// the window and its workers (std::shared_ptr): whichever side lets go last frees it.
#pragma once

#include "framework/critical_section.h"

#include <utility>
#include <vector>

template <class Result> class CResultChannel {
public:
    CResultChannel(HWND window, UINT message) : m_window(window), m_message(message) {}
    CResultChannel(const CResultChannel&) = delete;
    CResultChannel& operator=(const CResultChannel&) = delete;

    // Any thread. A result the window will never take is destroyed here, on the delivering thread.
    void Deliver(Result result) {
        CLock hold(m_lock);
        if (!m_window)
            return;
        m_results.push_back(std::move(result));
        ::PostMessageA(m_window, m_message, 0, 0);
    }
    // Window thread: what has arrived, oldest first.
    std::vector<Result> TakeAll() {
        CLock hold(m_lock);
        return std::exchange(m_results, {});
    }
    // Window thread, when the window goes.
    void Close() {
        std::vector<Result> dropped;
        CLock hold(m_lock);
        m_window = nullptr;
        dropped.swap(m_results);
    }

private:
    CCriticalSection m_lock;
    HWND m_window;
    const UINT m_message;
    std::vector<Result> m_results;
};
