// Fax documents through the copier and the PDF writer, read back by outside programs: each page
// renders at the fax's own resolution to exactly the fax's pixels, so it is as large on paper as
// the fax, and qpdf finds nothing wrong with the file.
#include "pdfwrite/pdf_readers.h"

#include "support/temp_dir.h"
#include "support/text_file.h"
#include "support/tiff_writer.h"

#include <gtest/gtest.h>

namespace {
struct Fax {
    const char* name;
    float x, y;        // the resolution tags, each left out when 0
    uint16_t unit;     // of the tags, left out when 0
    double dpiX, dpiY; // what the page stands for on paper
    int pages;
    uint32_t width;
    uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    uint16_t fillOrder = FILLORDER_MSB2LSB;
    uint32_t rowsPerStrip = 0; // of the rendered file; 0 one strip
};

void PrintTo(const Fax& fax, std::ostream* out) {
    *out << fax.name;
}

class FaxToPdf : public ::testing::TestWithParam<Fax> {};

TEST_P(FaxToPdf, EachPageRendersBackAtTheFaxResolutionToTheFaxPixels) {
    const Fax& fax = GetParam();
    TempDir dir("pdf");
    std::vector<PageSpec> pages(static_cast<size_t>(fax.pages));
    for (size_t i = 0; i < pages.size(); ++i) {
        pages[i].width = fax.width;
        pages[i].length = 200 + 50 * static_cast<uint32_t>(i);
        pages[i].photometric = fax.photometric;
        pages[i].rowsPerStrip = fax.rowsPerStrip;
        pages[i].seed = static_cast<uint32_t>(i) + 1;
        pages[i].extraTags = [fax](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_FILLORDER, fax.fillOrder);
            if (fax.x != 0)
                TIFFSetField(tif, TIFFTAG_XRESOLUTION, fax.x);
            if (fax.y != 0)
                TIFFSetField(tif, TIFFTAG_YRESOLUTION, fax.y);
            if (fax.unit != 0)
                TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, fax.unit);
        };
    }
    ASSERT_TRUE(WriteTiff(dir / "fax.tif", pages));

    int written = 0;
    ASSERT_EQ(PdfResult::Written, CopyIntoPdf(dir / "fax.tif", dir / "fax.pdf", written));
    EXPECT_EQ(fax.pages, written);
    EXPECT_EQ(fax.pages, CheckedPages(dir / "fax.pdf"));
    const std::string pdf = ReadFile(dir / "fax.pdf");
    EXPECT_EQ(0u, pdf.rfind("%PDF-1.3\n", 0));
    EXPECT_NE(std::string::npos, pdf.find("/Producer (Tarnvel)"));
    for (const Reader reader : {Reader::Ghostscript, Reader::Poppler})
        for (int i = 0; i < fax.pages; ++i) {
            const PageSpec& page = pages[static_cast<size_t>(i)];
            const Rendering expected{page.width, page.length,
                                     BlackIsOne(PagePixels(page), page.width, page.photometric != 0)};
            const Rendering rendered = RenderPage(dir / "fax.pdf", reader, i + 1, fax.dpiX, fax.dpiY);
            EXPECT_TRUE(expected == rendered)
                << (reader == Reader::Ghostscript ? "Ghostscript" : "poppler") << ", page " << i + 1 << ": "
                << rendered.width << " x " << rendered.length << " pixels";
        }
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, FaxToPdf,
    ::testing::Values(Fax{"Fine", 204, 196, RESUNIT_INCH, 204, 196, 3, 1728},
                      Fax{"Normal", 204, 98, RESUNIT_INCH, 204, 98, 1, 1728},
                      // A width that is no whole number of bytes.
                      Fax{"Square", 200, 200, RESUNIT_INCH, 200, 200, 2, 1700},
                      // What else a renderer may write: black as 0, the first pixel in the low bit, strips.
                      Fax{"NormalBlackIsZeroLowBitFirstInStrips", 204, 98, RESUNIT_INCH, 204, 98, 2, 1728,
                          PHOTOMETRIC_MINISBLACK, FILLORDER_LSB2MSB, 16},
                      Fax{"Centimetres", 80, 77, RESUNIT_CENTIMETER, 203.2, 195.58, 1, 1728},
                      Fax{"NoUnit", 204, 98, RESUNIT_NONE, 204, 98, 1, 1728},
                      Fax{"NoResolution", 0, 0, 0, 200, 200, 1, 1728},
                      Fax{"OnlyDown", 0, 98, RESUNIT_INCH, 98, 98, 1, 1728}),
    [](const ::testing::TestParamInfo<Fax>& param) { return std::string(param.param.name); });
} // namespace
