// The PDF check box as its user works it: ticked when Go is pressed, every ticked file becomes
// <name>.pdf, the PDF that the writer makes of the copier's pages (whose rendering the writer's own
// tests check); unticked, the next Go writes TIFF files again.
#include "conversion_fixture.h"

#include "pdfwrite/pdfwrite.h"
#include "tiffcopy/tiffcopy.h"
#include "ui/resource.h"

#include <algorithm>

namespace {
using PdfOutput = ConversionTest;

// The PDF of a fax's pages as the copier rewrites them, each in one strip; empty on a failure.
std::string PdfOf(const std::string& fax, const std::string& work) {
    const CopyOptions options{6, 75, 0, -1, 0};
    const std::string strips = work + ".tif";
    int pages = 0;
    if (CopyTiffFile(fax.c_str(), strips.c_str(), &options, PageLayout::OneStrip) != 0 ||
        WritePdf(strips.c_str(), (work + ".pdf").c_str(), pages) != PdfResult::Written)
        return "";
    return ReadFile(work + ".pdf");
}

std::vector<std::string> SortedFiles(const std::string& folder, const char* pattern = "*") {
    std::vector<std::string> names = ListFiles(folder, pattern);
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(PdfOutput, GoWithPdfTickedWritesEveryFileAsPdfAndWithoutItAsTiff) {
    const std::string fax = Folder("fax");
    const std::string out = Folder("out");
    const std::string work = Folder("work");
    WriteFaxFixture(fax + "\\one.awd", 1, 1);
    WriteFaxFixture(fax + "\\three.awd", 3, 2);
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, fax);
        TickAll(dialog);
        TypeOutputFolder(dialog, out);
        const HWND pdf = ::GetDlgItem(dialog, IDC_PDF);
        ::SendMessageA(pdf, BM_CLICK, 0, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultsOf(dialog), (Results{{"one.awd", "OK"}, {"three.awd", "OK"}}));
        EXPECT_EQ(SortedFiles(out), (std::vector<std::string>{"one.pdf", "three.pdf"}));
        for (const char* name : {"one", "three"}) {
            const std::string expected = PdfOf(fax + "\\" + name + ".awd", work + "\\" + name);
            EXPECT_FALSE(expected.empty());
            EXPECT_TRUE(ReadFile(out + "\\" + name + ".pdf") == expected) << name;
        }
        EXPECT_EQ(SortedFiles(ProcessFolder(), "tnv*"), std::vector<std::string>{})
            << "the pages' TIFF stays";

        ::SendMessageA(pdf, BM_CLICK, 0, 0);
        ASSERT_TRUE(RunBatch(dialog));
        EXPECT_EQ(SortedFiles(out),
                  (std::vector<std::string>{"one.pdf", "one.tif", "three.pdf", "three.tif"}));
        EXPECT_EQ(ReadFaxPages(out + "\\three.tif"), ReadFaxPages(fax + "\\three.awd"));
    });
}
} // namespace
