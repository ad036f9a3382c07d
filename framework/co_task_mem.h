// CCoTaskMem: a block from the COM task allocator (an identifier list the shell returned, a
// string a COM call allocated), freed with CoTaskMemFree by the owner. Move-only.
#pragma once

#include <objbase.h>

#include <utility>

template <class T> class CCoTaskMem {
public:
    CCoTaskMem() = default;
    explicit CCoTaskMem(T* block) : m_p(block) {}
    ~CCoTaskMem() { Free(); }
    CCoTaskMem(const CCoTaskMem&) = delete;
    CCoTaskMem& operator=(const CCoTaskMem&) = delete;
    CCoTaskMem(CCoTaskMem&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CCoTaskMem& operator=(CCoTaskMem&& other) noexcept {
        if (this != &other) {
            Free();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }

    void Free() {
        if (m_p)
            ::CoTaskMemFree(const_cast<void*>(static_cast<const void*>(std::exchange(m_p, nullptr))));
    }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
