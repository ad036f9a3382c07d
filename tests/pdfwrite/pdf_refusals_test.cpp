// What the writer refuses, and the fuzz target's inputs: whatever the copier makes of them, and the
// inputs themselves, give a PDF that qpdf passes or none.
#include "pdfwrite/pdf_readers.h"

#include "support/temp_dir.h"
#include "support/tiff_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
PageSpec Page(uint16_t compression, uint32_t rowsPerStrip = 0, uint32_t tile = 0) {
    PageSpec page;
    page.compression = compression;
    page.rowsPerStrip = rowsPerStrip;
    page.tileWidth = page.tileLength = tile;
    return page;
}

TEST(PdfWriter, RefusesWhatOnePdfImageCannotHoldAndWhatItCannotOpenOrWrite) {
    TempDir dir("pdf");
    const PageSpec group4 = Page(COMPRESSION_CCITTFAX4);
    const struct {
        std::vector<PageSpec> pages; // none: no input file
        const char* output;
        PdfResult result;
        int written;
        bool cut = false; // the file ends inside its last directory
    } cases[] = {
        {{Page(COMPRESSION_NONE)}, "out.pdf", PdfResult::PageRefused, 0},
        {{group4, Page(COMPRESSION_CCITTFAX4, 16)}, "out.pdf", PdfResult::PageRefused, 1},
        {{Page(COMPRESSION_CCITTFAX4, 0, 16)}, "out.pdf", PdfResult::PageRefused, 0},
        {{group4, group4}, "out.pdf", PdfResult::PageRefused, 1, true},
        {{}, "out.pdf", PdfResult::InputNotOpened, 0},
        {{group4}, "no-such-folder/out.pdf", PdfResult::OutputFailed, 0},
        {{group4, group4}, "out.pdf", PdfResult::Written, 2},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string tiff = dir / (std::to_string(++number) + ".tif");
        if (!c.pages.empty()) {
            ASSERT_TRUE(WriteTiff(tiff, c.pages));
        }
        if (c.cut)
            std::filesystem::resize_file(tiff, std::filesystem::file_size(tiff) - 8);
        int written = -1;
        EXPECT_EQ(c.result, WritePdf(tiff.c_str(), (dir / c.output).c_str(), written)) << "case " << number;
        EXPECT_EQ(c.written, written) << "case " << number;
    }
}

// The seeds that the fuzz target starts from, and the inputs that fuzzing found harmful.
TEST(PdfWriter, TheFuzzInputsGiveCheckedPdfsOrNone) {
    TempDir seeds("seeds");
    ASSERT_EQ(0, std::system((std::string(TARNVEL_FUZZ_SEED_WRITER) + " '" + seeds.Path() + "'").c_str()));
    TempDir dir("pdf");
    int checked = 0;
    for (const std::string& folder : {seeds.Path(), std::string(TARNVEL_TEST_DATA_DIR)})
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string input = entry.path().string();
            int pages = 0;
            const bool copied = CopyIntoPdf(input, dir / "copied.pdf", pages) == PdfResult::Written;
            const bool direct =
                WritePdf(input.c_str(), (dir / "direct.pdf").c_str(), pages) == PdfResult::Written;
            EXPECT_TRUE(!copied || CheckedPages(dir / "copied.pdf") > 0) << input;
            EXPECT_TRUE(!direct || CheckedPages(dir / "direct.pdf") > 0) << input;
            checked += copied + direct;
        }
    // Each bilevel seed makes two.
    EXPECT_GE(checked, 8);
}
} // namespace
