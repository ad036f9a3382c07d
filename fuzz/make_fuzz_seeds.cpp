// Writes the fuzz seed corpus: one small TIFF file per layout and codec.
// usage: make_fuzz_seeds DIR
#include <tiffio.h>

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

namespace {
struct Seed {
    const char* name;
    uint16_t compression;
    uint16_t bitsPerSample;
    uint16_t samplesPerPixel;
    uint16_t planar;
    uint32_t tile; // 0 strips
    uint32_t rowsPerStrip;
    int pages;
};

void Quiet(const char*, const char*, va_list) {}

bool WriteSeed(const std::string& path, const Seed& seed) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == nullptr)
        return false;
    const uint32_t width = 40;
    const uint32_t length = 24;
    bool ok = true;
    for (int page = 0; page < seed.pages && ok; ++page) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, length);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, seed.bitsPerSample);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, seed.samplesPerPixel);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, seed.compression);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC,
                     seed.samplesPerPixel == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISWHITE);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, seed.planar);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 196.0);
        TIFFSetField(tif, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(page), static_cast<uint16_t>(seed.pages));
        TIFFSetField(tif, TIFFTAG_ORIENTATION, static_cast<uint16_t>(1 + page % 8));
        if (seed.compression == COMPRESSION_CCITTFAX3)
            TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, page % 2 ? GROUP3OPT_2DENCODING : 0u);
        if (seed.compression == COMPRESSION_CCITTFAX3 || seed.compression == COMPRESSION_CCITTFAX4) {
            TIFFSetField(tif, TIFFTAG_BADFAXLINES, 1u);
            TIFFSetField(tif, TIFFTAG_FAXSUBADDRESS, "12");
        }
        if (seed.tile != 0) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, seed.tile);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, seed.tile);
        } else if (seed.rowsPerStrip != 0) {
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, seed.rowsPerStrip);
        }
        const uint16_t planes = seed.planar == PLANARCONFIG_SEPARATE ? seed.samplesPerPixel : 1;
        if (seed.tile != 0) {
            std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize(tif)));
            for (size_t i = 0; i < tile.size(); ++i)
                tile[i] = static_cast<uint8_t>((i * 37 + page) % 7 == 0 ? 0xF0 : 0);
            for (uint32_t y = 0; y < length; y += seed.tile)
                for (uint32_t x = 0; x < width; x += seed.tile)
                    for (uint16_t s = 0; s < planes; ++s)
                        ok = ok && TIFFWriteTile(tif, tile.data(), x, y, 0, s) >= 0;
        } else {
            std::vector<uint8_t> line(static_cast<size_t>(TIFFScanlineSize(tif)));
            for (uint16_t s = 0; s < planes; ++s)
                for (uint32_t y = 0; y < length; ++y) {
                    for (size_t i = 0; i < line.size(); ++i)
                        line[i] = static_cast<uint8_t>((i + y + page) % 5 == 0 ? 0x3C : 0);
                    ok = ok && TIFFWriteScanline(tif, line.data(), y, s) >= 0;
                }
        }
        ok = ok && TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    return ok;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    TIFFSetWarningHandler(Quiet);
    TIFFSetErrorHandler(Quiet);
    const Seed seeds[] = {
        {"g3-1d", COMPRESSION_CCITTFAX3, 1, 1, PLANARCONFIG_CONTIG, 0, 0, 3},
        {"g3-2d-strips", COMPRESSION_CCITTFAX3, 1, 1, PLANARCONFIG_CONTIG, 0, 8, 2},
        {"g4", COMPRESSION_CCITTFAX4, 1, 1, PLANARCONFIG_CONTIG, 0, 0, 2},
        {"g4-strips", COMPRESSION_CCITTFAX4, 1, 1, PLANARCONFIG_CONTIG, 0, 5, 1},
        {"rle", COMPRESSION_CCITTRLE, 1, 1, PLANARCONFIG_CONTIG, 0, 0, 1},
        {"none", COMPRESSION_NONE, 1, 1, PLANARCONFIG_CONTIG, 0, 7, 2},
        {"packbits-gray", COMPRESSION_PACKBITS, 8, 1, PLANARCONFIG_CONTIG, 0, 6, 1},
        {"lzw-rgb", COMPRESSION_LZW, 8, 3, PLANARCONFIG_CONTIG, 0, 0, 1},
        {"lzw-rgb-planes", COMPRESSION_LZW, 8, 3, PLANARCONFIG_SEPARATE, 0, 9, 1},
        {"tiles-bilevel", COMPRESSION_NONE, 1, 1, PLANARCONFIG_CONTIG, 16, 0, 2},
        {"tiles-rgb-planes", COMPRESSION_PACKBITS, 8, 3, PLANARCONFIG_SEPARATE, 16, 0, 1},
        {"tiles-16bit", COMPRESSION_NONE, 16, 1, PLANARCONFIG_CONTIG, 16, 0, 1},
        {"planes-4bit", COMPRESSION_NONE, 4, 2, PLANARCONFIG_SEPARATE, 0, 4, 1},
    };
    int failures = 0;
    for (const Seed& seed : seeds)
        failures += WriteSeed(std::string(argv[1]) + "/" + seed.name + ".tif", seed) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}
