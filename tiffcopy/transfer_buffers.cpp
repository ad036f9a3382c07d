#include "tiffcopy/transfer_buffers.h"

#include <cstdlib>
#include <cstring>

namespace {
// A routine holds at most three buffers at once (image, reader's and writer's). Their memory
// is kept for the next directory of the same copy: a fresh multi-page allocation per page
// costs page faults that show in the copy time.
struct Slot {
    uint8_t* data = nullptr;
    uint64_t capacity = 0;
    bool inUse = false;
};
constexpr int kSlots = 4;
Slot g_slots[kSlots];

Slot* FreeSlotFor(uint64_t size) {
    Slot* fitting = nullptr;
    Slot* spare = nullptr;
    for (Slot& slot : g_slots) {
        if (slot.inUse)
            continue;
        if (slot.capacity >= size && (fitting == nullptr || slot.capacity < fitting->capacity))
            fitting = &slot;
        if (spare == nullptr || slot.capacity > spare->capacity)
            spare = &slot;
    }
    return fitting != nullptr ? fitting : spare;
}
} // namespace

uint64_t CheckedProduct(uint64_t a, uint64_t b) {
    if (a == 0 || b == 0)
        return 0;
    if (a > kMaxBufferSize / b)
        return 0;
    return a * b;
}

uint8_t* ObtainBuffer(uint64_t size) {
    if (size == 0 || size > kMaxBufferSize)
        return nullptr;
    Slot* slot = FreeSlotFor(size);
    if (slot == nullptr)
        return nullptr;
    if (slot->capacity >= size) {
        std::memset(slot->data, 0, static_cast<size_t>(size));
    } else {
        std::free(slot->data);
        slot->capacity = 0;
        slot->data = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(size), 1));
        if (slot->data == nullptr)
            return nullptr;
        slot->capacity = size;
    }
    slot->inUse = true;
    return slot->data;
}

void ReleaseBuffer(uint8_t* buffer) {
    for (Slot& slot : g_slots) {
        if (buffer != nullptr && slot.data == buffer)
            slot.inUse = false;
    }
}

void ReleaseDirectoryBuffers() {
    for (Slot& slot : g_slots)
        slot.inUse = false;
}

void FreeCopyBuffers() {
    for (Slot& slot : g_slots) {
        std::free(slot.data);
        slot = Slot();
    }
}
