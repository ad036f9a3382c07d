#include "copy_floor.h"

#include <cstdint>
#include <vector>

namespace {
// The input's value of `tag` (or `value` when it has none), given to the output too.
template <class T> T CopyField(TIFF* in, TIFF* out, uint32_t tag, T value = T{}) {
    TIFFGetField(in, tag, &value);
    TIFFSetField(out, tag, value);
    return value;
}

bool FloorPage(TIFF* in, TIFF* out, Floor floor, std::vector<uint8_t>& buffer) {
    const uint32_t length = CopyField<uint32_t>(in, out, TIFFTAG_IMAGELENGTH);
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
    if (tiles) {
        CopyField<uint32_t>(in, out, TIFFTAG_TILEWIDTH);
        CopyField<uint32_t>(in, out, TIFFTAG_TILELENGTH);
    } else {
        CopyField<uint32_t>(in, out, TIFFTAG_ROWSPERSTRIP);
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
        CopyField<uint32_t>(in, out, TIFFTAG_IMAGEWIDTH);
        CopyField<uint16_t>(in, out, TIFFTAG_PHOTOMETRIC);
        CopyField<uint16_t>(in, out, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
        CopyField<float>(in, out, TIFFTAG_XRESOLUTION);
        CopyField<float>(in, out, TIFFTAG_YRESOLUTION);
        TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, uint16_t{1});
        TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        ok = FloorPage(in, out, floor, buffer) && TIFFWriteDirectory(out);
    } while (ok && TIFFReadDirectory(in));
    TIFFClose(in);
    TIFFClose(out);
    return ok;
}
