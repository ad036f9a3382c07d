// Separate-plane images through every whole-image reader and writer, for sample sizes below,
// at and above one byte: pixels survive and no buffer is overrun (the sanitizer build checks).
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

namespace {
struct PlaneCase {
    uint16_t bitsPerSample;
    uint16_t samplesPerPixel;
    bool tiledInput;
    int32_t tiling; // the nTiling option
};

class SeparatePlanes : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(SeparatePlanes, PixelsSurviveTheCopy) {
    const PlaneCase& c = GetParam();
    PageSpec page;
    page.width = 77; // not a multiple of 8 or of a tile
    page.length = 45;
    page.bitsPerSample = c.bitsPerSample;
    page.samplesPerPixel = c.samplesPerPixel;
    page.photometric = c.samplesPerPixel == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    page.planar = PLANARCONFIG_SEPARATE;
    page.seed = c.bitsPerSample * 10u + c.samplesPerPixel;
    if (c.tiledInput) {
        page.tileWidth = 32;
        page.tileLength = 16;
    } else {
        page.rowsPerStrip = 7;
    }
    if (c.samplesPerPixel == 2)
        page.extraTags = [](TIFF* tif) {
            const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
            TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, uint16_t{1}, extra);
        };
    TempDir dir;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page}));
    CopyOptions options = ProgramOptions();
    options.nCompression = 9; // LZW: every sample size
    options.nTiling = c.tiling;
    ASSERT_EQ(0, CopyInToOut(dir, options));
    EXPECT_EQ(0, LastCopyReport().readFailures);
    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    uint16_t planar = 0;
    TIFFGetField(out.get(), TIFFTAG_PLANARCONFIG, &planar);
    EXPECT_EQ(PLANARCONFIG_SEPARATE, planar);
    EXPECT_EQ(c.tiling != 0 && (c.tiling != -1 || c.tiledInput), TIFFIsTiled(out.get()) != 0);
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

std::vector<PlaneCase> AllCases() {
    std::vector<PlaneCase> cases;
    for (uint16_t bits : {uint16_t{1}, uint16_t{4}, uint16_t{8}, uint16_t{16}})
        for (uint16_t samples : {uint16_t{2}, uint16_t{3}}) {
            cases.push_back({bits, samples, false, 1}); // strips to tiles
            cases.push_back({bits, samples, true, 0});  // tiles to strips
            cases.push_back({bits, samples, true, -1}); // tiles to tiles
            cases.push_back({bits, samples, false, 0}); // strips to strips, row by row
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Layouts, SeparatePlanes, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<PlaneCase>& param) {
                             const PlaneCase& c = param.param;
                             return "Bits" + std::to_string(c.bitsPerSample) + "Samples" +
                                    std::to_string(c.samplesPerPixel) + (c.tiledInput ? "Tiles" : "Strips") +
                                    (c.tiling == 0 ? "ToStrips" : "ToTiles");
                         });

TEST(ContiguousTiles, StrippedInputThroughTilesAndBackKeepsPixels) {
    for (uint16_t bits : {uint16_t{1}, uint16_t{8}, uint16_t{16}}) {
        SCOPED_TRACE(bits);
        PageSpec page;
        page.width = 99;
        page.length = 37;
        page.bitsPerSample = bits;
        page.samplesPerPixel = bits == 1 ? 1 : 3;
        page.photometric = bits == 1 ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_RGB;
        page.rowsPerStrip = 5;
        TempDir dir;
        ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page}));
        CopyOptions options = ProgramOptions();
        options.nCompression = 1;
        options.nTiling = 1;
        ASSERT_EQ(0, CopyTiff(dir.Path("in.tif").c_str(), dir.Path("tiled.tif").c_str(), &options));
        options.nTiling = 0;
        ASSERT_EQ(0, CopyTiff(dir.Path("tiled.tif").c_str(), dir.Path("out.tif").c_str(), &options));
        TiffHandle out = OpenForReading(dir.Path("out.tif"));
        ASSERT_TRUE(out);
        EXPECT_FALSE(TIFFIsTiled(out.get()));
        EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
    }
}
} // namespace
