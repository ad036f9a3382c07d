// Rewrites a realistic fax document into Group 4 with CopyTiff, and with the plainest loop over the
// same libtiff (the floor of any copier built on it, bench/copy_floor.h), for three layouts of the
// input: strips with RowsPerStrip, strips without it (the scanline path) and tiles; and makes a PDF
// of it as the program does, against the TIFF. Each run is a process of its own (copy_run) that
// reports its processor time and peak memory.
//
// With --windows it also measures the Windows builds of copy_run under wine: the program's 486
// build against its floor built the same way (the same target), and against Debian's stock build
// of the same sources over a libtiff built the same way (what the older instruction set costs on
// this processor; no target).
//
// usage: tiffcopy_bench WORK_DIR [--windows RUNNER COPY_RUN_486.exe COPY_RUN_STOCK.exe]
//   RUNNER: the command that runs a Windows program (scripts/wine-test.sh)
#include "fax_document.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {
constexpr int kPages = 60;
constexpr int kRounds = 7;
// Process times under wine move in 10 ms steps; a figure from several copies is finer.
constexpr int kCopiesPerWindowsRun = 8;

void Quiet(const char*, const char*, va_list) {}

// One program that copies: its command, and how it names files.
struct Contender {
    std::string command;
    bool windowsPaths;
    int copiesPerRun;
};

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// Wine reaches the Linux root as drive Z:.
std::string PathFor(const Contender& who, std::string path) {
    if (!who.windowsPaths)
        return path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

struct Measure {
    long peakKb = 0;
    std::vector<double> rounds; // the seconds of each measured round, in order
};

// The neighbours' load drifts within seconds, and it slows both runs of a round alike: the
// median of the rounds' own ratios holds still where a ratio of two bests swings by a tenth.
double MedianRatio(const Measure& a, const Measure& b) {
    std::vector<double> ratios;
    for (size_t i = 0; i < a.rounds.size() && i < b.rounds.size(); ++i)
        ratios.push_back(a.rounds[i] / b.rounds[i]);
    std::sort(ratios.begin(), ratios.end());
    const size_t n = ratios.size();
    return n == 0 ? 0 : n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
}

bool RunChild(const Contender& who, const char* which, const std::string& in, const std::string& out,
              Measure& m) {
    const std::string command = who.command + " " + which + " " + Quoted(PathFor(who, in)) + " " +
                                Quoted(PathFor(who, out)) + " " + std::to_string(who.copiesPerRun);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    double seconds = 0;
    long kb = 0;
    const int read = std::fscanf(pipe, "%lf %ld", &seconds, &kb);
    const int status = pclose(pipe);
    if (read != 2 || status != 0)
        return false;
    m.peakKb = std::max(m.peakKb, kb);
    m.rounds.push_back(seconds);
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
    const char* floor; // copy_run's floor argument
    const char* input;
};

// One run of each contender: what it runs ("copier" or the case's floor) and where it writes.
struct Entry {
    const Contender* who;
    const char* which;
    std::string output;
    Measure measure;
    std::string input = ""; // when not the shared input
};

// A warm-up each, then alternating rounds: each round's time, the best time and the highest peak.
bool Measured(std::vector<Entry>& entries, const std::string& input) {
    Measure warmUp;
    for (Entry& e : entries)
        if (!RunChild(*e.who, e.which, e.input.empty() ? input : e.input, e.output, warmUp))
            return false;
    for (int round = 0; round < kRounds; ++round)
        for (Entry& e : entries)
            if (!RunChild(*e.who, e.which, e.input.empty() ? input : e.input, e.output, e.measure))
                return false;
    return true;
}

std::string WriteInput(const std::string& dir, const Case& c, long& chunkKb) {
    const std::string input = dir + "/" + c.name + "-in.tif";
    if (!WriteFaxDocument(input, kPages, c.layout))
        return "";
    TIFF* in = TIFFOpen(input.c_str(), "r");
    chunkKb = in ? static_cast<long>((TIFFIsTiled(in) ? TIFFTileSize(in) : TIFFStripSize(in)) / 1024) : 0;
    if (in)
        TIFFClose(in);
    return input;
}

void PrintPace(const char* label, const Measure& m) {
    const double best = *std::min_element(m.rounds.begin(), m.rounds.end());
    std::printf("%-36s %8.1f pages/s   peak RSS %6ld KB\n", label, kPages / best, m.peakKb);
}

// The copier against its floor, both from one build, and, when given, against another build of
// the copier. Prints the figures; false when a run failed.
bool Compare(const Contender& build, const char* buildName, const Contender* other, const char* otherName,
             const std::string& dir, const Case& c, bool& targetsMet) {
    long chunkKb = 0;
    const std::string input = WriteInput(dir, c, chunkKb);
    std::vector<Entry> entries;
    for (const auto& [who, name] : {std::pair(&build, buildName), std::pair(other, otherName)})
        if (who != nullptr) {
            const std::string prefix = dir + "/" + c.name + "-" + name;
            entries.push_back({who, "copier", prefix + "-copier.tif", {}});
            entries.push_back({who, c.floor, prefix + "-floor.tif", {}});
        }
    if (input.empty() || !Measured(entries, input)) {
        std::fprintf(stderr, "a measured run failed (%s, %s)\n", c.name, buildName);
        return false;
    }
    const Measure& copier = entries[0].measure;
    const Measure& floor = entries[1].measure;
    const double ratio = MedianRatio(copier, floor);
    std::printf("-- %s, %s: %d pages of 1728 x 2200 at 204 x 196 dpi, Group 3 2D, %s\n", c.name, buildName,
                kPages, c.input);
    PrintPace("CopyTiff to Group 4:", copier);
    PrintPace((std::string("floor (") + c.floor + "):").c_str(), floor);
    std::printf("time ratio CopyTiff / floor (%s, %s): %.3f (target <= 1.05)\n", c.name, buildName, ratio);
    std::printf("peak memory above the floor: %ld KB (one input %s: %ld KB)\n", copier.peakKb - floor.peakKb,
                c.layout == FaxLayout::Tiles ? "tile" : "strip", chunkKb);
    std::printf("outputs decode to the same pages: %s\n",
                SamePages(entries[0].output, entries[1].output) ? "yes" : "NO");
    if (other != nullptr) {
        const Measure& theirs = entries[2].measure;
        const Measure& theirFloor = entries[3].measure;
        PrintPace((std::string("CopyTiff, ") + otherName + ":").c_str(), theirs);
        PrintPace((std::string("floor (") + c.floor + "), " + otherName + ":").c_str(), theirFloor);
        std::printf("time ratio %s / %s (%s): CopyTiff %.3f, floor %.3f\n", buildName, otherName, c.name,
                    MedianRatio(copier, theirs), MedianRatio(floor, theirFloor));
        std::printf("time ratio CopyTiff / floor (%s, %s): %.3f\n", c.name, otherName,
                    MedianRatio(theirs, theirFloor));
        std::printf("the two builds' outputs decode to the same pages: %s\n",
                    SamePages(entries[0].output, entries[2].output) ? "yes" : "NO");
    }
    targetsMet = targetsMet && ratio <= 1.05;
    // Only the strip path copies strip by strip; the others hold a row or the whole image.
    if (c.layout == FaxLayout::Strips)
        targetsMet = targetsMet && copier.peakKb - floor.peakKb <= chunkKb;
    return true;
}
double BestMsPerPage(const Measure& m) {
    return *std::min_element(m.rounds.begin(), m.rounds.end()) * 1000 / kPages;
}

// PDF output against TIFF output of one build: the copier into a TIFF, the program's way into a PDF
// (the copier, one strip per page, then the writer), and the writer alone on the copier's strips.
bool ComparePdf(const Contender& build, const char* buildName, const std::string& dir, bool& targetsMet) {
    long chunkKb = 0;
    const Case c{"pdf", FaxLayout::Strips, "", "one strip (RowsPerStrip stated) per page"};
    const std::string input = WriteInput(dir, c, chunkKb);
    const std::string prefix = dir + "/pdf-" + buildName;
    // The program's way leaves the copier's strips beside its PDF: the writer alone starts there.
    std::vector<Entry> entries{{&build, "copier", prefix + "-copier.tif", Measure{}, ""},
                               {&build, "pdf", prefix + ".pdf", Measure{}, ""},
                               {&build, "pdfwrite", prefix + "-writer.pdf", Measure{}, prefix + ".pdf.tif"}};
    if (input.empty() || !Measured(entries, input)) {
        std::fprintf(stderr, "a measured run failed (PDF, %s)\n", buildName);
        return false;
    }
    const double ratio = MedianRatio(entries[1].measure, entries[0].measure);
    std::printf("-- PDF, %s: %d pages of 1728 x 2200 at 204 x 196 dpi, Group 3 2D, %s\n", buildName, kPages,
                c.input);
    std::printf("%-36s %8.3f ms/page\n", "CopyTiff to Group 4 TIFF:", BestMsPerPage(entries[0].measure));
    std::printf("%-36s %8.3f ms/page\n", "PDF writer alone:", BestMsPerPage(entries[2].measure));
    std::printf("%-36s %8.3f ms/page\n",
                "CopyTiff one strip + PDF writer:", BestMsPerPage(entries[1].measure));
    std::printf("time ratio PDF output / TIFF output (%s): %.3f (target <= 1.1)\n", buildName, ratio);
    targetsMet = targetsMet && ratio <= 1.1;
    return true;
}
} // namespace

int main(int argc, char** argv) {
    const bool windows = argc == 6 && std::strcmp(argv[2], "--windows") == 0;
    if (argc != 2 && !windows) {
        std::fprintf(stderr, "usage: %s WORK_DIR [--windows RUNNER COPY_RUN_486.exe COPY_RUN_STOCK.exe]\n",
                     argv[0]);
        return 2;
    }
    TIFFSetWarningHandler(Quiet);
    TIFFSetErrorHandler(Quiet);
    const std::string dir = argv[1];
    const std::string self = argv[0];
    const std::string native = Quoted(self.substr(0, self.find_last_of('/') + 1) + "copy_run");
    const Case cases[] = {
        {"strips", FaxLayout::Strips, "strips", "one strip (RowsPerStrip stated) per page"},
        {"scanlines", FaxLayout::NoRowsPerStrip, "rows", "one strip per page, no RowsPerStrip"},
        {"tiles", FaxLayout::Tiles, "tiles", "256 x 256 tiles"},
    };
    bool targetsMet = true;
    const Contender nativeBuild{native, false, 1};
    for (const Case& c : cases)
        if (!Compare(nativeBuild, "native", nullptr, nullptr, dir, c, targetsMet))
            return 1;
    if (!ComparePdf(nativeBuild, "native", dir, targetsMet))
        return 1;
    if (windows) {
        const Contender i486{Quoted(argv[3]) + " " + Quoted(argv[4]), true, kCopiesPerWindowsRun};
        const Contender stock{Quoted(argv[3]) + " " + Quoted(argv[5]), true, kCopiesPerWindowsRun};
        for (const Case& c : cases)
            if (!Compare(i486, "486 build", &stock, "stock build", dir, c, targetsMet))
                return 1;
        if (!ComparePdf(i486, "486 build", dir, targetsMet))
            return 1;
    }
    std::printf(
        "time: processor time (user + system) of the copy in each run's own process, in %d alternating "
        "rounds (under wine: %d copies a run, the copying thread's time, which moves in 10 ms steps); "
        "pages/s from the best round, ratios the median of the rounds' own ratios; "
        "memory: that process's peak resident set size (getrusage ru_maxrss; under wine the peak "
        "working set), highest of the rounds; memory target (at most one strip buffer above the "
        "floor) for the strip input only\n",
        kRounds, kCopiesPerWindowsRun);
    return targetsMet ? 0 : 3;
}
