// CopyTiff: opens both files and rewrites the input's directories one by one.
#include "tiffcopy/tiffcopy.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/directory_transfer.h"
#include "tiffcopy/fault_guard.h"
#include "tiffcopy/input_spec.h"
#include "tiffcopy/transfer_buffers.h"

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
// that no tag, strip table or codec flag of the abandoned directory reaches the next one.
void DiscardOutputDirectory(TIFF* out) {
    TIFFFreeDirectory(out);
    TIFFCreateDirectory(out);
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

    TiffHandle out(TIFFOpen(outputPath, mode));
    if (!out)
        return -2;
    InputSpec input = OpenInputSpec(inputSpec);
    if (!input.tif)
        return -3;

    for (;;) {
        ResetDirectoryValues();
        DirectoryWork work{input.tif.get(), out.get(), false};
        bool completed = false;
        {
            DirectoryBuffersScope buffers;
            completed = RunGuarded(TransferAndWrite, &work);
        }
        if (!completed) {
            ++state.report.abandonedDirectories;
            DiscardOutputDirectory(out.get());
        } else if (!work.written) {
            return 1;
        } else {
            ++state.report.directoriesWritten;
        }

        if (input.listActive) {
            const ListStep step = AdvanceImageList(input);
            if (step == ListStep::SyntaxError)
                return -3;
            if (step != ListStep::Positioned)
                break;
        } else if (!TIFFReadDirectory(input.tif.get())) {
            break;
        }
    }
    return 0;
}
