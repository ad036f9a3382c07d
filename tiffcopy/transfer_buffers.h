// Buffers of the image-data transfer. They are zeroed when obtained, so a failed read or the
// outside of an edge tile writes zeros rather than stale memory, and their sizes are checked
// for overflow. They belong to the copy, not to the routine's stack frame: a directory
// abandoned after a caught fault still gets them back, and the copy's end frees them.
#pragma once

#include <cstddef>
#include <cstdint>

// The largest buffer the copier asks for, and lets libtiff ask for on its behalf (the
// output's strip or tile buffer). A fax page is about half a megabyte; a broken or hostile
// input that declares a gigabyte-sized strip must not exhaust a 32-bit process.
constexpr uint64_t kMaxBufferSize = uint64_t{256} << 20;

// a x b, or 0 when the product overflows kMaxBufferSize.
uint64_t CheckedProduct(uint64_t a, uint64_t b);

// Obtains a zeroed buffer of size bytes for the current directory; nullptr when size is 0
// or too large, or memory is short.
uint8_t* ObtainBuffer(uint64_t size);

// Gives one buffer back; its memory may serve the next ObtainBuffer.
void ReleaseBuffer(uint8_t* buffer);

// Gives back every buffer the current directory still holds.
void ReleaseDirectoryBuffers();

// Frees the memory of all buffers.
void FreeCopyBuffers();

// Gives the directory's buffers back when it goes (the copy loop's scope of one directory).
class DirectoryBuffersScope {
public:
    DirectoryBuffersScope() = default;
    ~DirectoryBuffersScope() { ReleaseDirectoryBuffers(); }
    DirectoryBuffersScope(const DirectoryBuffersScope&) = delete;
    DirectoryBuffersScope& operator=(const DirectoryBuffersScope&) = delete;
};

// Frees the buffers' memory when the copy ends.
class CopyBuffersScope {
public:
    CopyBuffersScope() = default;
    ~CopyBuffersScope() { FreeCopyBuffers(); }
    CopyBuffersScope(const CopyBuffersScope&) = delete;
    CopyBuffersScope& operator=(const CopyBuffersScope&) = delete;
};
