// Device-context scopes: a window's client DC (CClientDC; the screen's for a null window), a
// window's paint context (PaintContext) and an object selected into a DC for a while
// (CSelectObject). Each gives back what it took when it goes. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::GetDC(hWnd)) {}
    ~CClientDC() {
        if (m_dc)
            ::ReleaseDC(m_hWnd, m_dc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    CClientDC(CClientDC&& other) noexcept : m_hWnd(other.m_hWnd), m_dc(std::exchange(other.m_dc, nullptr)) {}
    CClientDC& operator=(CClientDC&&) = delete;

    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

private:
    HWND m_hWnd;
    HDC m_dc;
};

// BeginPaint and EndPaint as one scope.
class PaintContext {
public:
    explicit PaintContext(HWND hWnd) : m_hWnd(hWnd), m_dc(::BeginPaint(hWnd, &m_ps)) {}
    ~PaintContext() {
        if (m_hWnd)
            ::EndPaint(m_hWnd, &m_ps);
    }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;
    PaintContext(PaintContext&& other) noexcept
        : m_hWnd(std::exchange(other.m_hWnd, nullptr)), m_ps(other.m_ps), m_dc(other.m_dc) {}
    PaintContext& operator=(PaintContext&&) = delete;

    HDC dc() const { return m_dc; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// Selects `object` into `dc` (nothing when either is null) and the previous one back at the end.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_previous)
            ::SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    CSelectObject(CSelectObject&& other) noexcept
        : m_dc(other.m_dc), m_previous(std::exchange(other.m_previous, nullptr)) {}
    CSelectObject& operator=(CSelectObject&&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
