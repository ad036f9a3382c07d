// Carrying single tags from the input directory to the output directory.
#pragma once

#include <tiffio.h>

#include <cstdint>

// A count of "var": the library hands the values over as an array (with or without a count).
constexpr uint16_t kVariableCount = 0xFFFF;

// Copies one tag when the input has it. count is 1, 2, 4 or kVariableCount; type is one of
// TIFF_ASCII, TIFF_SHORT, TIFF_LONG, TIFF_RATIONAL, TIFF_DOUBLE. Whether the output takes
// the value is not checked.
void CopyTagValue(TIFF* in, TIFF* out, uint32_t tag, uint16_t count, TIFFDataType type);

struct TagEntry {
    uint32_t tag;
    uint16_t count;
    TIFFDataType type;
};

// The fax tags, carried under Group 3 and Group 4 output.
extern const TagEntry kFaxTags[6];
// The descriptive tags carried for every directory, in the order they are set.
extern const TagEntry kGeneralTags[33];
