// The floor of any copier built on libtiff: the plainest loop that decodes every page of a fax
// document and encodes it again in Group 4. No tag rules, no routine choice, no guard; one buffer
// for the whole file.
#pragma once

#include <tiffio.h>

// How the floor reads and writes the image data, as the input's layout asks: whole strips,
// scanlines into the library's default strips (as a copier must for an input without
// RowsPerStrip), or tiles.
enum class Floor { Strips, Rows, Tiles };

bool FloorCopy(const char* inPath, const char* outPath, Floor floor);
