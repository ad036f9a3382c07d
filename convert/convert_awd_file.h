// The pieces of one file's conversion: rendering the AWD document into the temporary TIFF,
// then copying that into the output file.
#pragma once

#include <windows.h>

// Results of ConvertAwdFile besides 0 and the copier's own 1, -2 and -3.
constexpr int kConverterNotStarted = -1; // not started, or its command line would not fit
constexpr int kConverterWaitFailed = -2;
constexpr int kRenderFailed = -4;    // the control reported a failure, or no whole TIFF was rendered
constexpr int kPagesLost = -5;       // the copy read damaged data or dropped pages
constexpr int kOutputNotPlaced = -6; // the finished file could not take the output's name
constexpr int kTempFileBusy = -7;    // the batch stopped while another conversion held the temporary file

// Runs "AWDVSTUB.EXE /c "source" "target"" and waits for it to end: 0 when it ran,
// kConverterNotStarted or kConverterWaitFailed.
int RunConverterProgram(const char* source, const char* target);

// The number of pages of a rendered TIFF; 0 when it cannot be opened, -1 when its directory
// chain is broken (a truncated file).
int CountRenderedPages(const char* path);

// Time spent in the renderer and in the copier, in performance-counter ticks, summed over the
// conversions of the process. Written by the worker only; read when no batch runs.
struct ConversionClock {
    LONGLONG rendering;
    LONGLONG copying;
};
extern ConversionClock g_conversionClock;
