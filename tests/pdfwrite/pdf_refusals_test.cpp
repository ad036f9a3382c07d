// What the writer refuses, and the fuzz target's inputs: whatever the copier makes of them, and
// the inputs themselves, either give a PDF that qpdf finds nothing wrong with or are refused.
#include "pdfwrite/pdf_readers.h"

#include "support/temp_dir.h"
#include "support/tiff_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
PageSpec Group4(uint32_t rowsPerStrip = 0, uint32_t tile = 0) {
    PageSpec page;
    page.compression = COMPRESSION_CCITTFAX4;
    page.rowsPerStrip = rowsPerStrip;
    page.tileWidth = page.tileLength = tile;
    return page;
}

TEST(PdfWriter, RefusesWhatOnePdfImageCannotHoldAndWhatItCannotOpenOrWrite) {
    TempDir dir("pdf");
    PageSpec uncompressed;
    const struct {
        const char* name;
        std::vector<PageSpec> pages;
        const char* output;
        PdfResult result;
        int written;
        bool cut = false; // the file ends inside its last directory
    } cases[] = {
        {"uncompressed", {uncompressed}, "out.pdf", PdfResult::PageRefused, 0},
        {"strips", {Group4(), Group4(16)}, "out.pdf", PdfResult::PageRefused, 1},
        {"tiles", {Group4(0, 16)}, "out.pdf", PdfResult::PageRefused, 0},
        {"missing", {}, "out.pdf", PdfResult::InputNotOpened, 0},
        {"unwritable", {Group4()}, "no-such-folder/out.pdf", PdfResult::OutputFailed, 0},
        {"cut", {Group4(), Group4()}, "out.pdf", PdfResult::PageRefused, 1, true},
        {"whole", {Group4(), Group4()}, "out.pdf", PdfResult::Written, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string tiff = dir / (std::string(c.name) + ".tif");
        if (!c.pages.empty()) {
            ASSERT_TRUE(WriteTiff(tiff, c.pages));
        }
        if (c.cut)
            std::filesystem::resize_file(tiff, std::filesystem::file_size(tiff) - 8);
        int written = -1;
        EXPECT_EQ(c.result, WritePdf(tiff.c_str(), (dir / c.output).c_str(), written));
        EXPECT_EQ(c.written, written);
    }
}

// The seeds that the fuzz target starts from, and the inputs that fuzzing found harmful.
TEST(PdfWriter, TheFuzzInputsGiveCheckedPdfsOrNone) {
    TempDir seeds("seeds");
    ASSERT_EQ(0, std::system((std::string(TARNVEL_FUZZ_SEED_WRITER) + " '" + seeds.Path() + "'").c_str()));
    TempDir dir("pdf");
    int checked = 0;
    for (const char* folder : {seeds.Path().c_str(), TARNVEL_TEST_DATA_DIR}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string input = entry.path().string();
            SCOPED_TRACE(input);
            int pages = 0;
            if (CopyIntoPdf(input, dir / "copied.pdf", pages) == PdfResult::Written) {
                EXPECT_EQ("", QpdfProblems(dir / "copied.pdf"));
                ++checked;
            }
            if (WritePdf(input.c_str(), (dir / "direct.pdf").c_str(), pages) == PdfResult::Written) {
                EXPECT_EQ("", QpdfProblems(dir / "direct.pdf"));
                ++checked;
            }
        }
    }
    // Each bilevel seed makes two.
    EXPECT_GE(checked, 8);
}
} // namespace
