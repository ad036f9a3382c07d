// Fax documents through the copier and the PDF writer, read back by outside programs: every page
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
    uint16_t photometric;
    uint16_t fillOrder;
    uint32_t rowsPerStrip; // of the rendered file; 0 one strip
};

void PrintTo(const Fax& fax, std::ostream* out) {
    *out << fax.name;
}

// The fax's pixels as a page renders them: 1 for black.
Bitmap Expected(const PageSpec& page) {
    const std::vector<uint8_t> packed = PagePixels(page);
    const uint64_t rowBytes = RowBytes(page);
    const uint8_t black = page.photometric == PHOTOMETRIC_MINISWHITE ? 1 : 0;
    Bitmap bitmap{page.width, page.length, {}};
    for (uint32_t y = 0; y < page.length; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
            bitmap.black.push_back(((packed[y * rowBytes + x / 8] >> (7 - x % 8)) & 1) == black);
    return bitmap;
}

class FaxToPdf : public ::testing::TestWithParam<Fax> {};

TEST_P(FaxToPdf, EveryPageRendersBackAtTheFaxResolutionToTheFaxPixels) {
    const Fax& fax = GetParam();
    TempDir dir("pdf");
    std::vector<PageSpec> pages;
    std::vector<Bitmap> expected;
    for (int i = 0; i < fax.pages; ++i) {
        PageSpec page;
        page.width = i == 1 ? 1723 : 1728; // a width that is no whole number of bytes too
        page.length = 200 + 50 * static_cast<uint32_t>(i);
        page.photometric = fax.photometric;
        page.rowsPerStrip = fax.rowsPerStrip;
        page.seed = static_cast<uint32_t>(i) + 1;
        page.extraTags = [fax](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_FILLORDER, fax.fillOrder);
            if (fax.x != 0)
                TIFFSetField(tif, TIFFTAG_XRESOLUTION, fax.x);
            if (fax.y != 0)
                TIFFSetField(tif, TIFFTAG_YRESOLUTION, fax.y);
            if (fax.unit != 0)
                TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, fax.unit);
        };
        pages.push_back(page);
        expected.push_back(Expected(page));
    }
    ASSERT_TRUE(WriteTiff(dir / "fax.tif", pages));

    int written = 0;
    ASSERT_EQ(PdfResult::Written, CopyIntoPdf(dir / "fax.tif", dir / "fax.pdf", written));
    EXPECT_EQ(fax.pages, written);
    EXPECT_EQ("", QpdfProblems(dir / "fax.pdf"));
    const std::string pdf = ReadFile(dir / "fax.pdf");
    EXPECT_EQ(0u, pdf.rfind("%PDF-1.3\n", 0));
    EXPECT_NE(std::string::npos, pdf.find("/Producer (Tarnvel)"));
    for (Reader reader : {Reader::Ghostscript, Reader::Poppler}) {
        SCOPED_TRACE(reader == Reader::Ghostscript ? "Ghostscript" : "poppler");
        const std::vector<Bitmap> rendered = RenderPages(dir / "fax.pdf", reader, fax.dpiX, fax.dpiY);
        ASSERT_EQ(expected.size(), rendered.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(expected[i] == rendered[i])
                << "page " << i + 1 << ": " << rendered[i].width << " x " << rendered[i].length << " pixels";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, FaxToPdf,
    ::testing::Values(
        Fax{"Fine", 204, 196, RESUNIT_INCH, 204, 196, 3, PHOTOMETRIC_MINISWHITE, FILLORDER_MSB2LSB, 0},
        Fax{"Normal", 204, 98, RESUNIT_INCH, 204, 98, 1, PHOTOMETRIC_MINISWHITE, FILLORDER_MSB2LSB, 0},
        Fax{"Square", 200, 200, RESUNIT_INCH, 200, 200, 2, PHOTOMETRIC_MINISWHITE, FILLORDER_MSB2LSB, 0},
        // What else a renderer may write: strips, black as 0, the first pixel in the low bit.
        Fax{"NormalInStripsBlackIsZeroLowBitFirst", 204, 98, RESUNIT_INCH, 204, 98, 2, PHOTOMETRIC_MINISBLACK,
            FILLORDER_LSB2MSB, 16},
        Fax{"Centimetres", 80, 77, RESUNIT_CENTIMETER, 203.2, 195.58, 1, PHOTOMETRIC_MINISWHITE,
            FILLORDER_MSB2LSB, 0},
        Fax{"NoUnit", 204, 98, RESUNIT_NONE, 204, 98, 1, PHOTOMETRIC_MINISWHITE, FILLORDER_MSB2LSB, 0},
        Fax{"NoResolution", 0, 0, 0, 200, 200, 1, PHOTOMETRIC_MINISWHITE, FILLORDER_MSB2LSB, 0},
        Fax{"OnlyDown", 0, 98, RESUNIT_INCH, 98, 98, 1, PHOTOMETRIC_MINISWHITE, FILLORDER_MSB2LSB, 0}),
    [](const ::testing::TestParamInfo<Fax>& param) { return std::string(param.param.name); });
} // namespace
