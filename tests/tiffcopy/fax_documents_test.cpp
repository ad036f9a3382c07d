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

TEST_P(FaxDocument, EveryPageIsRewrittenInGroup4WithIdenticalPixels) {
    const FaxCase& c = GetParam();
    TempDir dir;
    std::vector<PageSpec> pages;
    for (uint32_t i = 0; i < 3; ++i) {
        PageSpec page = FaxPage(c.compression, 100 + 37 * i, i + 1);
        page.group3Options = c.group3Options;
        page.rowsPerStrip = c.rowsPerStrip;
        pages.push_back(page);
    }
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), pages));

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
        uint32_t width = 0;
        uint32_t length = 0;
        float xResolution = 0;
        TIFFGetField(out.get(), TIFFTAG_COMPRESSION, &compression);
        TIFFGetField(out.get(), TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(out.get(), TIFFTAG_IMAGELENGTH, &length);
        TIFFGetField(out.get(), TIFFTAG_XRESOLUTION, &xResolution);
        EXPECT_EQ(COMPRESSION_CCITTFAX4, compression);
        EXPECT_EQ(pages[i].width, width);
        EXPECT_EQ(pages[i].length, length);
        EXPECT_FLOAT_EQ(204.0f, xResolution);
        EXPECT_EQ(PagePixels(pages[i]), ReadPixels(out.get()));
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

TEST(FaxTags, AreCarriedIntoGroup4Output) {
    TempDir dir;
    PageSpec page = FaxPage(COMPRESSION_CCITTFAX3, 40, 7);
    page.extraTags = [](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_BADFAXLINES, uint32_t{3});
        TIFFSetField(tif, TIFFTAG_CLEANFAXDATA, uint16_t{CLEANFAXDATA_REGENERATED});
        TIFFSetField(tif, TIFFTAG_CONSECUTIVEBADFAXLINES, uint32_t{2});
        TIFFSetField(tif, TIFFTAG_FAXRECVPARAMS, uint32_t{0x1234});
        TIFFSetField(tif, TIFFTAG_FAXRECVTIME, uint32_t{42});
        TIFFSetField(tif, TIFFTAG_FAXSUBADDRESS, "1234#5");
        TIFFSetField(tif, TIFFTAG_PAGENUMBER, uint16_t{2}, uint16_t{5});
        TIFFSetField(tif, TIFFTAG_DATETIME, "2026:12:07 08:30:00");
        TIFFSetField(tif, TIFFTAG_SOFTWARE, "renderer");
    };
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page}));
    const CopyOptions options = ProgramOptions();
    ASSERT_EQ(0, CopyInToOut(dir, options));

    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    uint32_t badLines = 0, consecutive = 0, params = 0, time = 0;
    uint16_t clean = 0, pageNumber = 0, pageCount = 0;
    char* subAddress = nullptr;
    char* dateTime = nullptr;
    char* software = nullptr;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_BADFAXLINES, &badLines));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_CLEANFAXDATA, &clean));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_CONSECUTIVEBADFAXLINES, &consecutive));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_FAXRECVPARAMS, &params));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_FAXRECVTIME, &time));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_FAXSUBADDRESS, &subAddress));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_PAGENUMBER, &pageNumber, &pageCount));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_DATETIME, &dateTime));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_SOFTWARE, &software));
    EXPECT_EQ(3u, badLines);
    EXPECT_EQ(CLEANFAXDATA_REGENERATED, clean);
    EXPECT_EQ(2u, consecutive);
    EXPECT_EQ(0x1234u, params);
    EXPECT_EQ(42u, time);
    EXPECT_STREQ("1234#5", subAddress);
    EXPECT_EQ(2, pageNumber);
    EXPECT_EQ(5, pageCount);
    EXPECT_STREQ("2026:12:07 08:30:00", dateTime);
    EXPECT_STREQ("renderer", software);
}
} // namespace
