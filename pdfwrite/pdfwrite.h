// The PDF writer: puts the pages of a Group 4 TIFF into a PDF, one page per directory, each
// page's compressed data passed through as it is. Plain C++ over libtiff.
#pragma once

enum class PdfResult {
    Written,        // every page of the TIFF is in the PDF
    InputNotOpened, // the TIFF cannot be opened
    PageRefused,    // a page is not one strip of bilevel Group 4 data, or cannot be read
    OutputFailed,   // the PDF cannot be created or written
};

// Writes the directories of `tiffPath` as the pages of a new file `pdfPath` (an existing one is
// replaced); `pages` receives the count of pages written. After a failure `pdfPath` may hold a
// partial file, which the caller removes.
PdfResult WritePdf(const char* tiffPath, const char* pdfPath, int& pages);
