// Rewrites a realistic fax document into Group 4 with CopyTiff, and with the plainest loop
// over the same libtiff (decode each strip, encode it again: the floor of any copier built
// on libtiff). Each run happens in a child process of its own, which reports its time and
// its peak resident set size, so the two memory figures do not mix.
//
// usage: tiffcopy_bench WORK_DIR                 (the benchmark)
//        tiffcopy_bench --run copier|floor IN OUT (one measured run; prints seconds and KB)
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

// The floor: no tag rules, no routine choice, no guard; one strip buffer for the whole file.
bool FloorCopy(const char* inPath, const char* outPath) {
    TIFF* in = TIFFOpen(inPath, "r");
    TIFF* out = TIFFOpen(outPath, "w");
    if (in == nullptr || out == nullptr)
        return false;
    std::vector<uint8_t> buffer(static_cast<size_t>(TIFFStripSize(in)));
    bool ok = true;
    do {
        uint32_t width = 0, length = 0, rowsPerStrip = 0;
        uint16_t photometric = 0, fillOrder = FILLORDER_MSB2LSB;
        float xResolution = 0, yResolution = 0;
        TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length);
        TIFFGetField(in, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
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
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
        TIFFSetField(out, TIFFTAG_XRESOLUTION, static_cast<double>(xResolution));
        TIFFSetField(out, TIFFTAG_YRESOLUTION, static_cast<double>(yResolution));
        const uint32_t strips = TIFFNumberOfStrips(in);
        for (uint32_t s = 0; s < strips && ok; ++s) {
            const tmsize_t size =
                TIFFReadEncodedStrip(in, s, buffer.data(), static_cast<tmsize_t>(buffer.size()));
            ok = size >= 0 && TIFFWriteEncodedStrip(out, s, buffer.data(), size) >= 0;
        }
        ok = ok && TIFFWriteDirectory(out);
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
        ok = FloorCopy(inPath, outPath);
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

bool SamePages(const std::string& a, const std::string& b) {
    TIFF* x = TIFFOpen(a.c_str(), "r");
    TIFF* y = TIFFOpen(b.c_str(), "r");
    bool same = x != nullptr && y != nullptr;
    std::vector<uint8_t> bx, by;
    while (same) {
        bx.assign(static_cast<size_t>(TIFFStripSize(x)), 0);
        by.assign(static_cast<size_t>(TIFFStripSize(y)), 0);
        for (uint32_t s = 0; s < TIFFNumberOfStrips(x) && same; ++s)
            same = TIFFReadEncodedStrip(x, s, bx.data(), -1) >= 0 &&
                   TIFFReadEncodedStrip(y, s, by.data(), -1) >= 0 && bx == by;
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
    const std::string dir = argv[1];
    const std::string input = dir + "/fax-g3-2d.tif";
    const std::string copied = dir + "/copier-g4.tif";
    const std::string floored = dir + "/floor-g4.tif";
    if (!WriteFaxDocument(input, kPages)) {
        std::fprintf(stderr, "cannot write %s\n", input.c_str());
        return 1;
    }
    TIFF* in = TIFFOpen(input.c_str(), "r");
    const long stripKb = in ? static_cast<long>(TIFFStripSize(in) / 1024) : 0;
    if (in)
        TIFFClose(in);

    Measure copier, floor;
    // One warm-up each, then alternating rounds; the best time and the highest peak count.
    Measure warmUp;
    bool ok = RunChild(argv[0], "copier", input, copied, warmUp) &&
              RunChild(argv[0], "floor", input, floored, warmUp);
    for (int round = 0; round < kRounds && ok; ++round)
        ok = RunChild(argv[0], "copier", input, copied, copier) &&
             RunChild(argv[0], "floor", input, floored, floor);
    if (!ok) {
        std::fprintf(stderr, "a measured run failed\n");
        return 1;
    }
    const double copierRate = kPages / copier.bestSeconds;
    const double floorRate = kPages / floor.bestSeconds;
    const double ratio = copier.bestSeconds / floor.bestSeconds;
    std::printf("input: %d pages of 1728 x 2200 at 204 x 196 dpi, Group 3 2D, one strip (%ld KB) per page\n",
                kPages, stripKb);
    std::printf("CopyTiff to Group 4: %8.1f pages/s   peak RSS %6ld KB\n", copierRate, copier.peakKb);
    std::printf("floor (decode+encode): %6.1f pages/s   peak RSS %6ld KB\n", floorRate, floor.peakKb);
    std::printf("time ratio CopyTiff / floor: %.3f (target <= 1.05)\n", ratio);
    std::printf("peak memory above the floor: %ld KB (target <= one strip buffer, %ld KB)\n",
                copier.peakKb - floor.peakKb, stripKb);
    std::printf("outputs decode to the same pages: %s\n", SamePages(copied, floored) ? "yes" : "NO");
    std::printf(
        "time: processor time (user + system) of each run's own child process, best of %d alternating "
        "rounds; memory: that process's peak resident set size (getrusage ru_maxrss), highest of the "
        "rounds\n",
        kRounds);
    return ratio <= 1.05 && copier.peakKb - floor.peakKb <= stripKb ? 0 : 3;
}
