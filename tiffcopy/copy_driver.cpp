// CopyTiff: opens both files and rewrites the input's directories one by one.
#include "tiffcopy/tiffcopy.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/directory_transfer.h"
#include "tiffcopy/fault_guard.h"
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

// After a caught fault the output's current directory is half set up; start it afresh so
// that no tag, strip table, codec state or encoded byte of the abandoned directory reaches
// the next one.
void DiscardOutputDirectory(TIFF* out) {
    TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_NONE); // lets the codec release its state
    TIFFFreeDirectory(out);
    TIFFCreateDirectory(out);
    TIFFWriteBufferSetup(out, nullptr, -1);
}

// Closing a file open for writing flushes its current directory. After a failed or abandoned
// directory that would append a broken directory behind the good ones; marking the handle
// read-only makes the close keep only what TIFFWriteDirectory already wrote.
void DropPendingDirectory(TIFF* out) {
    TIFFSetMode(out, O_RDONLY);
}
} // namespace

const CopyReport& LastCopyReport() {
    return Copier().report;
}

int CopyTiff(const char* inputSpec, const char* outputPath, const CopyOptions* options) {
    SilenceLibraryMessages();
    CopierState& state = Copier();
    state.report = CopyReport{};
    const char* mode = ApplyCopyOptions(*options);
    CopyBuffersScope buffers;

    TiffHandle out(TIFFOpen(outputPath, mode));
    if (!out)
        return -2;
    InputSpec input = OpenInputSpec(inputSpec);
    if (!input.tif)
        return -3;

    bool pendingAbandoned = false; // the output's current directory belongs to an abandoned one
    for (;;) {
        ResetDirectoryValues();
        DirectoryWork work{input.tif.get(), out.get(), false};
        bool completed = false;
        {
            DirectoryBuffersScope directoryBuffers;
            completed = RunGuarded(TransferAndWrite, &work);
        }
        if (!completed) {
            ++state.report.abandonedDirectories;
            DiscardOutputDirectory(out.get());
            pendingAbandoned = true;
        } else if (!work.written) {
            DropPendingDirectory(out.get());
            return 1;
        } else {
            pendingAbandoned = false;
            ++state.report.directoriesWritten;
        }

        if (input.listActive) {
            const ListStep step = AdvanceImageList(input);
            if (step == ListStep::SyntaxError) {
                if (pendingAbandoned)
                    DropPendingDirectory(out.get());
                return -3;
            }
            if (step != ListStep::Positioned)
                break;
        } else if (!TIFFReadDirectory(input.tif.get())) {
            break;
        }
    }
    if (pendingAbandoned)
        DropPendingDirectory(out.get());
    return 0;
}
