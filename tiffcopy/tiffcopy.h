// The TIFF copier: rewrites every directory of one TIFF file into another,
// re-encoding the image data as the options ask. Plain C++ over libtiff.
#pragma once

#include <cstdint>

// The caller's options for one copy; the fields and their order are fixed.
struct CopyOptions {
    int32_t nCompression; // compression code 0..10, see ApplyCompressionCode
    int32_t nJpegQuality; // JPEG quality for JPEG output
    int32_t nFillOrder;   // low 16 bits: 0 copies the input's FillOrder, else written as is
    int32_t nTiling;      // -1 as the first input directory, 0 strips, other tiles
    int32_t bAppend;      // nonzero appends directories to an existing output file
};

// How the output's pages are laid out: as the options and the input have them, or each page in
// one strip (never tiles). A PDF page image takes one Group 4 stream, and each strip of a page is
// a stream of its own.
enum class PageLayout { AsInput, OneStrip };

// Copies inputSpec ("path" or "path,dir,dir..." with an image list) into outputPath.
// 0 success, 1 a directory failed, -2 the output cannot be opened, -3 the input cannot.
int CopyTiff(const char* inputSpec, const char* outputPath, const CopyOptions* options,
             PageLayout layout = PageLayout::AsInput);

// CopyTiff for an input opened as named, with no image list: a comma is part of the file name.
int CopyTiffFile(const char* inputPath, const char* outputPath, const CopyOptions* options,
                 PageLayout layout = PageLayout::AsInput);

// What the last copy met on its way; reset at the start of every call. A result of 0 can still
// hide damaged pages: a failed read leaves in its place whatever the buffer held (what the
// decoder produced before it failed, the previous strip or row, or zeros in a fresh buffer), and
// an abandoned directory is missing from the output.
struct CopyReport {
    int directoriesWritten;   // output directories written by TIFFWriteDirectory
    int readFailures;         // failed scanline, strip or tile reads
    int abandonedDirectories; // directories given up after a caught fault
};
const CopyReport& LastCopyReport();
