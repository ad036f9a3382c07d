// Multi-page fax documents, as the renderer leaves them, rewritten into Group 4.
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

namespace {
struct FaxCase {
    const char* name;
    uint16_t compression;
    uint32_t group3Options;
    uint32_t rowsPerStrip;
};

class FaxDocument : public ::testing::TestWithParam<FaxCase> {};

// Every tag the copier carries over, with a value a fax could hold: a normal-mode fax's 98 dpi,
// for one, shows at half its height where YResolution is lost. False when the library refuses one.
bool SetCarriedTags(TIFF* tif, uint16_t compression) {
    static const float whitePoint[] = {0.3127f, 0.329f};
    static const float primaries[] = {0.64f, 0.33f, 0.3f, 0.6f, 0.15f, 0.06f};
    static const float coefficients[] = {0.299f, 0.587f, 0.114f};
    static const float blackWhite[] = {0, 255, 128, 255, 128, 255};
    static const uint16_t extraSamples[] = {EXTRASAMPLE_UNSPECIFIED};
    // The library knows the fax tags under the fax compressions only, Group4Options under Group 4.
    const bool fax = compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4;
    return (compression != COMPRESSION_CCITTFAX4 || TIFFSetField(tif, TIFFTAG_GROUP4OPTIONS, 0u)) &&
           (!fax ||
            (TIFFSetField(tif, TIFFTAG_BADFAXLINES, 3u) && TIFFSetField(tif, TIFFTAG_CLEANFAXDATA, 1) &&
             TIFFSetField(tif, TIFFTAG_CONSECUTIVEBADFAXLINES, 2u) &&
             TIFFSetField(tif, TIFFTAG_FAXRECVPARAMS, 0x1234u) &&
             TIFFSetField(tif, TIFFTAG_FAXRECVTIME, 42u) &&
             TIFFSetField(tif, TIFFTAG_FAXSUBADDRESS, "1234#5"))) &&
           TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_LSB2MSB) &&
           TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
           TIFFSetField(tif, TIFFTAG_PAGENUMBER, 1, 2) &&
           TIFFSetField(tif, TIFFTAG_SUBFILETYPE, uint32_t{FILETYPE_PAGE}) &&
           TIFFSetField(tif, TIFFTAG_THRESHHOLDING, THRESHHOLD_BILEVEL) &&
           TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, "fax.awd") &&
           TIFFSetField(tif, TIFFTAG_IMAGEDESCRIPTION, "from +1 555 0100") &&
           TIFFSetField(tif, TIFFTAG_MAKE, "make") && TIFFSetField(tif, TIFFTAG_MODEL, "model") &&
           TIFFSetField(tif, TIFFTAG_MINSAMPLEVALUE, 0) && TIFFSetField(tif, TIFFTAG_MAXSAMPLEVALUE, 1) &&
           TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0) && TIFFSetField(tif, TIFFTAG_YRESOLUTION, 98.0) &&
           TIFFSetField(tif, TIFFTAG_PAGENAME, "page") && TIFFSetField(tif, TIFFTAG_XPOSITION, 0.5) &&
           TIFFSetField(tif, TIFFTAG_YPOSITION, 0.25) &&
           TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) &&
           TIFFSetField(tif, TIFFTAG_SOFTWARE, "renderer") &&
           TIFFSetField(tif, TIFFTAG_DATETIME, "2026:12:07 08:30:00") &&
           TIFFSetField(tif, TIFFTAG_ARTIST, "sender") &&
           TIFFSetField(tif, TIFFTAG_HOSTCOMPUTER, "fax server") &&
           TIFFSetField(tif, TIFFTAG_WHITEPOINT, whitePoint) &&
           TIFFSetField(tif, TIFFTAG_PRIMARYCHROMATICITIES, primaries) &&
           TIFFSetField(tif, TIFFTAG_HALFTONEHINTS, 0, 1) &&
           TIFFSetField(tif, TIFFTAG_INKSET, INKSET_MULTIINK) && TIFFSetField(tif, TIFFTAG_DOTRANGE, 0, 1) &&
           TIFFSetField(tif, TIFFTAG_TARGETPRINTER, "printer") &&
           TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT) &&
           TIFFSetField(tif, TIFFTAG_YCBCRCOEFFICIENTS, coefficients) &&
           TIFFSetField(tif, TIFFTAG_YCBCRSUBSAMPLING, 1, 1) &&
           TIFFSetField(tif, TIFFTAG_YCBCRPOSITIONING, YCBCRPOSITION_CENTERED) &&
           TIFFSetField(tif, TIFFTAG_REFERENCEBLACKWHITE, blackWhite) &&
           TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extraSamples) &&
           TIFFSetField(tif, TIFFTAG_SMINSAMPLEVALUE, 0.0) &&
           TIFFSetField(tif, TIFFTAG_SMAXSAMPLEVALUE, 1.0) && TIFFSetField(tif, TIFFTAG_STONITS, 100.0);
}

// One page's directory entries as lines, but those the copier rewrites: the compression with its
// options, where the strips lie, and the strip size of a page that gives none.
std::string CarriedEntries(const std::string& path, int page, bool rowsPerStrip) {
    std::string text;
    for (const auto& entry : DirectoryEntries(path, page)) {
        const uint16_t tag = entry.first;
        if (tag != TIFFTAG_COMPRESSION && tag != TIFFTAG_GROUP3OPTIONS && tag != TIFFTAG_STRIPOFFSETS &&
            tag != TIFFTAG_STRIPBYTECOUNTS && (rowsPerStrip || tag != TIFFTAG_ROWSPERSTRIP))
            text += std::to_string(tag) + " " + entry.second + "\n";
    }
    return text;
}

TEST_P(FaxDocument, EveryPageIsRewrittenInGroup4WithIdenticalPixelsAndEveryTagCarried) {
    const FaxCase& c = GetParam();
    TempDir dir;
    bool taken = true;
    std::vector<PageSpec> pages;
    for (uint32_t i = 0; i < 3; ++i) {
        PageSpec page = FaxPage(c.compression, 100 + 37 * i, i + 1);
        page.group3Options = c.group3Options;
        page.rowsPerStrip = c.rowsPerStrip;
        page.extraTags = [&](TIFF* tif) { taken = SetCarriedTags(tif, c.compression) && taken; };
        pages.push_back(page);
    }
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages) && taken);

    const CopyOptions options = ProgramOptions();
    ASSERT_EQ(0, CopyInToOut(dir, options));
    EXPECT_EQ(3, LastCopyReport().directoriesWritten);
    EXPECT_EQ(0, LastCopyReport().readFailures);

    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        if (i > 0) {
            ASSERT_TRUE(TIFFReadDirectory(out.get()));
        }
        uint16_t compression = 0;
        TIFFGetField(out.get(), TIFFTAG_COMPRESSION, &compression);
        EXPECT_EQ(COMPRESSION_CCITTFAX4, compression);
        EXPECT_EQ(PagePixels(pages[i]), ReadPixels(out.get()));
        EXPECT_EQ(CarriedEntries(dir.Path("in.tif"), static_cast<int>(i), c.rowsPerStrip != 0),
                  CarriedEntries(dir.Path("out.tif"), static_cast<int>(i), c.rowsPerStrip != 0));
    }
    EXPECT_FALSE(TIFFReadDirectory(out.get()));
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, FaxDocument,
    ::testing::Values(FaxCase{"Group3OneDimensional", COMPRESSION_CCITTFAX3, 0, 0},
                      FaxCase{"Group3OneDimensionalStrips", COMPRESSION_CCITTFAX3, 0, 32},
                      FaxCase{"Group3TwoDimensional", COMPRESSION_CCITTFAX3, GROUP3OPT_2DENCODING, 0},
                      FaxCase{"Group3TwoDimensionalStrips", COMPRESSION_CCITTFAX3, GROUP3OPT_2DENCODING, 50},
                      FaxCase{"Group4", COMPRESSION_CCITTFAX4, 0, 0},
                      FaxCase{"Group4Strips", COMPRESSION_CCITTFAX4, 0, 64},
                      FaxCase{"Uncompressed", COMPRESSION_NONE, 0, 0},
                      FaxCase{"UncompressedStrips", COMPRESSION_NONE, 0, 10}),
    [](const ::testing::TestParamInfo<FaxCase>& param) { return std::string(param.param.name); });

} // namespace
