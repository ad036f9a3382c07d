// The PDF writer's files read back by outside programs (Ghostscript, poppler and qpdf, which the
// build installs): fax documents through the copier and the writer render at the fax's own
// resolution to exactly the fax's pixels, page for page, so that each page is as large on paper as
// the fax, and qpdf finds nothing wrong with them; what the writer refuses; and the fuzz target's
// inputs, whatever the copier makes of them and as they are, give a PDF that qpdf passes or none.
#include "pdfwrite/pdfwrite.h"
#include "support/temp_dir.h"
#include "support/text_file.h"
#include "support/tiff_writer.h"
#include "tiffcopy/tiffcopy.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {
// A page in black and white: packed rows, 1 for black, the bits past the width 0.
struct Rendering {
    uint32_t width = 0;
    uint32_t length = 0;
    std::vector<uint8_t> black;
    bool operator==(const Rendering& other) const {
        return width == other.width && length == other.length && black == other.black;
    }
};

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Packed rows with 1 for black, from rows with 1 for white when `whiteIsOne`.
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

enum class Reader { Ghostscript, Poppler };

// Page `page` (1 the first) as the reader renders it at the resolution given, in dots per inch;
// empty when it cannot.
Rendering RenderPage(const std::string& pdf, Reader reader, int page, double xDpi, double yDpi) {
    const std::string image = pdf + "-page"; // poppler adds ".tif"
    const std::string n = std::to_string(page);
    // Ghostscript's fax devices would widen a page near a fax's width to the fax's width.
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

// The count of pages that qpdf finds, when `qpdf --check` passes the file; else -1.
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

// The program's way from a rendered TIFF to a PDF: the copier's Group 4 pages, each in one strip,
// then the writer (InputNotOpened when the copy fails).
PdfResult CopyIntoPdf(const std::string& tiff, const std::string& pdf, int& pages) {
    const std::string strips = pdf + ".tif";
    const CopyOptions options{6, 75, 0, -1, 0};
    pages = 0;
    if (CopyTiffFile(tiff.c_str(), strips.c_str(), &options, PageLayout::OneStrip) != 0)
        return PdfResult::InputNotOpened;
    return WritePdf(strips.c_str(), pdf.c_str(), pages);
}

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

PageSpec Page(uint16_t compression, uint32_t rowsPerStrip = 0, uint32_t tile = 0) {
    PageSpec page;
    page.compression = compression;
    page.rowsPerStrip = rowsPerStrip;
    page.tileWidth = page.tileLength = tile;
    return page;
}

TEST(PdfWriter, RefusesWhatOnePdfImageCannotHoldAndWhatItCannotOpenOrWrite) {
    TempDir dir("pdf");
    const PageSpec group4 = Page(COMPRESSION_CCITTFAX4);
    const struct {
        std::vector<PageSpec> pages; // none: no input file
        const char* output;
        PdfResult result;
        int written;
        bool cut = false; // the file ends inside its last directory
    } cases[] = {
        {{Page(COMPRESSION_NONE)}, "out.pdf", PdfResult::PageRefused, 0},
        {{group4, Page(COMPRESSION_CCITTFAX4, 16)}, "out.pdf", PdfResult::PageRefused, 1},
        {{Page(COMPRESSION_CCITTFAX4, 0, 16)}, "out.pdf", PdfResult::PageRefused, 0},
        {{group4, group4}, "out.pdf", PdfResult::PageRefused, 1, true},
        {{}, "out.pdf", PdfResult::InputNotOpened, 0},
        {{group4}, "no-such-folder/out.pdf", PdfResult::OutputFailed, 0},
        {{group4, group4}, "out.pdf", PdfResult::Written, 2},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string tiff = dir / (std::to_string(++number) + ".tif");
        if (!c.pages.empty()) {
            ASSERT_TRUE(WriteTiff(tiff, c.pages));
        }
        if (c.cut)
            std::filesystem::resize_file(tiff, std::filesystem::file_size(tiff) - 8);
        int written = -1;
        EXPECT_EQ(c.result, WritePdf(tiff.c_str(), (dir / c.output).c_str(), written)) << "case " << number;
        EXPECT_EQ(c.written, written) << "case " << number;
    }
}

// The seeds that the fuzz target starts from, and the inputs that fuzzing found harmful.
TEST(PdfWriter, TheFuzzInputsGiveCheckedPdfsOrNone) {
    TempDir seeds("seeds");
    ASSERT_EQ(0, std::system((std::string(TARNVEL_FUZZ_SEED_WRITER) + " '" + seeds.Path() + "'").c_str()));
    TempDir dir("pdf");
    int checked = 0;
    for (const std::string& folder : {seeds.Path(), std::string(TARNVEL_TEST_DATA_DIR)})
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string input = entry.path().string();
            int pages = 0;
            const bool copied = CopyIntoPdf(input, dir / "copied.pdf", pages) == PdfResult::Written;
            const bool direct =
                WritePdf(input.c_str(), (dir / "direct.pdf").c_str(), pages) == PdfResult::Written;
            EXPECT_TRUE(!copied || CheckedPages(dir / "copied.pdf") > 0) << input;
            EXPECT_TRUE(!direct || CheckedPages(dir / "direct.pdf") > 0) << input;
            checked += copied + direct;
        }
    // Each bilevel seed makes two.
    EXPECT_GE(checked, 8);
}
} // namespace
