// Strip and tile geometry of the output, and the data routine each layout gets.
#include "tiffcopy/copier_state.h"
#include "tiffcopy/copy_routines.h"
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

namespace {
int CopyFile(const TempDir& dir, const std::vector<PageSpec>& pages, CopyOptions options = ProgramOptions()) {
    if (!WriteTiff(dir.Path("in.tif"), pages))
        return -100;
    return CopyInToOut(dir, options);
}

TEST(StripGeometry, StripsAreCopiedOneForOneWithAShortLastStrip) {
    TempDir dir;
    PageSpec page = FaxPage(COMPRESSION_CCITTFAX4, 1100, 3);
    page.rowsPerStrip = 64;
    ASSERT_EQ(0, CopyFile(dir, {page}));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    EXPECT_EQ(18u, TIFFNumberOfStrips(out.get()));
    std::vector<uint8_t> strip(static_cast<size_t>(TIFFStripSize64(out.get())));
    EXPECT_EQ(12 * 216, TIFFReadEncodedStrip(out.get(), 17, strip.data(), -1));
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

TEST(StripGeometry, MissingRowsPerStripTakesTheLibraryDefault) {
    TempDir dir;
    const PageSpec page = FaxPage(COMPRESSION_CCITTFAX4, 300, 4);
    ASSERT_EQ(0, CopyFile(dir, {page}));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    uint32_t rowsPerStrip = 0;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_ROWSPERSTRIP, &rowsPerStrip));
    EXPECT_EQ(37u, rowsPerStrip); // 8192 / 216 bytes a row
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

// libtiff writes only tile sizes that are multiples of 16; a file from elsewhere may have others.
TEST(TileGeometry, HundredPixelTilesBecomeOneHundredTwelve) {
    TempDir dir;
    PageSpec page;
    page.width = 300;
    page.length = 200;
    page.bitsPerSample = 8;
    page.photometric = PHOTOMETRIC_MINISBLACK;
    page.tileWidth = 96;
    page.tileLength = 96;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page}));
    ASSERT_TRUE(PatchDirectoryValue(dir.Path("in.tif"), 0, TIFFTAG_TILEWIDTH, 100));
    ASSERT_TRUE(PatchDirectoryValue(dir.Path("in.tif"), 0, TIFFTAG_TILELENGTH, 100));
    CopyOptions options = ProgramOptions();
    options.nCompression = 0;
    ASSERT_EQ(0, CopyInToOut(dir, options));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    uint32_t tileWidth = 0, tileLength = 0;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_TILEWIDTH, &tileWidth));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_TILELENGTH, &tileLength));
    EXPECT_EQ(112u, tileWidth);
    EXPECT_EQ(112u, tileLength);
}

TEST(TileGeometry, TiledToTiledKeepsPixelsAcrossDifferentTileSizes) {
    TempDir dir;
    PageSpec page;
    page.width = 250;
    page.length = 230;
    page.bitsPerSample = 8;
    page.photometric = PHOTOMETRIC_MINISBLACK;
    page.tileWidth = 96;
    page.tileLength = 48;
    CopyOptions options = ProgramOptions();
    options.nCompression = 1;
    ASSERT_EQ(0, CopyFile(dir, {page}, options));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    EXPECT_TRUE(TIFFIsTiled(out.get()));
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

TEST(TileGeometry, TiledFirstDirectoryMakesEveryDirectoryTiled) {
    TempDir dir;
    PageSpec tiled;
    tiled.width = 200;
    tiled.length = 70;
    tiled.tileWidth = 64;
    tiled.tileLength = 32;
    tiled.seed = 5;
    PageSpec stripped = FaxPage(COMPRESSION_CCITTFAX4, 90, 6);
    stripped.width = 300;
    ASSERT_EQ(0, CopyFile(dir, {tiled, stripped}));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    EXPECT_TRUE(TIFFIsTiled(out.get()));
    EXPECT_EQ(PagePixels(tiled), ReadPixels(out.get()));
    ASSERT_TRUE(TIFFReadDirectory(out.get()));
    EXPECT_TRUE(TIFFIsTiled(out.get()));
    uint32_t tileWidth = 0;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_TILEWIDTH, &tileWidth));
    EXPECT_EQ(256u, tileWidth); // the stripped input has no tile size: the library default
    EXPECT_EQ(PagePixels(stripped), ReadPixels(out.get()));
}

TEST(TileGeometry, TilingOptionForcesStripsOrTiles) {
    TempDir dir;
    PageSpec tiled;
    tiled.width = 100;
    tiled.length = 50;
    tiled.tileWidth = 32;
    tiled.tileLength = 32;
    CopyOptions options = ProgramOptions();
    options.nTiling = 0;
    ASSERT_EQ(0, CopyFile(dir, {tiled}, options));
    {
        TiffHandle out = OpenForReading(dir.Path("out.tif"));
        ASSERT_TRUE(out);
        EXPECT_FALSE(TIFFIsTiled(out.get()));
        EXPECT_EQ(PagePixels(tiled), ReadPixels(out.get()));
    }
    options.nTiling = 1;
    const PageSpec stripped = FaxPage(COMPRESSION_CCITTFAX3, 40, 2);
    ASSERT_EQ(0, CopyFile(dir, {stripped}, options));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    EXPECT_TRUE(TIFFIsTiled(out.get()));
    EXPECT_EQ(PagePixels(stripped), ReadPixels(out.get()));
}

TEST(TileGeometry, OutsideOfEdgeTilesIsZero) {
    TempDir dir;
    PageSpec page;
    page.width = 40; // one 256 x 256 tile, mostly outside the image
    page.length = 20;
    page.bitsPerSample = 8;
    page.photometric = PHOTOMETRIC_MINISBLACK;
    CopyOptions options = ProgramOptions();
    options.nCompression = 0;
    options.nTiling = 1;
    ASSERT_EQ(0, CopyFile(dir, {page}, options));
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize64(out.get())), 0xAB);
    ASSERT_GT(TIFFReadTile(out.get(), tile.data(), 0, 0, 0, 0), 0);
    const std::vector<uint8_t> pixels = PagePixels(page);
    for (uint32_t row = 0; row < 256; ++row)
        for (uint32_t x = 0; x < 256; ++x) {
            const uint8_t expected = (row < 20 && x < 40) ? pixels[row * 40 + x] : 0;
            ASSERT_EQ(expected, tile[row * 256 + x]) << row << "," << x;
        }
}

// The routine table, checked on open handles set up as the copier sets them up.
class RoutineChoice : public ::testing::Test {
protected:
    CopyRoutine Choose(PageSpec input, bool tiledOutput, uint32_t outputRowsPerStrip) {
        EXPECT_TRUE(WriteTiff(m_dir.Path("in.tif"), {input}));
        TiffHandle in = OpenForReading(m_dir.Path("in.tif"));
        TiffHandle output(TIFFOpen(m_dir.Path("out.tif").c_str(), "w"));
        TIFF* out = output.get();
        EXPECT_TRUE(in && out);
        TIFFSetField(out, TIFFTAG_IMAGEWIDTH, input.width);
        TIFFSetField(out, TIFFTAG_IMAGELENGTH, input.length);
        if (tiledOutput) {
            TIFFSetField(out, TIFFTAG_TILEWIDTH, 16u);
            TIFFSetField(out, TIFFTAG_TILELENGTH, 16u);
        }
        Copier().rowsPerStrip = outputRowsPerStrip;
        return SelectCopyRoutine(in.get(), out);
    }
    TempDir m_dir;
};

TEST_F(RoutineChoice, FollowsPlanarConfigurationAndLayout) {
    PageSpec strips;
    strips.rowsPerStrip = 8;
    PageSpec tiles;
    tiles.tileWidth = 16;
    tiles.tileLength = 16;
    PageSpec separateStrips = strips;
    separateStrips.planar = PLANARCONFIG_SEPARATE;
    separateStrips.samplesPerPixel = 3;
    separateStrips.bitsPerSample = 8;
    separateStrips.photometric = PHOTOMETRIC_RGB;
    PageSpec separateTiles = tiles;
    separateTiles.planar = PLANARCONFIG_SEPARATE;
    separateTiles.samplesPerPixel = 3;
    separateTiles.bitsPerSample = 8;
    separateTiles.photometric = PHOTOMETRIC_RGB;

    EXPECT_EQ(CopyRoutine(CopyStripsDecoded), Choose(strips, false, 8));
    EXPECT_EQ(CopyRoutine(CopyRowsContig), Choose(strips, false, 9));
    EXPECT_EQ(CopyRoutine(CopyVia<ReadContigStrips, WriteContigTiles>), Choose(strips, true, 8));
    EXPECT_EQ(CopyRoutine(CopyVia<ReadContigTiles, WriteContigStrips>), Choose(tiles, false, 8));
    EXPECT_EQ(CopyRoutine(CopyVia<ReadContigTiles, WriteContigTiles>), Choose(tiles, true, 8));
    EXPECT_EQ(CopyRoutine(CopyRowsSeparate), Choose(separateStrips, false, 8));
    EXPECT_EQ(CopyRoutine(CopyRowsSeparate), Choose(separateStrips, false, 3));
    EXPECT_EQ(CopyRoutine(CopyVia<ReadSeparateStrips, WriteSeparateTiles>), Choose(separateStrips, true, 8));
    EXPECT_EQ(CopyRoutine(CopyVia<ReadSeparateTiles, WriteSeparateStrips>), Choose(separateTiles, false, 8));
    EXPECT_EQ(CopyRoutine(CopyVia<ReadSeparateTiles, WriteSeparateTiles>), Choose(separateTiles, true, 8));
}

TEST_F(RoutineChoice, InputWithoutRowsPerStripCountsAsOneStrip) {
    const PageSpec page = FaxPage(COMPRESSION_CCITTFAX4, 20, 1);
    EXPECT_EQ(CopyRoutine(CopyStripsDecoded), Choose(page, false, 0xFFFFFFFF));
    EXPECT_EQ(CopyRoutine(CopyRowsContig), Choose(page, false, 37));
}
} // namespace
