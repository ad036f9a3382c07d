#include "copy_floor.h"

#include <cstdint>
#include <vector>

namespace {
bool FloorPage(TIFF* in, TIFF* out, Floor floor, std::vector<uint8_t>& buffer) {
    uint32_t length = 0;
    TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length);
    if (floor == Floor::Rows) {
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(out, 0));
        buffer.resize(static_cast<size_t>(TIFFScanlineSize(in)));
        for (uint32_t row = 0; row < length; ++row)
            if (TIFFReadScanline(in, buffer.data(), row, 0) < 0 ||
                TIFFWriteScanline(out, buffer.data(), row, 0) < 0)
                return false;
        return true;
    }
    const bool tiles = floor == Floor::Tiles;
    uint32_t rowsPerStrip = 0, tileWidth = 0, tileLength = 0;
    if (tiles) {
        TIFFGetField(in, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(in, TIFFTAG_TILELENGTH, &tileLength);
        TIFFSetField(out, TIFFTAG_TILEWIDTH, tileWidth);
        TIFFSetField(out, TIFFTAG_TILELENGTH, tileLength);
    } else {
        TIFFGetField(in, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    }
    buffer.resize(static_cast<size_t>(tiles ? TIFFTileSize(in) : TIFFStripSize(in)));
    const uint32_t chunks = tiles ? TIFFNumberOfTiles(in) : TIFFNumberOfStrips(in);
    for (uint32_t c = 0; c < chunks; ++c) {
        const tmsize_t size =
            tiles ? TIFFReadEncodedTile(in, c, buffer.data(), static_cast<tmsize_t>(buffer.size()))
                  : TIFFReadEncodedStrip(in, c, buffer.data(), static_cast<tmsize_t>(buffer.size()));
        if (size < 0 || (tiles ? TIFFWriteEncodedTile(out, c, buffer.data(), size)
                               : TIFFWriteEncodedStrip(out, c, buffer.data(), size)) < 0)
            return false;
    }
    return true;
}

} // namespace

bool FloorCopy(const char* inPath, const char* outPath, Floor floor) {
    TIFF* in = TIFFOpen(inPath, "r");
    TIFF* out = TIFFOpen(outPath, "w");
    if (in == nullptr || out == nullptr)
        return false;
    std::vector<uint8_t> buffer;
    bool ok = true;
    do {
        uint32_t width = 0, length = 0;
        uint16_t photometric = 0, fillOrder = FILLORDER_MSB2LSB;
        float xResolution = 0, yResolution = 0;
        TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length);
        TIFFGetField(in, TIFFTAG_PHOTOMETRIC, &photometric);
        TIFFGetField(in, TIFFTAG_FILLORDER, &fillOrder);
        TIFFGetField(in, TIFFTAG_XRESOLUTION, &xResolution);
        TIFFGetField(in, TIFFTAG_YRESOLUTION, &yResolution);
        TIFFSetField(out, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(out, TIFFTAG_IMAGELENGTH, length);
        TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, uint16_t{1});
        TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        TIFFSetField(out, TIFFTAG_PHOTOMETRIC, photometric);
        TIFFSetField(out, TIFFTAG_FILLORDER, fillOrder);
        TIFFSetField(out, TIFFTAG_XRESOLUTION, static_cast<double>(xResolution));
        TIFFSetField(out, TIFFTAG_YRESOLUTION, static_cast<double>(yResolution));
        ok = FloorPage(in, out, floor, buffer) && TIFFWriteDirectory(out);
    } while (ok && TIFFReadDirectory(in));
    TIFFClose(in);
    TIFFClose(out);
    return ok;
}
