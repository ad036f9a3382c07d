#include "fax_document.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
constexpr uint32_t kWidth = 1728;
constexpr uint32_t kLength = 2200;
constexpr uint32_t kTile = 256;

uint32_t Next(uint32_t& state) {
    state = state * 1103515245u + 12345u;
    return state >> 8;
}

void SetPixel(std::vector<uint8_t>& page, uint32_t x, uint32_t y) {
    page[y * (kWidth / 8) + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
}

// Lines of text: 26-row lines with 14-row gaps inside 100-pixel margins; each "glyph" is a
// 10 x 18 cell with a few strokes, words separated by spaces, paragraphs by blank lines.
std::vector<uint8_t> TextPage(uint32_t seed) {
    std::vector<uint8_t> page(kWidth / 8 * kLength, 0);
    uint32_t state = seed * 7919u + 1;
    for (uint32_t top = 120; top + 26 < kLength - 120; top += 40) {
        if (Next(state) % 9 == 0)
            continue; // paragraph break
        const uint32_t lineEnd = 100 + 1400 + Next(state) % 128;
        for (uint32_t x = 100; x + 12 < lineEnd; x += 12) {
            if (Next(state) % 6 == 0) {
                x += 6; // space between words
                continue;
            }
            const uint32_t strokes = Next(state);
            const uint32_t base = top + 4;
            if (strokes & 1)
                for (uint32_t y = base; y < base + 18; ++y)
                    SetPixel(page, x + 1, y), SetPixel(page, x + 2, y);
            if (strokes & 2)
                for (uint32_t y = base; y < base + 18; ++y)
                    SetPixel(page, x + 8, y), SetPixel(page, x + 9, y);
            for (int bar = 0; bar < 3; ++bar)
                if (strokes & (4u << bar))
                    for (uint32_t dx = 1; dx < 10; ++dx)
                        SetPixel(page, x + dx, base + 8 * bar), SetPixel(page, x + dx, base + 8 * bar + 1);
            if (strokes & 32)
                for (uint32_t d = 0; d < 16; ++d)
                    SetPixel(page, x + 1 + d / 2, base + d);
        }
    }
    return page;
}
bool WriteTiles(TIFF* tif, const std::vector<uint8_t>& page) {
    std::vector<uint8_t> tile(kTile / 8 * kTile);
    for (uint32_t y = 0; y < kLength; y += kTile)
        for (uint32_t x = 0; x < kWidth; x += kTile) {
            std::fill(tile.begin(), tile.end(), 0);
            for (uint32_t r = 0; r < kTile && y + r < kLength; ++r)
                for (uint32_t b = 0; b < kTile / 8 && x / 8 + b < kWidth / 8; ++b)
                    tile[r * (kTile / 8) + b] = page[(y + r) * (kWidth / 8) + x / 8 + b];
            if (TIFFWriteTile(tif, tile.data(), x, y, 0, 0) < 0)
                return false;
        }
    return true;
}
} // namespace

bool WriteFaxDocument(const std::string& path, int pages, FaxLayout layout) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == nullptr)
        return false;
    bool ok = true;
    for (int p = 0; p < pages && ok; ++p) {
        TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kLength);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t{1});
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t{1});
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX3);
        TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, GROUP3OPT_2DENCODING | GROUP3OPT_FILLBITS);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_LSB2MSB);
        if (layout == FaxLayout::Strips)
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, kLength);
        if (layout == FaxLayout::Tiles) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, kTile);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, kTile);
        }
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 196.0);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tif, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(p), static_cast<uint16_t>(pages));
        std::vector<uint8_t> page = TextPage(static_cast<uint32_t>(p) + 1);
        ok = (layout == FaxLayout::Tiles
                  ? WriteTiles(tif, page)
                  : TIFFWriteEncodedStrip(tif, 0, page.data(), static_cast<tmsize_t>(page.size())) >= 0) &&
             TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    return ok;
}
