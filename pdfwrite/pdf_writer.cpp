// WritePdf: every directory of the TIFF becomes a page whose image is the directory's Group 4
// data, with the page as large as the image is on paper.
#include "pdfwrite/pdfwrite.h"

#include "pdfwrite/fax_image.h"
#include "pdfwrite/pdf_file.h"
#include "tiffcopy/file_open.h"

#include <memory>

namespace {
// The page tree, catalog and document information come first; each page then takes three
// numbers: its image, its content and itself.
constexpr uint32_t kCatalog = 1;
constexpr uint32_t kPageTree = 2;
constexpr uint32_t kInfo = 3;
constexpr uint32_t kFirstPage = 4;

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};

std::string Reference(uint32_t number) {
    return std::to_string(number) + " 0 R";
}

// A side of the page, in points: a pixel is 72 / resolution of them, so that a reader shows and
// prints the page at its size on paper, whatever the shape of its pixels. It is written a hair
// short: a reader that rounds the page up to whole pixels at the fax's resolution must not gain
// a row or a column from the decimals.
std::string PageSide(uint32_t pixels, double dpi) {
    return PdfReal(pixels * 72.0 / dpi - 0.0001);
}

// The image fills the page.
std::string WritePage(PdfFile& pdf, uint32_t first, const FaxImage& image) {
    const std::string width = PageSide(image.width, image.resolution.x);
    const std::string height = PageSide(image.length, image.resolution.y);
    const std::string columns = std::to_string(image.width);
    const std::string rows = std::to_string(image.length);
    // K -1 is pure two-dimensional coding; rows of TIFF's Group 4 data are not byte-aligned, and
    // its strips may end with an end-of-block code: both are the filter's defaults.
    const std::string decoding =
        "<< /K -1 /Columns " + columns + " /Rows " + rows + (image.blackIs1 ? " /BlackIs1 true" : "") + " >>";
    pdf.WriteStream(first,
                    "/Type /XObject /Subtype /Image /Width " + columns + " /Height " + rows +
                        " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /CCITTFaxDecode /DecodeParms " +
                        decoding,
                    image.data.data(), image.data.size());
    const std::string content = "q " + width + " 0 0 " + height + " 0 0 cm /Fax Do Q";
    pdf.WriteStream(first + 1, "", reinterpret_cast<const uint8_t*>(content.data()), content.size());
    pdf.WriteObject(first + 2, "<< /Type /Page /Parent " + Reference(kPageTree) + " /MediaBox [0 0 " + width +
                                   " " + height + "] /Resources << /XObject << /Fax " + Reference(first) +
                                   " >> /ProcSet [/PDF /ImageB] >> /Contents " + Reference(first + 1) +
                                   " >>");
    return Reference(first + 2);
}
} // namespace

PdfResult WritePdf(const char* tiffPath, const char* pdfPath, int& pages) {
    pages = 0;
    const std::unique_ptr<TIFF, TiffCloser> tiff(OpenTiff(tiffPath, "r"));
    TIFF* tif = tiff.get();
    if (!tif)
        return PdfResult::InputNotOpened;
    PdfFile pdf(pdfPath);
    if (!pdf.IsOpen())
        return PdfResult::OutputFailed;
    pdf.WriteObject(kCatalog, "<< /Type /Catalog /Pages " + Reference(kPageTree) + " >>");
    pdf.WriteObject(kInfo, "<< /Producer (Tarnvel) >>");

    FaxImage image;
    std::string kids;
    for (;;) {
        if (!ReadFaxImage(tif, image))
            return PdfResult::PageRefused;
        kids += (pages ? " " : "") + WritePage(pdf, kFirstPage + 3 * static_cast<uint32_t>(pages), image);
        ++pages;
        // A directory that points at one that cannot be read: the TIFF was cut short.
        if (TIFFLastDirectory(tif))
            break;
        if (!TIFFReadDirectory(tif))
            return PdfResult::PageRefused;
    }
    pdf.WriteObject(kPageTree,
                    "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>");
    return pdf.Finish(kCatalog, kInfo) ? PdfResult::Written : PdfResult::OutputFailed;
}
