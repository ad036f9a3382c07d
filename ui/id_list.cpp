#include "ui/id_list.h"

#include <cstring>

namespace {
// Elements start at any byte offset, so their counts are read without assuming alignment.
USHORT ElementSize(const BYTE* element) {
    USHORT size;
    std::memcpy(&size, element, sizeof(size));
    return size;
}
} // namespace

UINT GetIdListSize(LPCITEMIDLIST list) {
    if (!list)
        return 0;
    UINT total = 0;
    const BYTE* element = reinterpret_cast<const BYTE*>(list);
    for (USHORT size = ElementSize(element); size != 0; size = ElementSize(element)) {
        total += size;
        element += size;
    }
    return total;
}

LPITEMIDLIST ConcatIdLists(IMalloc* malloc, LPCITEMIDLIST first, LPCITEMIDLIST second) {
    const UINT firstSize = GetIdListSize(first);
    const UINT secondSize = GetIdListSize(second);
    if (!malloc || firstSize + secondSize == 0)
        return nullptr;
    auto* block = static_cast<BYTE*>(malloc->Alloc(firstSize + secondSize + sizeof(USHORT)));
    if (!block)
        return nullptr;
    if (firstSize)
        std::memcpy(block, first, firstSize);
    if (secondSize)
        std::memcpy(block + firstSize, second, secondSize);
    std::memset(block + firstSize + secondSize, 0, sizeof(USHORT));
    return reinterpret_cast<LPITEMIDLIST>(block);
}

LPCITEMIDLIST GetLastItemId(LPCITEMIDLIST list) {
    if (!list)
        return nullptr;
    const BYTE* last = reinterpret_cast<const BYTE*>(list);
    USHORT size = ElementSize(last);
    if (size == 0)
        return list;
    for (USHORT next = ElementSize(last + size); next != 0; next = ElementSize(last + size)) {
        last += size;
        size = next;
    }
    return reinterpret_cast<LPCITEMIDLIST>(last);
}
