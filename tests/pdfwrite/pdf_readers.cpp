#include "pdfwrite/pdf_readers.h"

#include "support/tiff_writer.h"
#include "tiffcopy/tiffcopy.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}
} // namespace

std::vector<uint8_t> BlackIsOne(std::vector<uint8_t> rows, uint32_t width, bool whiteIsOne) {
    const size_t rowBytes = (width + 7) / 8;
    const uint8_t lastByte = static_cast<uint8_t>(0xFF << (rowBytes * 8 - width));
    for (size_t i = 0; i < rows.size(); ++i) {
        if (whiteIsOne)
            rows[i] = static_cast<uint8_t>(~rows[i]);
        if (i % rowBytes == rowBytes - 1)
            rows[i] &= lastByte;
    }
    return rows;
}

Rendering RenderPage(const std::string& pdf, Reader reader, int page, double xDpi, double yDpi) {
    const std::string image = pdf + "-page"; // poppler adds ".tif"
    // Ghostscript's fax devices would widen a page near a fax's width to the fax's width.
    const std::string n = std::to_string(page);
    const std::string command =
        reader == Reader::Ghostscript
            ? "gs -q -dSAFER -sDEVICE=tiffg4 -dAdjustWidth=0 -dFirstPage=" + n + " -dLastPage=" + n + " -r" +
                  Number(xDpi) + "x" + Number(yDpi) + " -o " + Quoted(image + ".tif") + " " + Quoted(pdf)
            : "pdftoppm -mono -tiff -singlefile -f " + n + " -l " + n + " -rx " + Number(xDpi) + " -ry " +
                  Number(yDpi) + " " + Quoted(pdf) + " " + Quoted(image);
    Rendering rendering;
    const TiffHandle tif = std::system((command + " >/dev/null 2>&1").c_str()) == 0
                               ? OpenForReading(image + ".tif")
                               : TiffHandle();
    uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    if (!tif || !TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &rendering.width) ||
        !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &rendering.length) ||
        !TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric))
        return Rendering{};
    rendering.black =
        BlackIsOne(ReadPixels(tif.get()), rendering.width, photometric == PHOTOMETRIC_MINISBLACK);
    return rendering;
}

int CheckedPages(const std::string& pdf) {
    if (std::system(("qpdf --check " + Quoted(pdf) + " >/dev/null 2>&1").c_str()) != 0)
        return -1;
    FILE* pipe = popen(("qpdf --show-npages " + Quoted(pdf)).c_str(), "r");
    int pages = -1;
    if (pipe && std::fscanf(pipe, "%d", &pages) != 1)
        pages = -1;
    if (pipe)
        pclose(pipe);
    return pages;
}

PdfResult CopyIntoPdf(const std::string& tiff, const std::string& pdf, int& pages) {
    const std::string strips = pdf + ".tif";
    const CopyOptions options{6, 75, 0, -1, 0};
    pages = 0;
    if (CopyTiffFile(tiff.c_str(), strips.c_str(), &options, PageLayout::OneStrip) != 0)
        return PdfResult::InputNotOpened;
    return WritePdf(strips.c_str(), pdf.c_str(), pages);
}
