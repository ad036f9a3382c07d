// CComPtr: owns one reference to a COM interface and releases it with the object. Move-only.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T> class CComPtr {
public:
    CComPtr() = default;
    // Takes over a reference the caller already holds (as an out-parameter gave it).
    explicit CComPtr(T* p) : m_p(p) {}
    ~CComPtr() { Release(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr&& other) noexcept {
        if (this != &other) {
            Release();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }

    void Release() {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
    }
    // A new reference of the same object, for a second owner.
    CComPtr Copy() const {
        if (m_p)
            m_p->AddRef();
        return CComPtr(m_p);
    }
    // Releases what is held and gives the address for an out-parameter.
    T** Receive() {
        Release();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
