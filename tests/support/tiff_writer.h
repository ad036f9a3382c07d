// TIFF files written with libtiff page by page from a description, and their pixels read back
// in one plain layout (rows top down, samples interleaved).
#pragma once

#include "tiffcopy/tiff_handle.h"

#include <tiffio.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

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

// Opens a file for reading (empty when it cannot be opened).
TiffHandle OpenForReading(const std::string& path);

int CountDirectories(const std::string& path);

// Rewrites in place the value of the one-value SHORT or LONG entry `tag` of directory `directory`
// (0 the first) of a little-endian classic TIFF, for what libtiff itself never writes; false when
// the file has no such entry.
bool PatchDirectoryValue(const std::string& path, int directory, uint16_t tag, uint32_t value);
// The entries of directory `directory` of a little-endian classic TIFF by tag: each one's type,
// count and value bytes (wherever they lie), for comparing directories whatever their layout.
std::map<uint16_t, std::string> DirectoryEntries(const std::string& path, int directory);
