// Buffers of one directory's image-data transfer. They are zeroed when obtained, so a failed
// read or the outside of an edge tile writes zeros rather than stale memory, and their sizes
// are checked for overflow. They belong to the directory, not to the routine's stack frame:
// a directory abandoned after a caught fault still gets them released by the copy loop.
#pragma once

#include <cstddef>
#include <cstdint>

// The largest buffer the copier asks for: what a signed 32-bit size (tmsize_t on 32-bit
// Windows) can express.
constexpr uint64_t kMaxBufferSize = 0x7FFFFFFF;

// a x b, or 0 when the product overflows kMaxBufferSize.
uint64_t CheckedProduct(uint64_t a, uint64_t b);

// Obtains a zeroed buffer of size bytes for the current directory; nullptr when size is 0
// or too large, or memory is short.
uint8_t* ObtainBuffer(uint64_t size);

// Releases one buffer obtained by ObtainBuffer before the directory ends.
void ReleaseBuffer(uint8_t* buffer);

// Releases every buffer the current directory still holds.
void ReleaseDirectoryBuffers();

// Releases the directory's buffers when it goes (the copy loop's scope of one directory).
class DirectoryBuffersScope {
public:
    DirectoryBuffersScope() = default;
    ~DirectoryBuffersScope() { ReleaseDirectoryBuffers(); }
    DirectoryBuffersScope(const DirectoryBuffersScope&) = delete;
    DirectoryBuffersScope& operator=(const DirectoryBuffersScope&) = delete;
};
