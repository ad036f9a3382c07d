// The pieces of one file's conversion: rendering the AWD document into the temporary TIFF,
// then copying that into the output file.
#pragma once

#include "convert/conversion_result.h"
#include "convert/output_path.h"
#include "convert/stop_request.h"
#include "tiffcopy/tiffcopy.h"

#include <windows.h>

class Renderer;

// Renders `source` with `renderer` into the temporary file `tempTiff`, then copies that into
// `output`, as a TIFF or as a PDF. Worker thread, one call at a time; while another Tarnvel
// window's conversion holds the temporary file it waits, until `stop` is set. A source that cannot
// be read is never handed to the renderer. kConverted, or the failure, which `outcome` also holds
// with its cause.
int ConvertAwdFile(Renderer& renderer, const wchar_t* tempTiff, const CopyOptions& options,
                   const wchar_t* source, const wchar_t* output, const StopRequest& stop,
                   ConversionOutcome& outcome, OutputFormat format = OutputFormat::Tiff);

// The number of pages of a rendered TIFF; 0 when it cannot be opened, -1 when its directory
// chain is broken (a truncated file).
int CountRenderedPages(const wchar_t* path);

// Time spent in the renderer and in the copier, in performance-counter ticks, summed over the
// conversions of the process. Written by the worker only; read when no batch runs.
struct ConversionClock {
    LONGLONG rendering;
    LONGLONG copying;
};
extern ConversionClock g_conversionClock;
