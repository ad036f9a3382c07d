// Buffer sizes are overflow-checked and buffers come zeroed.
#include "tiffcopy/transfer_buffers.h"
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

namespace {
TEST(TransferBuffers, ProductsThatOverflowAreRefused) {
    EXPECT_EQ(6u, CheckedProduct(2, 3));
    EXPECT_EQ(0u, CheckedProduct(0, 3));
    EXPECT_EQ(kMaxBufferSize, CheckedProduct(kMaxBufferSize, 1));
    EXPECT_EQ(0u, CheckedProduct(kMaxBufferSize, 2));
    EXPECT_EQ(0u, CheckedProduct(0x10000, 0x10000));
    EXPECT_EQ(0u, CheckedProduct(UINT64_MAX, UINT64_MAX));
}

TEST(TransferBuffers, AreZeroedEvenWhenTheirMemoryIsReused) {
    CopyBuffersScope copy;
    DirectoryBuffersScope scope;
    EXPECT_EQ(nullptr, ObtainBuffer(0));
    EXPECT_EQ(nullptr, ObtainBuffer(kMaxBufferSize + 1));
    for (int round = 0; round < 3; ++round) {
        uint8_t* buffer = ObtainBuffer(4096);
        ASSERT_NE(nullptr, buffer);
        for (int i = 0; i < 4096; ++i)
            ASSERT_EQ(0, buffer[i]);
        std::fill(buffer, buffer + 4096, uint8_t{0xCD});
        ReleaseBuffer(buffer);
    }
}

TEST(TransferBuffers, DirectoryScopeReleasesWhatARoutineLeftBehind) {
    CopyBuffersScope copy;
    {
        DirectoryBuffersScope scope;
        for (int i = 0; i < 4; ++i)
            ASSERT_NE(nullptr, ObtainBuffer(64));
        EXPECT_EQ(nullptr, ObtainBuffer(64)); // every slot taken
    }
    DirectoryBuffersScope scope;
    EXPECT_NE(nullptr, ObtainBuffer(64)); // given back by the scope
}
} // namespace

namespace {
// Files that declare a 300 MB image but hold a few bytes of it: in one strip (the strip
// buffer would be too large) and in strips of one row (the copy would write 300 MB).
TEST(TransferBuffers, DirectoryAboveTheLimitIsRefused) {
    for (uint32_t rowsPerStrip : {10000u, 1u}) {
        SCOPED_TRACE(rowsPerStrip);
        TempDir dir;
        TiffHandle input(TIFFOpen(dir.Path("in.tif").c_str(), "w"));
        TIFF* tif = input.get();
        ASSERT_NE(nullptr, tif);
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 30000u);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 10000u);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t{8});
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
        uint8_t bytes[16] = {};
        ASSERT_GE(TIFFWriteRawStrip(tif, 0, bytes, sizeof bytes), 0);
        ASSERT_TRUE(TIFFWriteDirectory(tif));
        input.Close();

        CopyOptions options = ProgramOptions();
        options.nCompression = 1;
        EXPECT_EQ(1, CopyInToOut(dir, options));
        EXPECT_EQ(0, LastCopyReport().directoriesWritten);
    }
}
} // namespace
