// Which tags the output directory carries, sets or drops.
#include "tiffcopy/tiff_fixture.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
// Copies a one-page file whose page gets extra tags, and opens the output.
class TagTransfer : public ::testing::Test {
protected:
    TiffHandle CopyWith(std::function<void(TIFF*)> tags, CopyOptions options = ProgramOptions(),
                        PageSpec page = PageSpec()) {
        page.extraTags = std::move(tags);
        EXPECT_TRUE(WriteTiff(m_dir.Path("in.tif"), {page}));
        EXPECT_EQ(0, CopyInToOut(m_dir, options));
        return OpenForReading(m_dir.Path("out.tif"));
    }
    TempDir m_dir;
};

TEST_F(TagTransfer, OrientationIsWrittenNormalisedAndTopLeftWhenMissing) {
    // The library refuses 0: that input has no Orientation.
    const uint16_t written[9] = {1, 1, 1, 4, 4, 5, 1, 4, 8};
    for (uint16_t value = 0; value <= 8; ++value) {
        SCOPED_TRACE(value);
        TiffHandle out = CopyWith([value](TIFF* tif) { TIFFSetField(tif, TIFFTAG_ORIENTATION, value); });
        ASSERT_TRUE(out);
        uint16_t orientation = 0;
        ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_ORIENTATION, &orientation));
        EXPECT_EQ(written[value], orientation);
    }
}

TEST_F(TagTransfer, FillOrderOptionUsesOnlyItsLow16Bits) {
    CopyOptions options = ProgramOptions();
    options.nFillOrder = 0x10002;
    TiffHandle out = CopyWith(nullptr, options);
    ASSERT_TRUE(out);
    uint16_t fillOrder = 0;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_FILLORDER, &fillOrder));
    EXPECT_EQ(FILLORDER_LSB2MSB, fillOrder);
    EXPECT_EQ(PagePixels(PageSpec()), ReadPixels(out.get()));
}

TEST_F(TagTransfer, TagsOutsideTheListsAreDropped) {
    TiffHandle out = CopyWith([](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_COPYRIGHT, "not carried");
        TIFFSetField(tif, TIFFTAG_PREDICTOR, uint16_t{PREDICTOR_NONE});
    });
    ASSERT_TRUE(out);
    char* text = nullptr;
    EXPECT_FALSE(TIFFGetField(out.get(), TIFFTAG_COPYRIGHT, &text));
}

TEST_F(TagTransfer, InkNamesGetTheirRecomputedByteCount) {
    PageSpec page;
    page.samplesPerPixel = 3;
    page.bitsPerSample = 8;
    page.photometric = PHOTOMETRIC_SEPARATED;
    CopyOptions options = ProgramOptions();
    options.nCompression = 0;
    static const char names[] = "a\0bb\0ccc";
    TiffHandle out = CopyWith(
        [](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_INKSET, uint16_t{INKSET_MULTIINK});
            TIFFSetField(tif, TIFFTAG_NUMBEROFINKS, uint16_t{3});
            TIFFSetField(tif, TIFFTAG_INKNAMES, uint16_t{sizeof names}, names);
        },
        options, page);
    ASSERT_TRUE(out);
    uint16_t inks = 0;
    char* written = nullptr;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_NUMBEROFINKS, &inks));
    EXPECT_EQ(3, inks);
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_INKNAMES, &written));
    EXPECT_EQ(std::string(names, sizeof names), std::string(written, 9));
}

TEST_F(TagTransfer, TransferFunctionOnlyUpToFourSamples) {
    std::vector<uint16_t> table(256);
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<uint16_t>(i * 257);
    CopyOptions options = ProgramOptions();
    options.nCompression = 0;
    for (uint16_t samples : {uint16_t{1}, uint16_t{5}}) {
        SCOPED_TRACE(samples);
        PageSpec page;
        page.bitsPerSample = 8;
        page.samplesPerPixel = samples;
        page.photometric = samples == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_SEPARATED;
        TiffHandle out = CopyWith(
            [&table](TIFF* tif) {
                TIFFSetField(tif, TIFFTAG_TRANSFERFUNCTION, table.data(), table.data(), table.data());
            },
            options, page);
        ASSERT_TRUE(out);
        uint16_t* tables[3] = {};
        const bool present =
            TIFFGetField(out.get(), TIFFTAG_TRANSFERFUNCTION, &tables[0], &tables[1], &tables[2]);
        EXPECT_EQ(samples == 1, present);
        if (present) {
            EXPECT_EQ(table, std::vector<uint16_t>(tables[0], tables[0] + 256));
        }
    }
}

TEST_F(TagTransfer, ColorMapIsCarried) {
    PageSpec page;
    page.bitsPerSample = 4;
    page.photometric = PHOTOMETRIC_PALETTE;
    std::vector<uint16_t> red(16), green(16), blue(16);
    for (uint16_t i = 0; i < 16; ++i) {
        red[i] = static_cast<uint16_t>(i * 4096);
        green[i] = static_cast<uint16_t>(65535 - i * 4096);
        blue[i] = static_cast<uint16_t>(i * 100);
    }
    CopyOptions options = ProgramOptions();
    options.nCompression = 1;
    TiffHandle out = CopyWith(
        [&](TIFF* tif) { TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data()); },
        options, page);
    ASSERT_TRUE(out);
    uint16_t *r = nullptr, *g = nullptr, *b = nullptr;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_COLORMAP, &r, &g, &b));
    EXPECT_EQ(green, std::vector<uint16_t>(g, g + 16));
    EXPECT_EQ(blue, std::vector<uint16_t>(b, b + 16));
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

TEST_F(TagTransfer, CompressionCodeSetsCompressionAndGroup3Options) {
    CopyOptions options = ProgramOptions();
    options.nCompression = 4;
    TiffHandle out = CopyWith(nullptr, options);
    ASSERT_TRUE(out);
    uint16_t compression = 0;
    uint32_t group3 = 0;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_COMPRESSION, &compression));
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_GROUP3OPTIONS, &group3));
    EXPECT_EQ(COMPRESSION_CCITTFAX3, compression);
    EXPECT_EQ(5u, group3);
    EXPECT_EQ(PagePixels(PageSpec()), ReadPixels(out.get()));
}

TEST_F(TagTransfer, LzwOutputCarriesThePredictor) {
    PageSpec page;
    page.bitsPerSample = 8;
    page.photometric = PHOTOMETRIC_MINISBLACK;
    page.compression = COMPRESSION_LZW;
    CopyOptions options = ProgramOptions();
    options.nCompression = 9;
    TiffHandle out =
        CopyWith([](TIFF* tif) { TIFFSetField(tif, TIFFTAG_PREDICTOR, uint16_t{PREDICTOR_HORIZONTAL}); },
                 options, page);
    ASSERT_TRUE(out);
    uint16_t predictor = 0;
    ASSERT_TRUE(TIFFGetField(out.get(), TIFFTAG_PREDICTOR, &predictor));
    EXPECT_EQ(PREDICTOR_HORIZONTAL, predictor);
    EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
}

// On a non-fax input the fax tags are anonymous fields that pass a count and an array. This
// libtiff does not load them there; this stand-in answers as a libtiff that does would.
TIFFVGetMethod g_libraryGetField = nullptr;
int AnsweringGetField(TIFF* tif, uint32_t tag, va_list ap) {
    static const uint32_t badLines = 70000;
    static const uint16_t clean = CLEANFAXDATA_UNCLEAN;
    const TIFFField* field = TIFFFindField(tif, tag, TIFF_ANY);
    if ((tag != TIFFTAG_BADFAXLINES && tag != TIFFTAG_CLEANFAXDATA) || !TIFFFieldIsAnonymous(field))
        return g_libraryGetField(tif, tag, ap);
    *va_arg(ap, uint32_t*) = 1;
    *va_arg(ap, const void**) = tag == TIFFTAG_BADFAXLINES ? static_cast<const void*>(&badLines) : &clean;
    return 1;
}

void InstallAnsweringGetField(TIFF* tif) {
    TIFFTagMethods* methods = TIFFAccessTagMethods(tif);
    if (methods->vgetfield != AnsweringGetField)
        g_libraryGetField = std::exchange(methods->vgetfield, AnsweringGetField);
}

TEST_F(TagTransfer, FaxTagsOfANonFaxInputKeepTheirOneValue) {
    const TIFFExtendProc previous = TIFFSetTagExtender(InstallAnsweringGetField);
    for (uint16_t compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_PACKBITS}) {
        PageSpec page;
        page.compression = compression;
        TiffHandle out = CopyWith(
            [](TIFF* tif) {
                static const TIFFFieldInfo fax[] = {
                    {TIFFTAG_BADFAXLINES, 1, 1, TIFF_LONG, FIELD_CUSTOM, 1, 0, const_cast<char*>("A")},
                    {TIFFTAG_CLEANFAXDATA, 1, 1, TIFF_SHORT, FIELD_CUSTOM, 1, 0, const_cast<char*>("B")}};
                TIFFMergeFieldInfo(tif, fax, 2); // a non-fax writer does not know them either
                TIFFSetField(tif, TIFFTAG_BADFAXLINES, 70000u);
                TIFFSetField(tif, TIFFTAG_CLEANFAXDATA, CLEANFAXDATA_UNCLEAN);
                // A known custom tag: with one loaded, the library asks the methods for custom tags.
                TIFFSetField(tif, TIFFTAG_FAXRECVTIME, 42u);
            },
            ProgramOptions(), page);
        ASSERT_TRUE(out) << compression;
        uint32_t bad = 0;
        uint16_t clean = 0;
        EXPECT_TRUE(TIFFGetField(out.get(), TIFFTAG_BADFAXLINES, &bad) && bad == 70000) << compression;
        EXPECT_TRUE(TIFFGetField(out.get(), TIFFTAG_CLEANFAXDATA, &clean) && clean == CLEANFAXDATA_UNCLEAN);
        EXPECT_EQ(PagePixels(page), ReadPixels(out.get()));
    }
    TIFFSetTagExtender(previous);
}
} // namespace
