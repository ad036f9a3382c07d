// The image list after the input path, and the result codes of a whole copy.
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
// Three pages told apart by their length.
class ImageList : public ::testing::Test {
protected:
    void SetUp() override {
        for (uint32_t i = 0; i < 3; ++i)
            m_pages.push_back(FaxPage(COMPRESSION_CCITTFAX4, 10 + i, i + 1));
        ASSERT_TRUE(WriteTiff(In(), m_pages));
    }

    std::string In() const { return m_dir.Path("in.tif"); }
    std::string Out() const { return m_dir.Path("out.tif"); }

    int Copy(const std::string& spec) {
        const CopyOptions options = ProgramOptions();
        return CopyTiff(spec.c_str(), Out().c_str(), &options);
    }

    // The lengths of the output's directories, which name the input pages they came from.
    std::vector<uint32_t> OutputLengths() const {
        std::vector<uint32_t> lengths;
        TiffHandle out = OpenForReading(Out());
        if (!out)
            return lengths;
        do {
            uint32_t length = 0;
            TIFFGetField(out.get(), TIFFTAG_IMAGELENGTH, &length);
            lengths.push_back(length);
        } while (TIFFReadDirectory(out.get()));
        return lengths;
    }

    TempDir m_dir;
    std::vector<PageSpec> m_pages;
};

using Lengths = std::vector<uint32_t>;

TEST_F(ImageList, PlainPathCopiesAllDirectoriesInOrder) {
    EXPECT_EQ(0, Copy(In()));
    EXPECT_EQ((Lengths{10, 11, 12}), OutputLengths());
}

TEST_F(ImageList, TrailingSeparatorAloneIsThePlainPath) {
    EXPECT_EQ(0, Copy(In() + ","));
    EXPECT_EQ((Lengths{10, 11, 12}), OutputLengths());
}

TEST_F(ImageList, SingleNumberCopiesOnlyThatDirectory) {
    EXPECT_EQ(0, Copy(In() + ",2"));
    EXPECT_EQ((Lengths{12}), OutputLengths());
}

TEST_F(ImageList, NumberWithTrailingSeparatorCopiesTheRestInSequence) {
    EXPECT_EQ(0, Copy(In() + ",1,"));
    EXPECT_EQ((Lengths{11, 12}), OutputLengths());
}

TEST_F(ImageList, NumbersAreCopiedInListOrder) {
    EXPECT_EQ(0, Copy(In() + ",1,0"));
    EXPECT_EQ((Lengths{11, 10}), OutputLengths());
}

TEST_F(ImageList, NumbersAreReadInAutomaticBase) {
    EXPECT_EQ(0, Copy(In() + ",0x2, 01,00"));
    EXPECT_EQ((Lengths{12, 11, 10}), OutputLengths());
}

TEST_F(ImageList, EmptyNumberTakesTheCurrentDirectory) {
    EXPECT_EQ(0, Copy(In() + ",2,,"));
    EXPECT_EQ((Lengths{12, 12}), OutputLengths());
}

TEST_F(ImageList, FirstDirectoryMissingIsAnInputFailure) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(-3, Copy(In() + ",9"));
    EXPECT_EQ(In() + ",9 not found!\n", testing::internal::GetCapturedStderr());
}

TEST_F(ImageList, LaterDirectoryMissingEndsTheCopySuccessfully) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, Copy(In() + ",0,9"));
    EXPECT_EQ(In() + ",9 not found!\n", testing::internal::GetCapturedStderr());
    EXPECT_EQ((Lengths{10}), OutputLengths());
}

TEST_F(ImageList, SyntaxErrorIsReportedAndReturnsInsteadOfEndingTheProcess) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(-3, Copy(In() + ",2x"));
    EXPECT_EQ("Expected a , separated image # list after " + In() + "\n",
              testing::internal::GetCapturedStderr());
}

TEST_F(ImageList, SyntaxErrorAfterCopiedDirectoriesStopsWithInputFailure) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(-3, Copy(In() + ",0,1;"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ((Lengths{10}), OutputLengths());
}

TEST_F(ImageList, FileEntryTakesACommaAsPartOfTheName) {
    const std::string commaName = m_dir.Path("in,1.tif");
    ASSERT_EQ(0, std::rename(In().c_str(), commaName.c_str()));
    const CopyOptions options = ProgramOptions();
    EXPECT_EQ(0, CopyTiffFile(commaName.c_str(), Out().c_str(), &options));
    EXPECT_EQ((std::vector<uint32_t>{10, 11, 12}), OutputLengths());
    EXPECT_EQ(-3, Copy(commaName));
}

TEST(ResultCodes, MissingInputGivesMinusThreeAfterCreatingTheOutput) {
    TempDir dir;
    ASSERT_TRUE(WriteText(dir.Path("out.tif"), "stale content that mode w must replace"));
    const CopyOptions options = ProgramOptions();
    EXPECT_EQ(-3, CopyTiff(dir.Path("missing.tif").c_str(), dir.Path("out.tif").c_str(), &options));
    const std::string header = ReadFile(dir.Path("out.tif")).substr(0, 4);
    EXPECT_TRUE(header == std::string("II*\0", 4) || header == std::string("MM\0*", 4));
}

TEST(ResultCodes, OutputThatCannotBeOpenedGivesMinusTwo) {
    TempDir dir;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {FaxPage(COMPRESSION_CCITTFAX4, 10, 1)}));
    const CopyOptions options = ProgramOptions();
    const std::string out = dir.Path("no-such-folder") + "/out.tif";
    EXPECT_EQ(-2, CopyTiff(dir.Path("in.tif").c_str(), out.c_str(), &options));
}

TEST(ResultCodes, AppendAddsDirectoriesAfterTheExistingOnes) {
    TempDir dir;
    ASSERT_TRUE(WriteTiff(dir.Path("in.tif"), {FaxPage(COMPRESSION_CCITTFAX4, 10, 1)}));
    CopyOptions options = ProgramOptions();
    ASSERT_EQ(0, CopyInToOut(dir, options));
    options.bAppend = 1;
    ASSERT_EQ(0, CopyInToOut(dir, options));
    EXPECT_EQ(2, CountDirectories(dir.Path("out.tif")));
}
} // namespace
