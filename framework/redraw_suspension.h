// CRedrawSuspension: a window does not paint while the object lives (WM_SETREDRAW FALSE); at its
// end painting is allowed again and the whole window invalidated (its background erased too,
// unless `erase` is FALSE), so that the changes made meanwhile show in one repaint. Many changes
// to a list or tree cost far less this way than with a repaint each. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CRedrawSuspension {
public:
    explicit CRedrawSuspension(HWND hWnd, BOOL erase = TRUE) : m_hWnd(hWnd), m_bErase(erase) {
        if (m_hWnd)
            ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawSuspension() {
        if (!m_hWnd)
            return;
        ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_hWnd, nullptr, m_bErase);
    }
    CRedrawSuspension(const CRedrawSuspension&) = delete;
    CRedrawSuspension& operator=(const CRedrawSuspension&) = delete;
    CRedrawSuspension(CRedrawSuspension&& other) noexcept
        : m_hWnd(std::exchange(other.m_hWnd, nullptr)), m_bErase(other.m_bErase) {}
    CRedrawSuspension& operator=(CRedrawSuspension&&) = delete;

private:
    HWND m_hWnd;
    BOOL m_bErase;
};
