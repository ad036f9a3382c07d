// ConvertAwdFile: one AWD document through the renderer and the copier into its output file.
#include "convert/convert_awd_file.h"

#include "app/environment.h"
#include "convert/batch_job.h"
#include "convert/output_path.h"
#include "convert/temp_file_lock.h"
#include "ui/converter_dlg.h"

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

// The folder part of `path`, for a scratch file beside it.
bool FolderOf(const char* path, char (&folder)[MAX_PATH]) {
    const CString text(path);
    const int slash = text.ReverseFind('\\');
    if (slash < 0 || slash >= MAX_PATH)
        return false;
    // "C:\\x.tif" (a drive root joined with one more backslash) still names C:\.
    const CString part = text.Left(slash > 0 && text.GetString()[slash - 1] == ':' ? slash + 1 : slash);
    lstrcpynA(folder, part, MAX_PATH);
    return true;
}

// The copy goes to a scratch file in the output folder, which takes the output's name only when
// the whole document arrived: a failure never destroys or half-writes an earlier output.
int CopyIntoOutput(const char* input, const char* output, const CopyOptions& options, int renderedPages) {
    char folder[MAX_PATH];
    char scratch[MAX_PATH];
    if (!FolderOf(output, folder) || !::GetTempFileNameA(folder, "tnv", 0, scratch))
        return -2;
    int result;
    {
        ClockSpan span(g_conversionClock.copying);
        result = CopyTiffFile(input, scratch, &options);
    }
    const CopyReport& report = LastCopyReport();
    if (result == 0 && (report.readFailures > 0 || report.abandonedDirectories > 0 ||
                        report.directoriesWritten < renderedPages))
        result = kPagesLost;
    if (result == 0 && !PlaceOutput(scratch, output))
        result = kOutputNotPlaced;
    if (result != 0)
        ::DeleteFileA(scratch);
    return result;
}
} // namespace

int CConverterDlg::ConvertAwdFile(const char* source, const char* output) {
    if (!TempTiffPath[0])
        return kRenderFailed;
    // Every Tarnvel window of the user renders into this file: one conversion at a time uses it.
    const CTempFileLock lock(TempTiffPath, m_pBatch->stopRequested);
    if (!lock.Held())
        return kTempFileBusy;
    // What an earlier rendering left must never pass for this document.
    if (!::DeleteFileA(TempTiffPath) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return kRenderFailed;
    {
        ClockSpan span(g_conversionClock.rendering);
        if (WindowsGeneration <= 4) {
            // The control belongs to the window thread's apartment: it renders there.
            const HRESULT hr = static_cast<HRESULT>(
                ::SendMessageA(m_hWnd, WM_BATCH_RENDER, 0, reinterpret_cast<LPARAM>(source)));
            if (FAILED(hr))
                return kRenderFailed;
        } else if (const int started = RunConverterProgram(source, TempTiffPath)) {
            return started;
        }
    }
    const int pages = CountRenderedPages(TempTiffPath);
    if (pages <= 0)
        return pages == 0 ? -3 : kRenderFailed;
    return CopyIntoOutput(TempTiffPath, output, m_copyOptions, pages);
}
