// What the PDF writer's tests share: the program's way to a PDF, and outside programs that read
// the PDF back (Ghostscript, poppler and qpdf, which the build installs).
#pragma once

#include "pdfwrite/pdfwrite.h"

#include <cstdint>
#include <string>
#include <vector>

// A rendered page: one byte per pixel, 1 for black.
struct Bitmap {
    uint32_t width = 0;
    uint32_t length = 0;
    std::vector<uint8_t> black;
    bool operator==(const Bitmap& other) const {
        return width == other.width && length == other.length && black == other.black;
    }
};

enum class Reader { Ghostscript, Poppler };

// Every page of `pdf` rendered to black and white at the resolution given, in dots per inch.
std::vector<Bitmap> RenderPages(const std::string& pdf, Reader reader, double xDpi, double yDpi);

// What `qpdf --check` says of a PDF it finds fault with; empty when it finds none.
std::string QpdfProblems(const std::string& pdf);

// The program's way from a rendered TIFF to a PDF: the copier's Group 4 pages, each in one strip,
// then the writer.
PdfResult CopyIntoPdf(const std::string& tiff, const std::string& pdf, int& pages);
