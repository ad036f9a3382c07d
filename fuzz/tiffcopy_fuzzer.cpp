// Hands arbitrary bytes to CopyTiff as its input file, then the copy and the input itself to the
// PDF writer. The last two bytes pick the options and the input text, so that every copy routine,
// encoder and image-list path gets exercised:
//   last byte:        compression code -1..11 (-1 and 11 keep each input directory's own) and
//                     the tiling option -1, 0 or 1;
//   byte before it:   the fill order option 0, 1 or 2, the image list after the path, and the
//                     layout: as the input, or one strip per page as for a PDF.
// With TARNVEL_FUZZ_QPDF set (scripts/fuzz.sh, when it runs the corpus once more) every PDF
// written must also pass qpdf --check, or the run aborts.
#include "pdfwrite/pdfwrite.h"
#include "tiffcopy/copier_state.h"
#include "tiffcopy/tiffcopy.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
std::string TempPath(const char* suffix) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/tarnvel-fuzz-" + std::to_string(getpid()) + suffix;
}

const char* const kImageLists[] = {"", ",", ",1", ",1,", ",1,0", ",0x1,00", ",0,9", ",2x"};

void WriteAndCheckPdf(const std::string& tiff, const std::string& pdf) {
    int pages = 0;
    if (WritePdf(tiff.c_str(), pdf.c_str(), pages) != PdfResult::Written || !std::getenv("TARNVEL_FUZZ_QPDF"))
        return;
    if (std::system(("qpdf --check '" + pdf + "' >/dev/null 2>&1").c_str()) != 0) {
        std::fprintf(stderr, "qpdf --check fails on the PDF written from %s\n", tiff.c_str());
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = TempPath("-in.tif");
    static const std::string output = TempPath("-out.tif");
    static const std::string pdf = TempPath("-out.pdf");
    std::FILE* file = std::fopen(input.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const uint8_t last = size > 0 ? data[size - 1] : 0;
    const uint8_t before = size > 1 ? data[size - 2] : 0;
    const int32_t code = last % 13 - 1;
    const CopyOptions options{code, 75, before % 3, (last / 13) % 3 - 1, 0};
    // An unknown code keeps what the previous copy chose: start each run from the process's
    // initial state, so that a finding reproduces on its own.
    if (code < 0 || code > 10)
        Copier().defaultCompression = 0xFFFF;
    const std::string spec = input + kImageLists[(before / 3) % (sizeof kImageLists / sizeof *kImageLists)];
    const PageLayout layout = (before / 24) % 2 ? PageLayout::OneStrip : PageLayout::AsInput;
    if (CopyTiff(spec.c_str(), output.c_str(), &options, layout) != -2)
        WriteAndCheckPdf(output, pdf);
    WriteAndCheckPdf(input, pdf);
    return 0;
}
