// COwner: owns one system resource of type T and gives it back with Release when the owner goes.
// Move-only, so that nothing is released twice. The program's kinds are named below.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <utility>

template <class T, auto Release> class COwner {
public:
    COwner() = default;
    explicit COwner(T owned) : m_h(owned) {}
    ~COwner() { Reset(); }
    COwner(const COwner&) = delete;
    COwner& operator=(const COwner&) = delete;
    COwner(COwner&& other) noexcept : m_h(std::exchange(other.m_h, T{})) {}
    COwner& operator=(COwner&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.m_h, T{}));
        return *this;
    }

    // Gives back what is held and takes `owned` instead.
    void Reset(T owned = T{}) {
        if (m_h)
            Release(m_h);
        m_h = owned;
    }
    T Get() const { return m_h; }
    explicit operator bool() const { return m_h != T{}; }

private:
    T m_h{};
};

inline void FreeTaskMemory(const void* block) {
    ::CoTaskMemFree(const_cast<void*>(block));
}

// A kernel handle (thread, process, event, mutex); INVALID_HANDLE_VALUE is taken as none.
class CHandle : public COwner<HANDLE, ::CloseHandle> {
public:
    CHandle() = default;
    explicit CHandle(HANDLE handle) : COwner(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};
// A library loaded by LoadLibraryA.
class CModule : public COwner<HMODULE, ::FreeLibrary> {
public:
    CModule() = default;
    explicit CModule(const char* path) : COwner(::LoadLibraryA(path)) {}
};
// An icon or cursor that is ours to destroy (a CopyIcon copy, an icon the shell handed over); not
// for shared ones from LoadIcon or LoadCursor.
using CIcon = COwner<HICON, ::DestroyIcon>;
// A block from the COM task allocator (an identifier list the shell returned).
template <class T> using CCoTaskMem = COwner<T*, FreeTaskMemory>;
