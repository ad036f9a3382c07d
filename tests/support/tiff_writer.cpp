#include "support/tiff_writer.h"

#include "support/text_file.h"

#include <algorithm>

namespace {
uint32_t GetSample(const uint8_t* row, uint64_t index, uint16_t bits) {
    uint32_t value = 0;
    for (uint16_t i = 0; i < bits; ++i) {
        const uint64_t bit = index * bits + i;
        value = (value << 1) | ((row[bit / 8] >> (7 - bit % 8)) & 1);
    }
    return value;
}

void PutSample(uint8_t* row, uint64_t index, uint16_t bits, uint32_t value) {
    for (uint16_t i = 0; i < bits; ++i) {
        const uint64_t bit = index * bits + i;
        const uint8_t mask = static_cast<uint8_t>(0x80 >> (bit % 8));
        if ((value >> (bits - 1 - i)) & 1)
            row[bit / 8] |= mask;
        else
            row[bit / 8] &= static_cast<uint8_t>(~mask);
    }
}

// Moves rows [row, row + rows) of a block `width` pixels wide at column x between the page's
// interleaved pixels and the block, whose rows are blockRowBytes long: one plane, or every sample
// when plane < 0. Into the block when `cut` (which first clears it), else out of it.
void MoveBlock(const PageSpec& page, uint8_t* pixels, std::vector<uint8_t>& block, uint64_t blockRowBytes,
               uint32_t x, uint32_t row, uint32_t width, uint32_t rows, int plane, bool cut) {
    if (cut)
        std::fill(block.begin(), block.end(), 0);
    const uint64_t rowBytes = RowBytes(page);
    const uint16_t spp = page.samplesPerPixel;
    const uint16_t bits = page.bitsPerSample;
    const uint16_t samples = plane < 0 ? spp : 1;
    const uint32_t visible = std::min(width, page.width - x);
    for (uint32_t r = 0; r < rows && row + r < page.length; ++r) {
        uint8_t* image = pixels + (row + r) * rowBytes;
        uint8_t* part = block.data() + r * blockRowBytes;
        for (uint32_t i = 0; i < visible; ++i)
            for (uint16_t s = 0; s < samples; ++s) {
                const uint64_t inImage =
                    (uint64_t{x} + i) * spp + (plane < 0 ? s : static_cast<uint32_t>(plane));
                const uint64_t inPart = uint64_t{i} * samples + s;
                if (cut)
                    PutSample(part, inPart, bits, GetSample(image, inImage, bits));
                else
                    PutSample(image, inImage, bits, GetSample(part, inPart, bits));
            }
    }
}

bool WritePage(TIFF* tif, const PageSpec& page) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, page.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, page.length);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, page.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, page.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, page.compression);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, page.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, page.planar);
    if (page.compression == COMPRESSION_CCITTFAX3)
        TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, page.group3Options);
    if (page.tileWidth != 0) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, page.tileWidth);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, page.tileLength);
    } else if (page.rowsPerStrip != 0) {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, page.rowsPerStrip);
    }
    if (page.extraTags)
        page.extraTags(tif);

    std::vector<uint8_t> pixels = PagePixels(page);
    const bool separate = page.planar == PLANARCONFIG_SEPARATE;
    const uint16_t planes = separate ? page.samplesPerPixel : 1;
    if (page.tileWidth != 0) {
        std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize64(tif)));
        const uint64_t tileRowBytes = static_cast<uint64_t>(TIFFTileRowSize64(tif));
        for (uint32_t row = 0; row < page.length; row += page.tileLength)
            for (uint32_t x = 0; x < page.width; x += page.tileWidth)
                for (uint16_t plane = 0; plane < planes; ++plane) {
                    MoveBlock(page, pixels.data(), tile, tileRowBytes, x, row, page.tileWidth,
                              page.tileLength, separate ? plane : -1, true);
                    if (TIFFWriteTile(tif, tile.data(), x, row, 0, plane) < 0)
                        return false;
                }
    } else if (page.cutLastStrip) {
        const tmsize_t stripBytes = static_cast<tmsize_t>(RowBytes(page) * page.rowsPerStrip);
        const uint32_t strips = TIFFNumberOfStrips(tif);
        for (uint32_t s = 0; s < strips; ++s) {
            const tmsize_t bytes = s + 1 < strips ? stripBytes : stripBytes / 4;
            if (TIFFWriteRawStrip(tif, s, pixels.data() + s * stripBytes, bytes) < 0)
                return false;
        }
    } else {
        const uint64_t lineBytes = static_cast<uint64_t>(TIFFScanlineSize64(tif));
        std::vector<uint8_t> line(static_cast<size_t>(lineBytes));
        for (uint16_t plane = 0; plane < planes; ++plane)
            for (uint32_t row = 0; row < page.length; ++row) {
                MoveBlock(page, pixels.data(), line, lineBytes, 0, row, page.width, 1, separate ? plane : -1,
                          true);
                if (TIFFWriteScanline(tif, line.data(), row, plane) < 0)
                    return false;
            }
    }
    return TIFFWriteDirectory(tif) != 0;
}
} // namespace

uint64_t RowBytes(const PageSpec& page) {
    return (uint64_t{page.width} * page.samplesPerPixel * page.bitsPerSample + 7) / 8;
}

std::vector<uint8_t> PagePixels(const PageSpec& page) {
    // Text-like: blank margins, lines of "characters" (short runs), repeated rows so that
    // two-dimensional coding has something to find.
    const uint64_t rowBytes = RowBytes(page);
    std::vector<uint8_t> pixels(static_cast<size_t>(rowBytes * page.length), 0);
    uint32_t state = page.seed * 2654435761u + 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    for (uint32_t row = 0; row < page.length; ++row) {
        uint8_t* line = pixels.data() + row * rowBytes;
        if (row % 16 > 11)
            continue;
        if (row % 3 == 2 && row > 0) {
            std::copy(line - rowBytes, line, line);
            continue;
        }
        for (uint64_t byte = 0; byte < rowBytes; ++byte)
            line[byte] = (next() % 4 == 0) ? static_cast<uint8_t>(next()) : 0;
        // The padding bits behind the last sample are not image data: keep them zero.
        const uint64_t usedBits = uint64_t{page.width} * page.samplesPerPixel * page.bitsPerSample;
        if (usedBits % 8 != 0)
            line[rowBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - usedBits % 8));
    }
    return pixels;
}

bool WriteTiff(const std::string& path, const std::vector<PageSpec>& pages) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == nullptr)
        return false;
    bool ok = true;
    for (const PageSpec& page : pages)
        ok = ok && WritePage(tif, page);
    TIFFClose(tif);
    return ok;
}

std::vector<uint8_t> ReadPixels(TIFF* tif) {
    PageSpec page;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &page.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &page.length);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &page.bitsPerSample);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &page.samplesPerPixel);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &page.planar);
    const bool separate = page.planar == PLANARCONFIG_SEPARATE;
    const uint16_t planes = separate ? page.samplesPerPixel : 1;
    std::vector<uint8_t> pixels(static_cast<size_t>(RowBytes(page) * page.length), 0);
    if (TIFFIsTiled(tif)) {
        uint32_t tileWidth = 0;
        uint32_t tileLength = 0;
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength);
        std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize64(tif)));
        const uint64_t tileRowBytes = static_cast<uint64_t>(TIFFTileRowSize64(tif));
        for (uint32_t row = 0; row < page.length; row += tileLength)
            for (uint32_t x = 0; x < page.width; x += tileWidth)
                for (uint16_t plane = 0; plane < planes; ++plane) {
                    std::fill(tile.begin(), tile.end(), 0);
                    TIFFReadTile(tif, tile.data(), x, row, 0, plane);
                    MoveBlock(page, pixels.data(), tile, tileRowBytes, x, row, tileWidth, tileLength,
                              separate ? plane : -1, false);
                }
    } else {
        std::vector<uint8_t> line(static_cast<size_t>(TIFFScanlineSize64(tif)));
        for (uint16_t plane = 0; plane < planes; ++plane)
            for (uint32_t row = 0; row < page.length; ++row) {
                std::fill(line.begin(), line.end(), 0);
                TIFFReadScanline(tif, line.data(), row, plane);
                MoveBlock(page, pixels.data(), line, line.size(), 0, row, page.width, 1,
                          separate ? plane : -1, false);
            }
    }
    return pixels;
}

TiffHandle OpenForReading(const std::string& path) {
    return TiffHandle(TIFFOpen(path.c_str(), "r"));
}

int CountDirectories(const std::string& path) {
    TiffHandle tif = OpenForReading(path);
    if (!tif)
        return -1;
    int count = 1;
    while (TIFFReadDirectory(tif.get()))
        ++count;
    return count;
}

namespace {
uint32_t Little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int b = size - 1; b >= 0; --b)
        value = value << 8 | (at + b < bytes.size() ? uint8_t(bytes[at + b]) : 0u);
    return value;
}

// Hands `visit` the offset of each entry of directory `directory` (0 the first) of a little-endian
// classic TIFF until it returns true; false when none did.
bool VisitEntries(const std::string& bytes, int directory, const std::function<bool(size_t)>& visit) {
    size_t ifd = bytes.compare(0, 2, "II") == 0 ? Little(bytes, 4, 4) : 0;
    for (int i = 0; i < directory && ifd; ++i)
        ifd = Little(bytes, ifd + 2 + 12 * Little(bytes, ifd, 2), 4);
    for (uint32_t e = 0; ifd && e < Little(bytes, ifd, 2) && ifd + 14 + 12 * e <= bytes.size(); ++e)
        if (visit(ifd + 2 + 12 * e))
            return true;
    return false;
}
} // namespace

bool PatchDirectoryValue(const std::string& path, int directory, uint16_t tag, uint32_t value) {
    std::string bytes = ReadFile(path);
    const bool found = VisitEntries(bytes, directory, [&](size_t entry) {
        const uint32_t type = Little(bytes, entry + 2, 2);
        if (Little(bytes, entry, 2) != tag || Little(bytes, entry + 4, 4) != 1 ||
            (type != TIFF_SHORT && type != TIFF_LONG))
            return false;
        for (int b = 0; b < 4; ++b)
            bytes[entry + 8 + b] = static_cast<char>(type == TIFF_SHORT && b >= 2 ? 0 : value >> (8 * b));
        return true;
    });
    return found && WriteText(path, bytes);
}

std::map<uint16_t, std::string> DirectoryEntries(const std::string& path, int directory) {
    static const uint64_t kTypeSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    const std::string bytes = ReadFile(path);
    std::map<uint16_t, std::string> entries;
    VisitEntries(bytes, directory, [&](size_t entry) {
        const uint32_t type = Little(bytes, entry + 2, 2);
        const uint32_t count = Little(bytes, entry + 4, 4);
        const uint64_t size = count * (type < 13 ? kTypeSizes[type] : 0);
        const size_t at = size <= 4 ? entry + 8 : Little(bytes, entry + 8, 4);
        std::string& text = entries[static_cast<uint16_t>(Little(bytes, entry, 2))];
        text = std::to_string(type) + " " + std::to_string(count) + ":";
        for (size_t b = at; b < at + size && b < bytes.size(); ++b)
            text += " " + std::to_string(uint8_t(bytes[b]));
        return false;
    });
    return entries;
}
