// Test fixtures: TIFF files written with libtiff into a private temporary folder, and their
// pixels read back in one plain layout (rows top down, samples interleaved).
#pragma once

#include "tiffcopy/tiffcopy.h"

#include <tiffio.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A folder of its own for one test, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Path(const std::string& name) const;

private:
    std::string m_path;
};

struct PageSpec {
    uint32_t width = 64;
    uint32_t length = 40;
    uint16_t bitsPerSample = 1;
    uint16_t samplesPerPixel = 1;
    uint16_t compression = COMPRESSION_NONE;
    uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    uint16_t planar = PLANARCONFIG_CONTIG;
    uint32_t group3Options = 0;
    uint32_t rowsPerStrip = 0; // 0 writes no RowsPerStrip tag
    uint32_t tileWidth = 0;    // nonzero writes tiles
    uint32_t tileLength = 0;
    uint32_t seed = 1; // varies the pixel pattern
    // Uncompressed strips only: the last strip keeps a quarter of its bytes, so reading it
    // fails. (A short middle strip would make the library re-estimate every count.)
    bool cutLastStrip = false;
    std::function<void(TIFF*)> extraTags;
};

// Bytes of one row of the interleaved layout.
uint64_t RowBytes(const PageSpec& page);

// The deterministic, text-like pixels of a page in the interleaved layout.
std::vector<uint8_t> PagePixels(const PageSpec& page);

// Writes the pages as the directories of a new file; false when libtiff refuses.
bool WriteTiff(const std::string& path, const std::vector<PageSpec>& pages);

// Reads the pixels of the directory the handle sits on into the interleaved layout.
std::vector<uint8_t> ReadPixels(TIFF* tif);

// Opens a file for reading (nullptr when it cannot be opened), closed when the owner goes.
struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;
TiffPtr OpenForReading(const std::string& path);

int CountDirectories(const std::string& path);

// The options the program runs with: Group 4, quality 75, input fill order, tiling as the
// first directory, no append.
CopyOptions ProgramOptions();

// A page that fills a fax line: 1728 pixels at 1 bit.
PageSpec FaxPage(uint16_t compression, uint32_t length, uint32_t seed);
