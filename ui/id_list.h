// Item identifier lists in the shell's published layout: a run of SHITEMID elements, each starting
// with its 16-bit byte count (the count itself included), ended by a 16-bit zero.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <utility>

// The bytes of all elements, without the terminator; 0 for a null or empty list.
UINT GetIdListSize(LPCITEMIDLIST list);
// A new list holding the elements of `first`, then those of `second`, allocated with `malloc`.
// Null when both are empty or the allocation fails.
LPITEMIDLIST ConcatIdLists(IMalloc* malloc, LPCITEMIDLIST first, LPCITEMIDLIST second);
// The last element (with the terminator behind it, a one-element relative list); the list
// itself when it is empty.
LPCITEMIDLIST GetLastItemId(LPCITEMIDLIST list);

// Owns one identifier list and frees it with the allocator it came from (which it does not own).
// Move-only.
class CIdList {
public:
    CIdList() = default;
    CIdList(IMalloc* malloc, LPITEMIDLIST list) : m_pMalloc(malloc), m_pidl(list) {}
    ~CIdList() { Free(); }
    CIdList(const CIdList&) = delete;
    CIdList& operator=(const CIdList&) = delete;
    CIdList(CIdList&& other) noexcept
        : m_pMalloc(other.m_pMalloc), m_pidl(std::exchange(other.m_pidl, nullptr)) {}
    CIdList& operator=(CIdList&& other) noexcept {
        if (this != &other) {
            Free();
            m_pMalloc = other.m_pMalloc;
            m_pidl = std::exchange(other.m_pidl, nullptr);
        }
        return *this;
    }

    LPITEMIDLIST Get() const { return m_pidl; }
    explicit operator bool() const { return m_pidl != nullptr; }
    // Hands the list to a new owner (a tree item).
    LPITEMIDLIST Detach() { return std::exchange(m_pidl, nullptr); }
    void Free() {
        if (m_pidl && m_pMalloc)
            m_pMalloc->Free(m_pidl);
        m_pidl = nullptr;
    }

private:
    IMalloc* m_pMalloc = nullptr;
    LPITEMIDLIST m_pidl = nullptr;
};
