// CFont: owns one GDI font; deleted with the object. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    CFont(CFont&& other) noexcept : m_hFont(std::exchange(other.m_hFont, nullptr)) {}
    CFont& operator=(CFont&& other) noexcept {
        if (this != &other) {
            DeleteObject();
            m_hFont = std::exchange(other.m_hFont, nullptr);
        }
        return *this;
    }

    BOOL CreateFontIndirect(const LOGFONTA* logFont) {
        DeleteObject();
        m_hFont = ::CreateFontIndirectA(logFont);
        return m_hFont != nullptr;
    }
    BOOL DeleteObject() {
        if (!m_hFont)
            return FALSE;
        ::DeleteObject(m_hFont);
        m_hFont = nullptr;
        return TRUE;
    }
    HFONT GetSafeHandle() const { return m_hFont; }
    operator HFONT() const { return m_hFont; }

private:
    HFONT m_hFont = nullptr;
};
