// GDI owners: CGdiObject deletes its object (brush, font, pen, bitmap) with the owner; CBrush
// and CFont add their way of being made. Move-only.
#pragma once

#include <windows.h>

#include <utility>

template <class H> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H object) : m_h(object) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            DeleteObject();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    // Takes `object` over, deleting what was held.
    void Attach(H object) {
        DeleteObject();
        m_h = object;
    }
    BOOL DeleteObject() {
        if (!m_h)
            return FALSE;
        ::DeleteObject(std::exchange(m_h, nullptr));
        return TRUE;
    }
    H GetSafeHandle() const { return m_h; }
    operator H() const { return m_h; }

private:
    H m_h = nullptr;
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    BOOL CreateSolidBrush(COLORREF colour) {
        Attach(::CreateSolidBrush(colour));
        return GetSafeHandle() != nullptr;
    }
};

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTA* logFont) {
        Attach(::CreateFontIndirectA(logFont));
        return GetSafeHandle() != nullptr;
    }
};
