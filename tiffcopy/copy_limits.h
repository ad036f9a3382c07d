// The sizes beyond which a directory is not copied. Damaged files, not real pages, reach
// them: a few bytes can declare samples of thousands of bits or gigabytes of rows, nearly all
// of them unreadable, which the copy would decode, regroup and write one by one.
#pragma once

#include <tiffio.h>

#include <cstdint>

// Whether the input directory, set up as the output one, is small enough to copy.
bool WithinCopyLimits(TIFF* in, TIFF* out, uint32_t width, uint32_t length, uint16_t bitsPerSample,
                      uint16_t samplesPerPixel);
