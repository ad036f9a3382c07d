// CopyTiff: opens both files and rewrites the input's directories one by one.
#include "tiffcopy/tiffcopy.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/directory_transfer.h"
#include "tiffcopy/fault_guard.h"
#include "tiffcopy/image_list.h"
#include "tiffcopy/transfer_buffers.h"

#include <fcntl.h>

#include <utility>

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
void DropPendingDirectory(TIFF* out) {
    TIFFSetMode(out, O_RDONLY);
}

// After a caught fault the output handle holds what the fault left: a half-built directory, an
// encoder midway, and the library's mark that writing has started, which only a completed
// directory clears (with it set, the library refuses ImageWidth, Compression and the like for
// every later directory). Closing without a flush and reopening for appending starts afresh
// behind the directories already written; the abandoned directory's strips stay unreferenced.
TiffHandle ReopenAfterFault(TiffHandle out, const char* outputPath) {
    DropPendingDirectory(out.get());
    out.Close();
    return TiffHandle(TIFFOpen(outputPath, "a"));
}

int Copy(const char* input, bool imageList, const char* outputPath, const CopyOptions* options) {
    SilenceLibraryMessages();
    CopierState& state = Copier();
    state.report = CopyReport{};
    const char* mode = ApplyCopyOptions(*options);
    CopyBuffersScope buffers;

    TiffHandle out(TIFFOpen(outputPath, mode));
    if (!out)
        return -2;
    InputSpec in = imageList ? OpenInputSpec(input) : OpenInputFile(input);
    if (!in.tif)
        return -3;

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
            out = ReopenAfterFault(std::move(out), outputPath);
            if (!out)
                return 1;
        } else if (!work.written) {
            DropPendingDirectory(out.get());
            return 1;
        } else {
            ++state.report.directoriesWritten;
        }

        if (in.listActive) {
            const ListStep step = AdvanceImageList(in);
            if (step == ListStep::SyntaxError)
                return -3;
            if (step != ListStep::Positioned)
                break;
        } else if (!TIFFReadDirectory(in.tif.get())) {
            break;
        }
    }
    return 0;
}
} // namespace

const CopyReport& LastCopyReport() {
    return Copier().report;
}

int CopyTiff(const char* inputSpec, const char* outputPath, const CopyOptions* options) {
    return Copy(inputSpec, true, outputPath, options);
}

int CopyTiffFile(const char* inputPath, const char* outputPath, const CopyOptions* options) {
    return Copy(inputPath, false, outputPath, options);
}
