// CopyTiff: opens both files and rewrites the input's directories one by one.
#include "tiffcopy/tiffcopy.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/directory_transfer.h"
#include "tiffcopy/fault_guard.h"
#include "tiffcopy/file_open.h"
#include "tiffcopy/image_list.h"
#include "tiffcopy/transfer_buffers.h"

#include <fcntl.h>

namespace {
struct DirectoryWork {
    TIFF* in;
    TIFF* out;
    bool written;
};

// Runs under the fault guard: no objects with destructors live in this frame.
void TransferAndWrite(void* context) {
    DirectoryWork& work = *static_cast<DirectoryWork*>(context);
    work.written = TransferDirectory(work.in, work.out) && TIFFWriteDirectory(work.out);
}

// Closing a file open for writing flushes its current directory. After a failed or abandoned
// directory that would append a broken directory behind the good ones; marking the handle
// read-only makes the close keep only what TIFFWriteDirectory already wrote.
struct CloseWork {
    TIFF* tif;
    bool dropPendingDirectory;
};

void CloseTiff(void* context) {
    const CloseWork& work = *static_cast<CloseWork*>(context);
    if (work.dropPendingDirectory)
        TIFFSetMode(work.tif, O_RDONLY);
    TIFFClose(work.tif);
}

// A handle that was in use when a fault hit holds what the fault left, so its close runs under
// the guard too (every close does, to keep one way). A close that faults leaves the handle as it
// is: its memory and file stay taken, and the copy fails.
bool CloseGuarded(TiffHandle& handle, bool dropPendingDirectory = false) {
    if (!handle)
        return true;
    CloseWork work{handle.Release(), dropPendingDirectory};
    return RunGuarded(CloseTiff, &work);
}

// After a caught fault the output handle holds what the fault left: a half-built directory, an
// encoder midway, and the library's mark that writing has started, which only a completed
// directory clears (with it set, the library refuses ImageWidth, Compression and the like for
// every later directory). Closing without a flush and reopening for appending starts afresh
// behind the directories already written; the abandoned directory's strips stay unreferenced.
bool ReopenAfterFault(TiffHandle& out, const char* outputPath) {
    if (!CloseGuarded(out, true))
        return false;
    out = TiffHandle(OpenTiff(outputPath, "a"));
    return static_cast<bool>(out);
}

// The input's next directory, under the guard: after a fault the input is one of the handles
// the fault may have left broken.
struct NextWork {
    InputSpec* in;
    ListStep step;
};

void MoveToNext(void* context) {
    NextWork& work = *static_cast<NextWork*>(context);
    if (work.in->listActive)
        work.step = AdvanceImageList(*work.in);
    else
        work.step = TIFFReadDirectory(work.in->tif.get()) ? ListStep::Positioned : ListStep::Exhausted;
}

int CopyDirectories(InputSpec& in, TiffHandle& out, const char* outputPath) {
    CopierState& state = Copier();
    for (;;) {
        ResetDirectoryValues();
        DirectoryWork work{in.tif.get(), out.get(), false};
        bool completed = false;
        {
            DirectoryBuffersScope directoryBuffers;
            completed = RunGuarded(TransferAndWrite, &work);
        }
        if (!completed) {
            ++state.report.abandonedDirectories;
            if (!ReopenAfterFault(out, outputPath))
                return 1;
        } else if (!work.written) {
            CloseGuarded(out, true);
            return 1;
        } else {
            ++state.report.directoriesWritten;
        }

        NextWork next{&in, ListStep::Exhausted};
        if (!RunGuarded(MoveToNext, &next)) {
            in.tif.Release();
            return 1;
        }
        if (next.step == ListStep::SyntaxError)
            return -3;
        if (next.step != ListStep::Positioned)
            return 0;
    }
}

int Copy(const char* input, bool imageList, const char* outputPath, const CopyOptions* options,
         PageLayout layout) {
    SilenceLibraryMessages();
    CopierState& state = Copier();
    state.report = CopyReport{};
    const char* mode = ApplyCopyOptions(*options);
    state.oneStripPerPage = layout == PageLayout::OneStrip;
    if (state.oneStripPerPage)
        state.tileOutput = 0;
    CopyBuffersScope buffers;

    TiffHandle out(OpenTiff(outputPath, mode));
    if (!out)
        return -2;
    InputSpec in = imageList ? OpenInputSpec(input) : OpenInputFile(input);
    int result = in.tif ? CopyDirectories(in, out, outputPath) : -3;
    const bool inputClosed = CloseGuarded(in.tif);
    const bool outputClosed = CloseGuarded(out);
    if (result == 0 && !(inputClosed && outputClosed))
        result = 1;
    return result;
}
} // namespace

const CopyReport& LastCopyReport() {
    return Copier().report;
}

int CopyTiff(const char* inputSpec, const char* outputPath, const CopyOptions* options, PageLayout layout) {
    return Copy(inputSpec, true, outputPath, options, layout);
}

int CopyTiffFile(const char* inputPath, const char* outputPath, const CopyOptions* options,
                 PageLayout layout) {
    return Copy(inputPath, false, outputPath, options, layout);
}
