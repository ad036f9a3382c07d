// What the PDF writer's tests share: the program's way to a PDF, and the outside programs that read
// it back (Ghostscript, poppler and qpdf, which the build installs).
#pragma once

#include "pdfwrite/pdfwrite.h"

#include <cstdint>
#include <string>
#include <vector>

// A page in black and white: packed rows, 1 for black, the bits past the width 0.
struct Rendering {
    uint32_t width = 0;
    uint32_t length = 0;
    std::vector<uint8_t> black;
    bool operator==(const Rendering& other) const {
        return width == other.width && length == other.length && black == other.black;
    }
};

// Packed rows with 1 for black, from rows with 1 for white when `whiteIsOne`.
std::vector<uint8_t> BlackIsOne(std::vector<uint8_t> rows, uint32_t width, bool whiteIsOne);

enum class Reader { Ghostscript, Poppler };

// Page `page` (1 the first) as the reader renders it at the resolution given, in dots per inch;
// empty when it cannot.
Rendering RenderPage(const std::string& pdf, Reader reader, int page, double xDpi, double yDpi);

// The count of pages that qpdf finds, when `qpdf --check` passes the file; else -1.
int CheckedPages(const std::string& pdf);

// The program's way from a rendered TIFF to a PDF: the copier's Group 4 pages, each in one strip,
// then the writer.
PdfResult CopyIntoPdf(const std::string& tiff, const std::string& pdf, int& pages);
