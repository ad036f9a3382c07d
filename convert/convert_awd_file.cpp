// ConvertAwdFile: one AWD document through the renderer and the copier into its output file.
#include "convert/convert_awd_file.h"

#include "convert/library_paths.h"
#include "convert/output_path.h"
#include "convert/renderer.h"
#include "convert/temp_file_lock.h"
#include "framework/file_names.h"
#include "framework/handle.h"
#include "pdfwrite/pdfwrite.h"

ConversionClock g_conversionClock{};

namespace {
LONGLONG Now() {
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// Adds the time since its construction to one of the clock's sums.
class ClockSpan {
public:
    explicit ClockSpan(LONGLONG& sum) : m_sum(sum), m_start(Now()) {}
    ~ClockSpan() { m_sum += Now() - m_start; }
    ClockSpan(const ClockSpan&) = delete;
    ClockSpan& operator=(const ClockSpan&) = delete;

private:
    LONGLONG& m_sum;
    LONGLONG m_start;
};

// A scratch file of a new name in the folder of `path`; empty when none can be made.
CStringW ScratchBeside(const wchar_t* path) {
    const CStringW text(path);
    const int slash = text.ReverseFind(L'\\');
    if (slash < 0)
        return CStringW();
    // "C:\\x.tif" (a drive root joined with one more backslash) still names C:\.
    return files::TempFileName(
        text.Left(slash > 0 && text.GetString()[slash - 1] == L':' ? slash + 1 : slash), L"tnv");
}

// What the copier met that its result alone does not say: damaged or missing pages.
int CheckedCopy(int result, int renderedPages, ConversionOutcome& outcome) {
    const CopyReport& report = LastCopyReport();
    if (result == 0 && (report.readFailures > 0 || report.abandonedDirectories > 0 ||
                        report.directoriesWritten < renderedPages)) {
        outcome.pages = renderedPages;
        outcome.pagesCopied = report.directoriesWritten;
        return kPagesLost;
    }
    return result;
}

// What the PDF writer's result means for the file.
int PdfFailure(PdfResult pdf) {
    switch (pdf) {
    case PdfResult::InputNotOpened:
        return kPdfPagesNotRead;
    case PdfResult::PageRefused:
        return kPdfPageRefused;
    default:
        return kPdfNotWritten;
    }
}

// A PDF's pages are the copier's Group 4 pages, each in one strip, by way of a TIFF beside the
// temporary file: the output folder may be a slow share, and this file is read back at once.
// What fails on the way there concerns the temporary folder, never the output folder.
int CopyIntoPdf(const wchar_t* input, const wchar_t* scratch, const CopyOptions& options, int renderedPages,
                ConversionOutcome& outcome) {
    const CStringW pages = ScratchBeside(input);
    if (pages.IsEmpty())
        return kPdfPagesNotWritten;
    const std::string pagesPath = LibraryPath(pages);
    int result = CheckedCopy(
        CopyTiffFile(LibraryPath(input).c_str(), pagesPath.c_str(), &options, PageLayout::OneStrip),
        renderedPages, outcome);
    if (result == kCopyOutputNotOpened || result == kCopyDirectoryFailed)
        result = kPdfPagesNotWritten;
    int written = 0;
    if (result == kConverted) {
        const PdfResult pdf = WritePdf(pagesPath.c_str(), LibraryPath(scratch).c_str(), written);
        if (pdf != PdfResult::Written)
            result = PdfFailure(pdf);
    }
    if (result == kConverted && written < renderedPages) {
        result = kPagesLost;
        outcome.pages = renderedPages;
        outcome.pagesCopied = written;
    }
    files::Delete(pages);
    return result;
}

// The copy goes to a scratch file in the output folder, which takes the output's name only when
// the whole document arrived: a failure never destroys or half-writes an earlier output.
int CopyIntoOutput(const wchar_t* input, const wchar_t* output, const CopyOptions& options,
                   OutputFormat format, int renderedPages, ConversionOutcome& outcome) {
    const CStringW scratch = ScratchBeside(output);
    if (scratch.IsEmpty())
        return kCopyOutputNotOpened;
    int result;
    {
        ClockSpan span(g_conversionClock.copying);
        result = format == OutputFormat::Pdf
                     ? CopyIntoPdf(input, scratch, options, renderedPages, outcome)
                     : CheckedCopy(
                           CopyTiffFile(LibraryPath(input).c_str(), LibraryPath(scratch).c_str(), &options),
                           renderedPages, outcome);
    }
    if (result == 0 && !PlaceOutput(scratch, output))
        result = kOutputNotPlaced;
    if (result != 0)
        files::Delete(scratch);
    return result;
}

// What the renderer left in the temporary file: its page count, or the failure.
int RenderedPages(const wchar_t* tempTiff, int& pages) {
    pages = CountRenderedPages(tempTiff);
    if (pages > 0)
        return kConverted;
    if (pages < 0)
        return kRenderedFileCut;
    return files::Attributes(tempTiff) == INVALID_FILE_ATTRIBUTES ? kNothingRendered : kCopyInputNotOpened;
}

// The list is not watched: a listed file may have gone since. A renderer handed a path that
// names nothing may blame the document, or wait on a message box of its own.
// The name is the file system's own: one it cannot find is gone, never another file's.
int CheckSource(const wchar_t* source) {
    const CHandle file(files::Open(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL));
    if (file)
        return kConverted;
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
        return kSourceGone;
    default:
        return kSourceUnreadable;
    }
}

int Convert(Renderer& renderer, const wchar_t* tempTiff, const CopyOptions& options, const wchar_t* source,
            const wchar_t* output, const StopRequest& stop, ConversionOutcome& outcome, OutputFormat format) {
    if (!tempTiff[0])
        return kNoTempFile;
    if (const int readable = CheckSource(source))
        return readable;
    // Every Tarnvel window of the user renders into this file: one conversion at a time uses it.
    const CTempFileLock lock(tempTiff, stop);
    if (!lock.Held())
        return kTempFileBusy;
    // What an earlier rendering left must never pass for this document.
    if (!files::Delete(tempTiff) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return kTempFileInUse;
    {
        ClockSpan span(g_conversionClock.rendering);
        if (const int rendered = renderer.Render(source, tempTiff, stop, outcome)) {
            // What an ended renderer half wrote is of no use to anyone.
            if (rendered == kStopped)
                files::Delete(tempTiff);
            return rendered;
        }
    }
    int pages = 0;
    if (const int rendered = RenderedPages(tempTiff, pages))
        return rendered;
    const int copied = CopyIntoOutput(tempTiff, output, options, format, pages, outcome);
    if (copied == kConverted)
        outcome.pages = pages;
    return copied;
}
} // namespace

int ConvertAwdFile(Renderer& renderer, const wchar_t* tempTiff, const CopyOptions& options,
                   const wchar_t* source, const wchar_t* output, const StopRequest& stop,
                   ConversionOutcome& outcome, OutputFormat format) {
    outcome.result = Convert(renderer, tempTiff, options, source, output, stop, outcome, format);
    return outcome.result;
}
