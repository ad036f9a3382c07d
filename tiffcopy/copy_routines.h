// The routines that move one directory's image data from the input into the output, and the
// choice among them. Each returns nonzero on success; a failed read never stops a copy, a
// failed write (or a buffer that cannot be obtained) does.
#pragma once

#include "tiffcopy/image_buffer.h"

#include <tiffio.h>

#include <cstdint>

using CopyRoutine = int (*)(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel);

int CopyStripsDecoded(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel);
int CopyRowsContig(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel);
int CopyRowsSeparate(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel);

// Fills a whole-image buffer with reader, then empties it with writer (whatever the reader's
// outcome). The writer's result is the routine's.
int CopyViaImageBuffer(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel,
                       ImageReader reader, ImageWriter writer);

template <ImageReader Reader, ImageWriter Writer>
int CopyVia(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel) {
    return CopyViaImageBuffer(in, out, length, width, samplesPerPixel, Reader, Writer);
}

// The routine that fits the planar configuration and the strip or tile layout of both sides,
// or nullptr (after a message on the standard error stream) when none does.
CopyRoutine SelectCopyRoutine(TIFF* in, TIFF* out);

// Counts one failed read in the copier's report.
void NoteReadFailure();
