// Inputs that fuzzing found harmful, kept as they were found in data/. Each is copied with the
// options the fuzz target derived from its last byte when it was found.
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

namespace {
// The folder is given to the build as an absolute Linux path; under wine it is reached through
// the drive that maps the Linux root.
std::string DataFile(const std::string& name) {
#ifdef _WIN32
    return std::string("Z:") + TARNVEL_TEST_DATA_DIR + "/" + name;
#else
    return std::string(TARNVEL_TEST_DATA_DIR) + "/" + name;
#endif
}

// -1 when the input file cannot be read: a missing input fails the test rather than passing it.
int CopyAsTheFuzzerDoes(const std::string& name) {
    const std::string data = ReadFile(DataFile(name));
    EXPECT_FALSE(data.empty()) << "no input " << DataFile(name);
    if (data.empty())
        return -1;
    TempDir dir;
    EXPECT_TRUE(WriteText(dir.Path("in.tif"), data));
    const int last = static_cast<uint8_t>(data.back());
    const CopyOptions options{last % 11, 75, 0, (last / 11) % 3 - 1, 0};
    return CopyInToOut(dir, options);
}

// BitsPerSample in the tens of thousands and tiled output: the output's tile buffer would
// have been about a gigabyte.
TEST(FuzzRegression, OutputTileOfAGigabyteIsRefused) {
    EXPECT_EQ(1, CopyAsTheFuzzerDoes("huge_bits_per_sample_tiled_output.tif"));
}

// Three separate planes of 14135 bits per sample, copied into tiles: minutes of work for a
// 40 x 24 image.
TEST(FuzzRegression, SamplesWiderThanSixtyFourBitsAreRefused) {
    EXPECT_EQ(1, CopyAsTheFuzzerDoes("huge_separate_planes_to_tiles.tif"));
}

// A good first directory, then a damaged one that declares 65535 rows of 7681 samples: the
// copy wrote 2.5 GB of rows it could not read.
TEST(FuzzRegression, DamagedDirectoryOfGigabytesIsRefusedAfterTheGoodOne) {
    EXPECT_EQ(1, CopyAsTheFuzzerDoes("damaged_second_directory_of_gigabytes.tif"));
    EXPECT_EQ(1, LastCopyReport().directoriesWritten);
}

// 10240 x 65512 pixels of three separate 1-bit planes: 2^31 samples regrouped one by one.
TEST(FuzzRegression, ImageOfBillionsOfSamplesIsRefused) {
    EXPECT_EQ(1, CopyAsTheFuzzerDoes("separate_planes_of_two_billion_samples.tif"));
    EXPECT_EQ(0, LastCopyReport().directoriesWritten);
}
} // namespace
