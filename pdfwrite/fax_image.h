// One page of a Group 4 TIFF as a PDF page image takes it: its geometry and its compressed data.
#pragma once

#include "pdfwrite/resolution.h"

#include <tiffio.h>

#include <cstdint>
#include <vector>

struct FaxImage {
    uint32_t width = 0;
    uint32_t length = 0;
    Resolution resolution{};
    bool blackIs1 = false;     // MinIsBlack: the code's white runs are the page's black
    std::vector<uint8_t> data; // one Group 4 stream, the first pixel in each byte's high bit
};

// Reads the page the handle sits on into `image` (its buffer is reused from page to page). False
// when the page is not one strip of 1-bit, one-sample Group 4 data, or its strip cannot be read
// whole: the strips of a page are separate streams, which one PDF image cannot join.
bool ReadFaxImage(TIFF* tif, FaxImage& image);
