// Readers: fill the whole-image buffer from the input, top row down. A failed read is
// counted and skipped; the buffer keeps what it held.
#include "tiffcopy/image_buffer.h"

#include "tiffcopy/copy_routines.h"
#include "tiffcopy/plane_samples.h"
#include "tiffcopy/transfer_buffers.h"

#include <algorithm>
#include <cstring>

namespace {
struct TileGeometry {
    uint32_t width = 0;
    uint32_t length = 0;
    uint64_t rowBytes = 0;
    uint64_t size = 0;
};

bool InputTiles(TIFF* in, TileGeometry& tile) {
    if (!TIFFGetField(in, TIFFTAG_TILEWIDTH, &tile.width) ||
        !TIFFGetField(in, TIFFTAG_TILELENGTH, &tile.length))
        return false;
    tile.rowBytes = static_cast<uint64_t>(TIFFTileRowSize64(in));
    tile.size = static_cast<uint64_t>(TIFFTileSize64(in));
    return tile.width != 0 && tile.length != 0 && tile.rowBytes != 0 &&
           CheckedProduct(tile.rowBytes, tile.length) != 0 && tile.rowBytes * tile.length <= tile.size;
}
} // namespace

int ReadContigStrips(TIFF* in, const ImageBuffer& image) {
    for (uint32_t row = 0; row < image.length; ++row) {
        if (TIFFReadScanline(in, image.Row(row), row, 0) < 0)
            NoteReadFailure();
    }
    return 1;
}

int ReadSeparateStrips(TIFF* in, const ImageBuffer& image) {
    const uint64_t planeRowBytes = static_cast<uint64_t>(TIFFScanlineSize64(in));
    if (planeRowBytes < SampleBytes(image.width, image.bitsPerSample))
        return 0;
    uint8_t* planeRow = ObtainBuffer(planeRowBytes);
    if (planeRow == nullptr)
        return 0;
    for (uint32_t row = 0; row < image.length; ++row) {
        for (uint16_t plane = 0; plane < image.samplesPerPixel; ++plane) {
            // A plane that cannot be read stays zero in the image, rather than taking the
            // previous row's samples from the row buffer.
            if (TIFFReadScanline(in, planeRow, row, plane) < 0) {
                NoteReadFailure();
                continue;
            }
            ScatterPlaneSamples(planeRow, image.Row(row), 0, image.width, image.samplesPerPixel, plane,
                                image.bitsPerSample);
        }
    }
    ReleaseBuffer(planeRow);
    return 1;
}

int ReadContigTiles(TIFF* in, const ImageBuffer& image) {
    TileGeometry tile;
    if (!InputTiles(in, tile))
        return 0;
    uint8_t* buffer = ObtainBuffer(tile.size);
    if (buffer == nullptr)
        return 0;
    for (uint64_t row = 0; row < image.length; row += tile.length) {
        const uint32_t rows = static_cast<uint32_t>(std::min<uint64_t>(tile.length, image.length - row));
        uint64_t column = 0; // byte column in the image row
        for (uint64_t x = 0; x < image.width; x += tile.width, column += tile.rowBytes) {
            if (TIFFReadTile(in, buffer, static_cast<uint32_t>(x), static_cast<uint32_t>(row), 0, 0) < 0)
                NoteReadFailure();
            if (column >= image.rowBytes)
                continue;
            const uint64_t bytes = std::min(tile.rowBytes, image.rowBytes - column);
            for (uint32_t r = 0; r < rows; ++r)
                std::memcpy(image.Row(static_cast<uint32_t>(row + r)) + column, buffer + r * tile.rowBytes,
                            bytes);
        }
    }
    ReleaseBuffer(buffer);
    return 1;
}

int ReadSeparateTiles(TIFF* in, const ImageBuffer& image) {
    TileGeometry tile;
    if (!InputTiles(in, tile) || tile.rowBytes < SampleBytes(tile.width, image.bitsPerSample))
        return 0;
    uint8_t* buffer = ObtainBuffer(tile.size);
    if (buffer == nullptr)
        return 0;
    for (uint64_t row = 0; row < image.length; row += tile.length) {
        const uint32_t rows = static_cast<uint32_t>(std::min<uint64_t>(tile.length, image.length - row));
        for (uint64_t x = 0; x < image.width; x += tile.width) {
            const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(tile.width, image.width - x));
            for (uint16_t plane = 0; plane < image.samplesPerPixel; ++plane) {
                if (TIFFReadTile(in, buffer, static_cast<uint32_t>(x), static_cast<uint32_t>(row), 0, plane) <
                    0) {
                    NoteReadFailure();
                    continue;
                }
                for (uint32_t r = 0; r < rows; ++r)
                    ScatterPlaneSamples(buffer + r * tile.rowBytes, image.Row(static_cast<uint32_t>(row + r)),
                                        static_cast<uint32_t>(x), count, image.samplesPerPixel, plane,
                                        image.bitsPerSample);
            }
        }
    }
    ReleaseBuffer(buffer);
    return 1;
}
