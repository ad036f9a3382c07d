#include "tiffcopy/transfer_buffers.h"

#include <cstdlib>

namespace {
// A routine holds at most three buffers at once (image, reader's and writer's).
constexpr int kSlots = 4;
uint8_t* g_buffers[kSlots] = {};
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
    for (uint8_t*& slot : g_buffers) {
        if (slot == nullptr) {
            slot = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(size), 1));
            return slot;
        }
    }
    return nullptr;
}

void ReleaseBuffer(uint8_t* buffer) {
    if (buffer == nullptr)
        return;
    for (uint8_t*& slot : g_buffers) {
        if (slot == buffer) {
            std::free(slot);
            slot = nullptr;
            return;
        }
    }
}

void ReleaseDirectoryBuffers() {
    for (uint8_t*& slot : g_buffers) {
        std::free(slot);
        slot = nullptr;
    }
}
