// CIcon: owns one icon or cursor that is ours to destroy (a CopyIcon copy, an icon the shell
// handed over); not for shared ones from LoadIcon or LoadCursor. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CIcon {
public:
    CIcon() = default;
    explicit CIcon(HICON icon) : m_h(icon) {}
    ~CIcon() { Destroy(); }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    CIcon(CIcon&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CIcon& operator=(CIcon&& other) noexcept {
        if (this != &other) {
            Destroy();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    void Attach(HICON icon) {
        Destroy();
        m_h = icon;
    }
    void Destroy() {
        if (m_h)
            ::DestroyIcon(std::exchange(m_h, nullptr));
    }
    HICON Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HICON m_h = nullptr;
};
