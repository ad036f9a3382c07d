// CModule: a library loaded by LoadLibraryA, freed with the owner. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CModule {
public:
    CModule() = default;
    explicit CModule(const char* path) : m_h(::LoadLibraryA(path)) {}
    ~CModule() { Free(); }
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;
    CModule(CModule&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CModule& operator=(CModule&& other) noexcept {
        if (this != &other) {
            Free();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    void Free() {
        if (m_h)
            ::FreeLibrary(std::exchange(m_h, nullptr));
    }
    HMODULE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HMODULE m_h = nullptr;
};
