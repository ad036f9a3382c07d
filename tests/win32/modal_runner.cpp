#include "win32/modal_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {
// The live timers by their identifiers, on one message-only window of the thread.
std::map<UINT_PTR, std::function<void()>*> g_timers;
UINT_PTR g_lastTimer = 0;

LRESULT CALLBACK TimerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER)
        return ::DefWindowProcA(window, message, wParam, lParam);
    const auto timer = g_timers.find(wParam);
    if (timer != g_timers.end())
        (*timer->second)();
    return 0;
}

HWND TimerWindow() {
    static const HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TimerProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarnvelTestTimers";
        ::RegisterClassA(&windowClass);
        return ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
    }();
    return window;
}

// What a dialog's modal loop does with a message.
void Deliver(MSG& msg) {
    for (HWND window = msg.hwnd; window; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object && object->PreTranslateMessage(&msg))
            return;
        if (HasClass(window, "#32770")) {
            if (::IsDialogMessageA(window, &msg))
                return;
            break;
        }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

// Delivers what is queued until the queue is empty or `ms` have passed since `start`. A WM_QUIT
// is put back for the loop that owns it; false then.
bool Drain(DWORD start, DWORD ms) {
    MSG msg;
    while (::GetTickCount() - start <= ms && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        Deliver(msg);
    }
    return true;
}

struct WindowSearch {
    const char* name;
    const std::function<bool(HWND)>& accept;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    if (!HasClass(window, search.name) || (search.accept && !search.accept(window)))
        return TRUE;
    search.found = window;
    return FALSE;
}
} // namespace

LoopTimer::LoopTimer(UINT ms, std::function<void()> tick) : m_tick(std::move(tick)), m_id(++g_lastTimer) {
    g_timers[m_id] = &m_tick;
    ::SetTimer(TimerWindow(), m_id, ms, nullptr);
}

void LoopTimer::Stop() {
    if (g_timers.erase(m_id))
        ::KillTimer(TimerWindow(), m_id);
}

INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& body, UINT timeoutMs) {
    bool ran = false;
    bool timedOut = false;
    LoopTimer start(50, [&] {
        start.Stop();
        ran = true;
        body(dialog);
    });
    LoopTimer limit(timeoutMs, [&] {
        limit.Stop();
        timedOut = true;
        dialog.EndDialog(static_cast<int>(kTimedOut));
    });
    const INT_PTR result = dialog.DoModal();
    if (!ran)
        ADD_FAILURE() << "the test body never ran inside the dialog (DoModal returned " << result << ")";
    if (timedOut)
        ADD_FAILURE() << "the dialog was still open after " << timeoutMs << " ms";
    return result;
}

void PostKey(HWND target, WPARAM key) {
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

bool Serve(DWORD ms, const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        // A window that keeps posting must not hold the serving beyond its bound.
        if (!Drain(start, std::max<DWORD>(ms, 100)))
            return false;
        if (done && done())
            return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - elapsed, 20), QS_ALLINPUT);
    }
}

void PumpMessages(DWORD ms) {
    Drain(::GetTickCount(), ms);
}

bool HasClass(HWND window, const char* name) {
    char found[64] = "";
    ::GetClassNameA(window, found, sizeof(found));
    return ::lstrcmpiA(found, name) == 0;
}

HWND FindWindowOf(const char* name, const std::function<bool(HWND)>& accept, HWND parent) {
    WindowSearch search{name, accept, nullptr};
    if (parent)
        ::EnumChildWindows(parent, &Visit, reinterpret_cast<LPARAM>(&search));
    else
        ::EnumThreadWindows(::GetCurrentThreadId(), &Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
