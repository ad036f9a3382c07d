// The PDF check box as its user works it: ticked when Go is pressed, every ticked file becomes
// <name>.pdf, the PDF that the writer makes of the copier's pages (whose rendering the writer's
// own tests check), and no scratch file stays.
#include "conversion_fixture.h"

#include "pdfwrite/pdfwrite.h"
#include "tiffcopy/tiffcopy.h"
#include "ui/resource.h"

namespace {
using PdfOutput = ConversionTest;

// The PDF of a fax's pages as the copier rewrites them, each in one strip; empty on a failure.
std::string PdfOf(const std::string& fax, const std::string& work) {
    const CopyOptions options{6, 75, 0, -1, 0};
    int pages = 0;
    if (CopyTiffFile(fax.c_str(), (work + ".tif").c_str(), &options, PageLayout::OneStrip) != 0 ||
        WritePdf((work + ".tif").c_str(), (work + ".pdf").c_str(), pages) != PdfResult::Written)
        return "";
    return ReadFile(work + ".pdf");
}

TEST_F(PdfOutput, GoWithPdfTickedWritesEachFileAsTheWritersPdf) {
    const std::string fax = Folder("fax");
    const std::string out = Folder("out");
    WriteFaxFixture(fax + "\\one.awd", 1, 1);
    WriteFaxFixture(fax + "\\three.awd", 3, 2);
    const auto tickPdf = [](HWND dialog) { ::SendMessageA(::GetDlgItem(dialog, IDC_PDF), BM_CLICK, 0, 0); };
    EXPECT_EQ(ConvertFolder(fax, out.c_str(), nullptr, tickPdf),
              (Results{{"one.awd", "OK"}, {"three.awd", "OK"}}));
    EXPECT_EQ(ListFiles(out, "*.tif"), std::vector<std::string>{});
    for (const char* name : {"one", "three"}) {
        const std::string expected = PdfOf(fax + "\\" + name + ".awd", Folder("work") + "\\" + name);
        EXPECT_FALSE(expected.empty());
        EXPECT_TRUE(ReadFile(out + "\\" + name + ".pdf") == expected) << name;
    }
    EXPECT_EQ(ListFiles(ProcessFolder(), "tnv*"), std::vector<std::string>{}) << "the pages' TIFF stays";
}
} // namespace
