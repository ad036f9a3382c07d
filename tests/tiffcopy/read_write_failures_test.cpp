// Read failures never stop a copy (they are counted); write failures do.
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
TEST(ReadFailure, IsCountedAndTheCopyStillSucceeds) {
    TempDir dir;
    PageSpec page;
    page.length = 30;
    page.rowsPerStrip = 10;
    page.cutLastStrip = true;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page}));

    const CopyOptions options = ProgramOptions();
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, CopyInToOut(dir, options));
    EXPECT_EQ("", testing::internal::GetCapturedStderr())
        << "libtiff's own handlers would report the read error";
    EXPECT_EQ(1, LastCopyReport().readFailures);
    EXPECT_EQ(1, LastCopyReport().directoriesWritten);

    TiffHandle out = OpenForReading(dir.Path("out.tif"));
    ASSERT_TRUE(out);
    const std::vector<uint8_t> expected = PagePixels(page);
    const std::vector<uint8_t> copied = ReadPixels(out.get());
    ASSERT_EQ(expected.size(), copied.size());
    const size_t stripBytes = static_cast<size_t>(RowBytes(page) * page.rowsPerStrip);
    EXPECT_EQ(0, std::memcmp(expected.data(), copied.data(), stripBytes)) << "strip 0";
    EXPECT_EQ(0, std::memcmp(expected.data() + stripBytes, copied.data() + stripBytes, stripBytes))
        << "strip 1";
}

TEST(ReadFailure, CountIsResetByTheNextCopy) {
    TempDir dir;
    PageSpec page;
    page.length = 30;
    page.rowsPerStrip = 10;
    ASSERT_TRUE(WriteTiff(dir.Path("good.tif"), {page}));
    page.cutLastStrip = true;
    ASSERT_TRUE(WriteTiff(dir.Path("bad.tif"), {page}));
    const CopyOptions options = ProgramOptions();
    ASSERT_EQ(0, CopyTiff(dir.Path("bad.tif").c_str(), dir.Path("out1.tif").c_str(), &options));
    ASSERT_EQ(1, LastCopyReport().readFailures);
    ASSERT_EQ(0, CopyTiff(dir.Path("good.tif").c_str(), dir.Path("out2.tif").c_str(), &options));
    EXPECT_EQ(0, LastCopyReport().readFailures);
    EXPECT_EQ(1, LastCopyReport().directoriesWritten);
}

// JPEG cannot encode 1-bit images (and the Windows build has no JPEG codec at all), so every
// data write of this copy fails in both builds.
TEST(WriteFailure, EndsTheCopyWithResultOneKeepingEarlierDirectories) {
    TempDir dir;
    PageSpec page;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {page, page}));
    CopyOptions options = ProgramOptions();
    options.nCompression = 7;
    EXPECT_EQ(1, CopyInToOut(dir, options));
    EXPECT_EQ(0, LastCopyReport().directoriesWritten);

    // A first directory that copies, then one that cannot be encoded: the first stays.
    PageSpec gray;
    gray.bitsPerSample = 8;
    gray.photometric = PHOTOMETRIC_MINISBLACK;
    gray.rowsPerStrip = 8;
    PageSpec bilevel;
    bilevel.rowsPerStrip = 8;
    ASSERT_TRUE(WriteTiff(dir.Path("mixed.tif"), {gray, bilevel}));
    options.nCompression = 6; // Group 4 cannot encode 8-bit samples
    const std::string mixedFirstBilevel = dir.Path("mixed.tif") + ",1,0";
    EXPECT_EQ(1, CopyTiff(mixedFirstBilevel.c_str(), dir.Path("out2.tif").c_str(), &options));
    EXPECT_EQ(1, LastCopyReport().directoriesWritten);
    EXPECT_EQ(1, CountDirectories(dir.Path("out2.tif")));
}

} // namespace
