// Compression codes, the options record and what carries over between copies.
#include "tiffcopy/copier_state.h"
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

namespace {
struct CodeRow {
    int32_t code;
    uint16_t compression;
    uint32_t group3Options;
};

TEST(CompressionCode, MapsEveryKnownCode) {
    const CodeRow rows[] = {
        {0, COMPRESSION_NONE, 0},      {1, COMPRESSION_PACKBITS, 0},  {2, COMPRESSION_CCITTFAX3, 4},
        {3, COMPRESSION_CCITTFAX3, 0}, {4, COMPRESSION_CCITTFAX3, 5}, {5, COMPRESSION_CCITTFAX3, 1},
        {6, COMPRESSION_CCITTFAX4, 0}, {7, COMPRESSION_JPEG, 0},      {8, COMPRESSION_JPEG, 0},
        {9, COMPRESSION_LZW, 0},       {10, COMPRESSION_DEFLATE, 0}};
    for (const CodeRow& row : rows) {
        SCOPED_TRACE(row.code);
        Copier().defaultGroup3Options = 0xDEAD;
        EXPECT_EQ(1, ApplyCompressionCode(row.code));
        EXPECT_EQ(row.compression, Copier().defaultCompression);
        EXPECT_EQ(row.group3Options, Copier().defaultGroup3Options);
    }
}

TEST(CompressionCode, UnknownCodeKeepsThePreviousCompression) {
    ApplyCompressionCode(6);
    Copier().defaultGroup3Options = 0xDEAD;
    EXPECT_EQ(0, ApplyCompressionCode(11));
    EXPECT_EQ(0, ApplyCompressionCode(-1));
    EXPECT_EQ(COMPRESSION_CCITTFAX4, Copier().defaultCompression);
    EXPECT_EQ(0u, Copier().defaultGroup3Options);
}

TEST(CompressionCode, JpegColourModeChangesOnlyWithJpegCodes) {
    ApplyCompressionCode(8);
    EXPECT_EQ(0, Copier().jpegColorMode);
    ApplyCompressionCode(6);
    EXPECT_EQ(0, Copier().jpegColorMode);
    ApplyCompressionCode(7);
    EXPECT_EQ(1, Copier().jpegColorMode);
    ApplyCompressionCode(6);
    EXPECT_EQ(1, Copier().jpegColorMode);
}

TEST(CopyOptionsRecord, AppliesModeFillOrderTilingAndQuality) {
    const CopyOptions append{6, 50, 0x10002, 1, 1};
    EXPECT_STREQ("a", ApplyCopyOptions(append));
    EXPECT_EQ(50, Copier().jpegQuality);
    EXPECT_EQ(1, Copier().tileOutput);
    ResetDirectoryValues();
    EXPECT_EQ(2, Copier().fillOrder);
    EXPECT_EQ(COMPRESSION_CCITTFAX4, Copier().compression);
    EXPECT_EQ(0xFFFF, Copier().planarConfig);
    EXPECT_EQ(0u, Copier().rowsPerStrip);
    EXPECT_EQ(0xFFFFFFFFu, Copier().tileWidth);
    EXPECT_EQ(0xFFFFFFFFu, Copier().tileLength);

    const CopyOptions create{4, 75, 0, -1, 0};
    EXPECT_STREQ("w", ApplyCopyOptions(create));
    EXPECT_EQ(-1, Copier().tileOutput);
    ResetDirectoryValues();
    EXPECT_EQ(0, Copier().fillOrder);
    EXPECT_EQ(COMPRESSION_CCITTFAX3, Copier().compression);
    EXPECT_EQ(5u, Copier().group3Options);
}

// Whole copies: the compression of an unknown code is the previous copy's.
TEST(CarryOver, UnknownCodeCopiesWithThePreviousCallsCompression) {
    TempDir dir;
    PageSpec page;
    page.compression = COMPRESSION_PACKBITS;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page}));
    CopyOptions options = ProgramOptions();
    ASSERT_EQ(0, CopyTiff(dir.Path("in.tif").c_str(), dir.Path("g4.tif").c_str(), &options));
    options.nCompression = 11;
    ASSERT_EQ(0, CopyInToOut(dir, options));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    uint16_t compression = 0;
    TIFFGetField(out.get(), TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(COMPRESSION_CCITTFAX4, compression);
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

TEST(CarryOver, NoCompressionChosenYetKeepsEachDirectorysOwn) {
    Copier().defaultCompression = 0xFFFF; // the state at process start
    TempDir dir;
    PageSpec packed;
    packed.compression = COMPRESSION_PACKBITS;
    PageSpec lzw;
    lzw.compression = COMPRESSION_LZW;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {packed, lzw}));
    CopyOptions options = ProgramOptions();
    options.nCompression = -1;
    ASSERT_EQ(0, CopyInToOut(dir, options));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    uint16_t compression = 0;
    TIFFGetField(out.get(), TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(COMPRESSION_PACKBITS, compression);
    ASSERT_TRUE(TIFFReadDirectory(out.get()));
    TIFFGetField(out.get(), TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(COMPRESSION_LZW, compression);
}

TEST(CarryOver, JpegColourModeDecidesThePhotometricOfRgbInput) {
    if (!TIFFIsCODECConfigured(COMPRESSION_JPEG))
        GTEST_SKIP() << "this libtiff has no JPEG codec (the Windows build): only the state is checked above";
    TempDir dir;
    PageSpec rgb;
    rgb.width = 32;
    rgb.length = 16;
    rgb.bitsPerSample = 8;
    rgb.samplesPerPixel = 3;
    rgb.photometric = PHOTOMETRIC_RGB;
    rgb.rowsPerStrip = 16;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {rgb}));
    auto photometricAfter = [&](int32_t code) {
        CopyOptions options = ProgramOptions();
        options.nCompression = code;
        EXPECT_EQ(0, CopyInToOut(dir, options));
        TiffHandle out = OpenForReading(dir.Path("out.tif"));
        uint16_t photometric = 0;
        if (out)
            TIFFGetField(out.get(), TIFFTAG_PHOTOMETRIC, &photometric);
        return photometric;
    };
    EXPECT_EQ(PHOTOMETRIC_YCBCR, photometricAfter(7));
    EXPECT_EQ(PHOTOMETRIC_RGB, photometricAfter(8));
    EXPECT_EQ(PHOTOMETRIC_RGB, photometricAfter(11)); // JPEG and raw colour mode carried over
    EXPECT_EQ(PHOTOMETRIC_YCBCR, photometricAfter(7));
}
} // namespace
