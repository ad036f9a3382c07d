#include "pdfwrite/pdf_readers.h"

#include "support/temp_dir.h"
#include "support/text_file.h"
#include "tiffcopy/tiffcopy.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {
std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// The output of `command`, and whether it ended with status 0.
bool Run(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return false;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    return pclose(pipe) == 0;
}

// The next number of a PBM header, past white space and comments.
uint32_t HeaderNumber(std::istringstream& header) {
    while (header >> std::ws && header.peek() == '#')
        header.ignore(1 << 20, '\n');
    uint32_t number = 0;
    header >> number;
    return number;
}

// A binary PBM (P4) file; an empty bitmap when it is not one.
Bitmap ReadPbm(const std::string& path) {
    const std::string file = ReadFile(path);
    std::istringstream header(file);
    std::string magic;
    header >> magic;
    Bitmap page;
    page.width = HeaderNumber(header);
    page.length = HeaderNumber(header);
    if (magic != "P4" || !header)
        return Bitmap{};
    const size_t start = static_cast<size_t>(header.tellg()) + 1; // one white-space character
    const size_t rowBytes = (page.width + 7) / 8;
    if (file.size() < start + rowBytes * page.length)
        return Bitmap{};
    page.black.resize(size_t{page.width} * page.length);
    for (uint32_t y = 0; y < page.length; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
            page.black[size_t{y} * page.width + x] =
                (static_cast<uint8_t>(file[start + y * rowBytes + x / 8]) >> (7 - x % 8)) & 1;
    return page;
}

std::string Dpi(double dpi) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", dpi);
    return text;
}
} // namespace

std::vector<Bitmap> RenderPages(const std::string& pdf, Reader reader, double xDpi, double yDpi) {
    TempDir dir("render");
    const std::string command = reader == Reader::Ghostscript
                                    ? "gs -q -dSAFER -sDEVICE=pbmraw -r" + Dpi(xDpi) + "x" + Dpi(yDpi) +
                                          " -o " + Quoted(dir / "page-%04d.pbm") + " " + Quoted(pdf)
                                    : "pdftoppm -mono -rx " + Dpi(xDpi) + " -ry " + Dpi(yDpi) + " " +
                                          Quoted(pdf) + " " + Quoted(dir / "page");
    std::string output;
    std::vector<Bitmap> pages;
    if (!Run(command, output)) {
        std::fprintf(stderr, "%s\n%s\n", command.c_str(), output.c_str());
        return pages;
    }
    // Both number the pages with leading zeros.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        pages.push_back(ReadPbm(file));
    return pages;
}

std::string QpdfProblems(const std::string& pdf) {
    std::string output;
    return Run("qpdf --check " + Quoted(pdf), output) ? "" : output.empty() ? "qpdf did not run" : output;
}

PdfResult CopyIntoPdf(const std::string& tiff, const std::string& pdf, int& pages) {
    const std::string strips = pdf + ".tif";
    const CopyOptions options{6, 75, 0, -1, 0};
    pages = 0;
    if (CopyTiffFile(tiff.c_str(), strips.c_str(), &options, PageLayout::OneStrip) != 0)
        return PdfResult::InputNotOpened;
    return WritePdf(strips.c_str(), pdf.c_str(), pages);
}
