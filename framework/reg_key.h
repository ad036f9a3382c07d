// CRegKey: an open registry key, closed with the owner. Move-only.
#pragma once

#include <windows.h>

#include <utility>

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    CRegKey(CRegKey&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CRegKey& operator=(CRegKey&& other) noexcept {
        if (this != &other) {
            Close();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    // ERROR_SUCCESS or the registry's error code; what was open before is closed either way.
    LONG Open(HKEY root, const char* subkey, REGSAM access) {
        Close();
        HKEY key = nullptr;
        const LONG result = ::RegOpenKeyExA(root, subkey, 0, access, &key);
        if (result == ERROR_SUCCESS)
            m_h = key;
        return result;
    }
    void Close() {
        if (m_h)
            ::RegCloseKey(std::exchange(m_h, nullptr));
    }
    HKEY Get() const { return m_h; }

private:
    HKEY m_h = nullptr;
};
