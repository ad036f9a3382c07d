// The whole image of one directory in memory, rows top down, samples interleaved pixel by
// pixel whatever the planar configuration of either side; and the readers that fill it and
// the writers that empty it.
#pragma once

#include <tiffio.h>

#include <cstdint>

struct ImageBuffer {
    uint8_t* data = nullptr;
    uint64_t size = 0;     // bytes at data
    uint64_t rowBytes = 0; // bytes of one row
    uint32_t length = 0;   // rows
    uint32_t width = 0;    // pixels per row
    uint16_t samplesPerPixel = 1;
    uint16_t bitsPerSample = 1;

    uint8_t* Row(uint32_t row) const { return data + row * rowBytes; }
};

// Both return nonzero on success.
using ImageReader = int (*)(TIFF* in, const ImageBuffer& image);
using ImageWriter = int (*)(TIFF* out, const ImageBuffer& image);

int ReadContigStrips(TIFF* in, const ImageBuffer& image);
int ReadSeparateStrips(TIFF* in, const ImageBuffer& image);
int ReadContigTiles(TIFF* in, const ImageBuffer& image);
int ReadSeparateTiles(TIFF* in, const ImageBuffer& image);

int WriteContigStrips(TIFF* out, const ImageBuffer& image);
int WriteSeparateStrips(TIFF* out, const ImageBuffer& image);
int WriteContigTiles(TIFF* out, const ImageBuffer& image);
int WriteSeparateTiles(TIFF* out, const ImageBuffer& image);
