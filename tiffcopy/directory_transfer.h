// Setting up one output directory from the input directory, then moving its image data.
#pragma once

#include <tiffio.h>

#include <cstdint>

// Sets up the output directory from the directory the input sits on and copies the image
// data. Returns nonzero when the data was copied, 0 when no routine fits or it failed.
int TransferDirectory(TIFF* in, TIFF* out);

// The orientation written for an input orientation: only top-left, bottom-left, left-top
// and left-bottom are kept, the others fold onto bottom-left or top-left.
uint16_t NormalisedOrientation(uint16_t orientation);
