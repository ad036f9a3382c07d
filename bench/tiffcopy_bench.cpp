// Rewrites a realistic fax document into Group 4 with CopyTiff, and with the plainest loop
// over the same libtiff (decode each strip, row or tile, encode it again: the floor of any
// copier built on libtiff), for three layouts of the input: strips with RowsPerStrip, strips
// without it (the scanline path) and tiles. Each run happens in a child process of its own, which reports its
// time and its peak resident set size, so the two memory figures do not mix.
//
// usage: tiffcopy_bench WORK_DIR                 (the benchmark)
//        tiffcopy_bench --run copier|strips|rows|tiles IN OUT (one measured run; prints seconds and KB)
#include "fax_document.h"

#include "tiffcopy/tiffcopy.h"

#include <tiffio.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kPages = 60;
constexpr int kRounds = 7;

void Quiet(const char*, const char*, va_list) {}

// The floors: no tag rules, no routine choice, no guard; one buffer for the whole file. Each
// decodes and encodes the input the way its layout asks for: whole strips, scanlines into the
// library's default strips (as a copier must for an input without RowsPerStrip), or tiles.
enum class Floor { Strips, Rows, Tiles };

bool FloorPage(TIFF* in, TIFF* out, Floor floor, std::vector<uint8_t>& buffer) {
    uint32_t length = 0;
    TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length);
    if (floor == Floor::Rows) {
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(out, 0));
        buffer.resize(static_cast<size_t>(TIFFScanlineSize(in)));
        for (uint32_t row = 0; row < length; ++row)
            if (TIFFReadScanline(in, buffer.data(), row, 0) < 0 ||
                TIFFWriteScanline(out, buffer.data(), row, 0) < 0)
                return false;
        return true;
    }
    const bool tiles = floor == Floor::Tiles;
    uint32_t rowsPerStrip = 0, tileWidth = 0, tileLength = 0;
    if (tiles) {
        TIFFGetField(in, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(in, TIFFTAG_TILELENGTH, &tileLength);
        TIFFSetField(out, TIFFTAG_TILEWIDTH, tileWidth);
        TIFFSetField(out, TIFFTAG_TILELENGTH, tileLength);
    } else {
        TIFFGetField(in, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    }
    buffer.resize(static_cast<size_t>(tiles ? TIFFTileSize(in) : TIFFStripSize(in)));
    const uint32_t chunks = tiles ? TIFFNumberOfTiles(in) : TIFFNumberOfStrips(in);
    for (uint32_t c = 0; c < chunks; ++c) {
        const tmsize_t size =
            tiles ? TIFFReadEncodedTile(in, c, buffer.data(), static_cast<tmsize_t>(buffer.size()))
                  : TIFFReadEncodedStrip(in, c, buffer.data(), static_cast<tmsize_t>(buffer.size()));
        if (size < 0 || (tiles ? TIFFWriteEncodedTile(out, c, buffer.data(), size)
                               : TIFFWriteEncodedStrip(out, c, buffer.data(), size)) < 0)
            return false;
    }
    return true;
}

bool FloorCopy(const char* inPath, const char* outPath, Floor floor) {
    TIFF* in = TIFFOpen(inPath, "r");
    TIFF* out = TIFFOpen(outPath, "w");
    if (in == nullptr || out == nullptr)
        return false;
    std::vector<uint8_t> buffer;
    bool ok = true;
    do {
        uint32_t width = 0, length = 0;
        uint16_t photometric = 0, fillOrder = FILLORDER_MSB2LSB;
        float xResolution = 0, yResolution = 0;
        TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length);
        TIFFGetField(in, TIFFTAG_PHOTOMETRIC, &photometric);
        TIFFGetField(in, TIFFTAG_FILLORDER, &fillOrder);
        TIFFGetField(in, TIFFTAG_XRESOLUTION, &xResolution);
        TIFFGetField(in, TIFFTAG_YRESOLUTION, &yResolution);
        TIFFSetField(out, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(out, TIFFTAG_IMAGELENGTH, length);
        TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, uint16_t{1});
        TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        TIFFSetField(out, TIFFTAG_PHOTOMETRIC, photometric);
        TIFFSetField(out, TIFFTAG_FILLORDER, fillOrder);
        TIFFSetField(out, TIFFTAG_XRESOLUTION, static_cast<double>(xResolution));
        TIFFSetField(out, TIFFTAG_YRESOLUTION, static_cast<double>(yResolution));
        ok = FloorPage(in, out, floor, buffer) && TIFFWriteDirectory(out);
    } while (ok && TIFFReadDirectory(in));
    TIFFClose(in);
    TIFFClose(out);
    return ok;
}

int RunOnce(const char* which, const char* inPath, const char* outPath) {
    TIFFSetWarningHandler(Quiet);
    TIFFSetErrorHandler(Quiet);
    bool ok = false;
    if (std::strcmp(which, "copier") == 0) {
        const CopyOptions options{6, 75, 0, -1, 0};
        ok = CopyTiff(inPath, outPath, &options) == 0;
    } else {
        const Floor floor = std::strcmp(which, "rows") == 0    ? Floor::Rows
                            : std::strcmp(which, "tiles") == 0 ? Floor::Tiles
                                                               : Floor::Strips;
        ok = FloorCopy(inPath, outPath, floor);
    }
    // Processor time of this process: the machine is shared, and wall time mostly measures
    // the neighbours.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.6f %ld\n", seconds, usage.ru_maxrss);
    return ok ? 0 : 1;
}

struct Measure {
    double bestSeconds = 1e9;
    long peakKb = 0;
};

bool RunChild(const std::string& self, const char* which, const std::string& in, const std::string& out,
              Measure& m) {
    const std::string command = "'" + self + "' --run " + which + " '" + in + "' '" + out + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    double seconds = 0;
    long kb = 0;
    const int read = std::fscanf(pipe, "%lf %ld", &seconds, &kb);
    const int status = pclose(pipe);
    if (read != 2 || status != 0)
        return false;
    m.bestSeconds = std::min(m.bestSeconds, seconds);
    m.peakKb = std::max(m.peakKb, kb);
    return true;
}

// Both files decode to the same visible pixels, page by page, whatever their layout.
bool SamePages(const std::string& a, const std::string& b) {
    TIFF* x = TIFFOpen(a.c_str(), "r");
    TIFF* y = TIFFOpen(b.c_str(), "r");
    bool same = x != nullptr && y != nullptr;
    std::vector<uint32_t> px, py;
    while (same) {
        uint32_t width = 0, length = 0;
        TIFFGetField(x, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(x, TIFFTAG_IMAGELENGTH, &length);
        px.assign(size_t{width} * length, 0);
        py.assign(size_t{width} * length, 1);
        same = TIFFReadRGBAImage(x, width, length, px.data(), 0) &&
               TIFFReadRGBAImage(y, width, length, py.data(), 0) && px == py;
        const int nx = TIFFReadDirectory(x);
        const int ny = TIFFReadDirectory(y);
        if (nx != ny)
            same = false;
        if (!nx)
            break;
    }
    if (x)
        TIFFClose(x);
    if (y)
        TIFFClose(y);
    return same;
}

struct Case {
    const char* name;
    FaxLayout layout;
    const char* floor; // the child's floor argument
    const char* input;
};

// One input against its own floor: a warm-up each, then alternating rounds; the best time and
// the highest peak count. Prints the figures; false when a run failed.
bool Compare(const char* self, const std::string& dir, const Case& c, bool& targetsMet) {
    const std::string input = dir + "/" + c.name + "-in.tif";
    const std::string copied = dir + "/" + c.name + "-copier.tif";
    const std::string floored = dir + "/" + c.name + "-floor.tif";
    if (!WriteFaxDocument(input, kPages, c.layout)) {
        std::fprintf(stderr, "cannot write %s\n", input.c_str());
        return false;
    }
    TIFF* in = TIFFOpen(input.c_str(), "r");
    const long chunkKb =
        in ? static_cast<long>((TIFFIsTiled(in) ? TIFFTileSize(in) : TIFFStripSize(in)) / 1024) : 0;
    if (in)
        TIFFClose(in);
    Measure copier, floor, warmUp;
    bool ok =
        RunChild(self, "copier", input, copied, warmUp) && RunChild(self, c.floor, input, floored, warmUp);
    for (int round = 0; round < kRounds && ok; ++round)
        ok =
            RunChild(self, "copier", input, copied, copier) && RunChild(self, c.floor, input, floored, floor);
    if (!ok) {
        std::fprintf(stderr, "a measured run failed (%s)\n", c.name);
        return false;
    }
    const double ratio = copier.bestSeconds / floor.bestSeconds;
    std::printf("-- %s: %d pages of 1728 x 2200 at 204 x 196 dpi, Group 3 2D, %s\n", c.name, kPages, c.input);
    std::printf("CopyTiff to Group 4: %8.1f pages/s   peak RSS %6ld KB\n", kPages / copier.bestSeconds,
                copier.peakKb);
    std::printf("floor (%s): %8.1f pages/s   peak RSS %6ld KB\n", c.floor, kPages / floor.bestSeconds,
                floor.peakKb);
    std::printf("time ratio CopyTiff / floor (%s): %.3f (target <= 1.05)\n", c.name, ratio);
    std::printf("peak memory above the floor: %ld KB (one input %s: %ld KB)\n", copier.peakKb - floor.peakKb,
                c.layout == FaxLayout::Tiles ? "tile" : "strip", chunkKb);
    std::printf("outputs decode to the same pages: %s\n", SamePages(copied, floored) ? "yes" : "NO");
    targetsMet = targetsMet && ratio <= 1.05;
    // Only the strip path copies strip by strip; the others hold a row or the whole image.
    if (c.layout == FaxLayout::Strips)
        targetsMet = targetsMet && copier.peakKb - floor.peakKb <= chunkKb;
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--run") == 0)
        return RunOnce(argv[2], argv[3], argv[4]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WORK_DIR\n", argv[0]);
        return 2;
    }
    TIFFSetWarningHandler(Quiet);
    TIFFSetErrorHandler(Quiet);
    const Case cases[] = {
        {"strips", FaxLayout::Strips, "strips", "one strip (RowsPerStrip stated) per page"},
        {"scanlines", FaxLayout::NoRowsPerStrip, "rows", "one strip per page, no RowsPerStrip"},
        {"tiles", FaxLayout::Tiles, "tiles", "256 x 256 tiles"},
    };
    bool targetsMet = true;
    for (const Case& c : cases)
        if (!Compare(argv[0], argv[1], c, targetsMet))
            return 1;
    std::printf(
        "time: processor time (user + system) of each run's own child process, best of %d alternating "
        "rounds; memory: that process's peak resident set size (getrusage ru_maxrss), highest of the "
        "rounds; memory target (at most one strip buffer above the floor) for the strip input only\n",
        kRounds);
    return targetsMet ? 0 : 3;
}
