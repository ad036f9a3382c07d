// One measured run of the copier benchmark, in a process of its own so that the memory figures
// do not mix: copies IN to OUT with CopyTiff ("copier", the program's options) or with one of the
// floors, or makes a PDF of IN as the program does ("pdf": the copier, one strip per page, into
// OUT.tif, then the PDF writer) or with the writer alone ("pdfwrite", IN a TIFF that "pdf" left),
// TIMES times over, and prints the processor time (user + system) of one run in seconds and the
// process's peak memory in KB. tiffcopy_bench runs it natively, and its Windows builds under wine,
// whose process times move in 10 ms steps: there several copies make one figure.
// usage: copy_run copier|strips|rows|tiles|pdf|pdfwrite IN OUT [TIMES]
#include "copy_floor.h"

#include "pdfwrite/pdfwrite.h"
#include "tiffcopy/tiffcopy.h"

#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {
void Quiet(const char*, const char*, va_list) {}

// The machine is shared, and wall time mostly measures the neighbours.
#if defined(_WIN32)
// The copying thread's own time: wine runs threads of its own in every process.
double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0) + t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

long PeakKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}
#else
double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
#endif

bool CopyOnce(const char* which, const char* inPath, const char* outPath) {
    const CopyOptions options{6, 75, 0, -1, 0};
    if (std::strcmp(which, "copier") == 0)
        return CopyTiff(inPath, outPath, &options) == 0;
    int pages = 0;
    if (std::strcmp(which, "pdfwrite") == 0)
        return WritePdf(inPath, outPath, pages) == PdfResult::Written;
    if (std::strcmp(which, "pdf") == 0) {
        const std::string strips = std::string(outPath) + ".tif";
        return CopyTiffFile(inPath, strips.c_str(), &options, PageLayout::OneStrip) == 0 &&
               WritePdf(strips.c_str(), outPath, pages) == PdfResult::Written;
    }
    const Floor floor = std::strcmp(which, "rows") == 0    ? Floor::Rows
                        : std::strcmp(which, "tiles") == 0 ? Floor::Tiles
                                                           : Floor::Strips;
    return FloorCopy(inPath, outPath, floor);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s copier|strips|rows|tiles|pdf|pdfwrite IN OUT [TIMES]\n", argv[0]);
        return 2;
    }
    const int times = argc == 5 ? std::atoi(argv[4]) : 1;
    TIFFSetWarningHandler(Quiet);
    TIFFSetErrorHandler(Quiet);
    bool ok = times > 0;
    const double start = ProcessorSeconds();
    for (int i = 0; i < times && ok; ++i)
        ok = CopyOnce(argv[1], argv[2], argv[3]);
    std::printf("%.6f %ld\n", (ProcessorSeconds() - start) / (times > 0 ? times : 1), PeakKb());
    return ok ? 0 : 1;
}
