// What the copier's tests share: the TIFF writer and temporary folders, the program's options
// and a fax page.
#pragma once

#include "support/temp_dir.h"
#include "support/text_file.h"
#include "support/tiff_writer.h"
#include "tiffcopy/tiffcopy.h"

// The options the program runs with: Group 4, quality 75, input fill order, tiling as the
// first directory, no append.
CopyOptions ProgramOptions();

// Copies the folder's in.tif into its out.tif: CopyTiff's result.
int CopyInToOut(const TempDir& dir, const CopyOptions& options = ProgramOptions());

// A page that fills a fax line: 1728 pixels at 1 bit.
PageSpec FaxPage(uint16_t compression, uint32_t length, uint32_t seed);
