// Writers: encode the whole-image buffer into the output's strips or tiles. A failed write
// ends the writer with 0; so does a layout of the output that would reach past the buffer.
#include "tiffcopy/image_buffer.h"

#include "tiffcopy/plane_samples.h"
#include "tiffcopy/transfer_buffers.h"

#include <algorithm>
#include <cstring>

namespace {
uint32_t OutputRowsPerStrip(TIFF* out) {
    uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(out, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    return rowsPerStrip == 0 ? 1 : rowsPerStrip;
}

struct TileGeometry {
    uint32_t width = 0;
    uint32_t length = 0;
    uint64_t rowBytes = 0;
    uint64_t size = 0;
};

bool OutputTiles(TIFF* out, TileGeometry& tile) {
    if (!TIFFGetField(out, TIFFTAG_TILEWIDTH, &tile.width) ||
        !TIFFGetField(out, TIFFTAG_TILELENGTH, &tile.length))
        return false;
    tile.rowBytes = static_cast<uint64_t>(TIFFTileRowSize64(out));
    tile.size = static_cast<uint64_t>(TIFFTileSize64(out));
    return tile.width != 0 && tile.length != 0 && tile.rowBytes != 0 &&
           CheckedProduct(tile.rowBytes, tile.length) != 0 && tile.rowBytes * tile.length <= tile.size;
}

// An edge tile is cleared first, so that its part outside the image is zeros rather than the
// previous tile's pixels.
bool IsEdgeTile(const ImageBuffer& image, const TileGeometry& tile, uint64_t x, uint64_t row) {
    return x + tile.width > image.width || row + tile.length > image.length;
}
} // namespace

int WriteContigStrips(TIFF* out, const ImageBuffer& image) {
    const uint32_t rowsPerStrip = OutputRowsPerStrip(out);
    uint64_t position = 0;
    uint32_t strip = 0;
    for (uint64_t row = 0; row < image.length; row += rowsPerStrip, ++strip) {
        const uint32_t rows = static_cast<uint32_t>(std::min<uint64_t>(rowsPerStrip, image.length - row));
        const uint64_t size = static_cast<uint64_t>(TIFFVStripSize64(out, rows));
        if (size == 0 || size > image.size - position)
            return 0;
        if (TIFFWriteEncodedStrip(out, strip, image.data + position, static_cast<tmsize_t>(size)) < 0)
            return 0;
        position += size;
    }
    return 1;
}

int WriteSeparateStrips(TIFF* out, const ImageBuffer& image) {
    const uint32_t rowsPerStrip = OutputRowsPerStrip(out);
    const uint64_t planeRowBytes = static_cast<uint64_t>(TIFFScanlineSize64(out));
    const uint64_t stripSize = static_cast<uint64_t>(TIFFStripSize64(out));
    if (planeRowBytes < SampleBytes(image.width, image.bitsPerSample))
        return 0;
    uint8_t* strip = ObtainBuffer(stripSize);
    if (strip == nullptr)
        return 0;
    uint32_t number = 0;
    for (uint16_t plane = 0; plane < image.samplesPerPixel; ++plane) {
        for (uint64_t row = 0; row < image.length; row += rowsPerStrip, ++number) {
            const uint32_t rows = static_cast<uint32_t>(std::min<uint64_t>(rowsPerStrip, image.length - row));
            const uint64_t size = static_cast<uint64_t>(TIFFVStripSize64(out, rows));
            if (size == 0 || size > stripSize || CheckedProduct(planeRowBytes, rows) > stripSize) {
                ReleaseBuffer(strip);
                return 0;
            }
            for (uint32_t r = 0; r < rows; ++r)
                GatherPlaneSamples(image.Row(static_cast<uint32_t>(row + r)), strip + r * planeRowBytes, 0,
                                   image.width, image.samplesPerPixel, plane, image.bitsPerSample);
            if (TIFFWriteEncodedStrip(out, number, strip, static_cast<tmsize_t>(size)) < 0) {
                ReleaseBuffer(strip);
                return 0;
            }
        }
    }
    ReleaseBuffer(strip);
    return 1;
}

int WriteContigTiles(TIFF* out, const ImageBuffer& image) {
    TileGeometry tile;
    if (!OutputTiles(out, tile))
        return 0;
    uint8_t* buffer = ObtainBuffer(tile.size);
    if (buffer == nullptr)
        return 0;
    for (uint64_t row = 0; row < image.length; row += tile.length) {
        const uint32_t rows = static_cast<uint32_t>(std::min<uint64_t>(tile.length, image.length - row));
        uint64_t column = 0; // byte column in the image row
        for (uint64_t x = 0; x < image.width; x += tile.width, column += tile.rowBytes) {
            if (IsEdgeTile(image, tile, x, row))
                std::memset(buffer, 0, static_cast<size_t>(tile.size));
            if (column < image.rowBytes) {
                const uint64_t bytes = std::min(tile.rowBytes, image.rowBytes - column);
                for (uint32_t r = 0; r < rows; ++r)
                    std::memcpy(buffer + r * tile.rowBytes,
                                image.Row(static_cast<uint32_t>(row + r)) + column, bytes);
            }
            if (TIFFWriteTile(out, buffer, static_cast<uint32_t>(x), static_cast<uint32_t>(row), 0, 0) < 0) {
                ReleaseBuffer(buffer);
                return 0;
            }
        }
    }
    ReleaseBuffer(buffer);
    return 1;
}

int WriteSeparateTiles(TIFF* out, const ImageBuffer& image) {
    TileGeometry tile;
    if (!OutputTiles(out, tile) || tile.rowBytes < SampleBytes(tile.width, image.bitsPerSample))
        return 0;
    uint8_t* buffer = ObtainBuffer(tile.size);
    if (buffer == nullptr)
        return 0;
    for (uint64_t row = 0; row < image.length; row += tile.length) {
        const uint32_t rows = static_cast<uint32_t>(std::min<uint64_t>(tile.length, image.length - row));
        for (uint64_t x = 0; x < image.width; x += tile.width) {
            const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(tile.width, image.width - x));
            for (uint16_t plane = 0; plane < image.samplesPerPixel; ++plane) {
                if (IsEdgeTile(image, tile, x, row))
                    std::memset(buffer, 0, static_cast<size_t>(tile.size));
                for (uint32_t r = 0; r < rows; ++r)
                    GatherPlaneSamples(image.Row(static_cast<uint32_t>(row + r)), buffer + r * tile.rowBytes,
                                       static_cast<uint32_t>(x), count, image.samplesPerPixel, plane,
                                       image.bitsPerSample);
                if (TIFFWriteTile(out, buffer, static_cast<uint32_t>(x), static_cast<uint32_t>(row), 0,
                                  plane) < 0) {
                    ReleaseBuffer(buffer);
                    return 0;
                }
            }
        }
    }
    ReleaseBuffer(buffer);
    return 1;
}
