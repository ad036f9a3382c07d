#include "app/unattended_run.h"

#include "app/environment.h"
#include "convert/batch_runner.h"
#include "convert/file_batch_report.h"
#include "convert/folder_walk.h"
#include "convert/imaging_thread.h"
#include "convert/output_path.h"
#include "framework/file_names.h"
#include "ui/resource.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace {
// The imaging control's square in its hidden window, in pixels, as the window's is at 96 dots per
// inch: some controls lay a document out by their size.
constexpr int kImagingSide = 100;

// Told where a script that keeps the error stream reads it: nobody sees a box here.
void Tell(const CStringW& what) {
    std::fputs((files::ToUtf8(what) + "\n").c_str(), stderr);
}

int Unusable(const CStringW& why) {
    Tell(why);
    return kExitUnusable;
}

bool IsReadableFolder(const CStringW& folder) {
    const DWORD attributes = files::Attributes(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           g_folderReader(folder, [](const WIN32_FIND_DATAW&) { return false; });
}

// Every AWD file, as the window lists it, each a ticked row named relative to `folder`.
std::vector<BatchRow> ListRows(const CStringW& folder, bool subfolders, int& unreadable) {
    std::vector<BatchRow> rows;
    unreadable = WalkFolder(
        g_folderReader, folder, subfolders, [&](const CStringW& below, const WIN32_FIND_DATAW& found) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsAwdFileName(found.cFileName))
                rows.push_back(
                    BatchRow{static_cast<int>(rows.size()), RelativePath(below, found.cFileName), true});
            return true;
        });
    return rows;
}

BatchJob MakeJob(const CommandLine& asked, const CStringW& source, int& unreadable) {
    BatchJob job;
    job.sourceFolder = source;
    job.outputFolder = PrepareOutputFolder(asked.output, source);
    job.rows = ListRows(source, asked.subfolders, unreadable);
    job.windowsGeneration = WindowsGeneration;
    job.tempTiffPath = TempTiffPath;
    job.programFolder = TarnvelFolder;
    job.copyOptions = BatchCopyOptions();
    job.format = asked.pdf ? OutputFormat::Pdf : OutputFormat::Tiff;
    job.skipConverted = asked.skip;
    return job;
}

// Runs the job as Go does, with the imaging control on its own thread where the route uses it.
BatchSummary Convert(BatchJob job, FileBatchReport& report) {
    std::shared_ptr<ImagingThread> imaging;
    if (!UsesConverterProgram(job.windowsGeneration))
        imaging = ImagingThread::Start(RECT{0, 0, kImagingSide, kImagingSide}, IDC_IMGEDIT);
    {
        BatchRunner batch(
            std::move(job),
            [imaging](const BatchJob& running, const StopRequest& stop) {
                return ChooseRenderer(running.windowsGeneration, imaging, running.programFolder, stop);
            },
            report);
        batch.Run();
    }
    if (imaging) {
        imaging->RequestEnd();
        imaging->WaitEnded();
    }
    return report.Summary();
}
} // namespace

int RunUnattended(const CommandLine& asked) {
    if (!asked.error.IsEmpty())
        return Unusable(asked.error);
    const CStringW source = ResolveOutputFolder(asked.folder, nullptr);
    if (!IsReadableFolder(source))
        return Unusable(L"Not a folder that can be read: " + asked.folder);
    std::optional<ReportFile> reportFile;
    if (!asked.report.IsEmpty()) {
        reportFile.emplace(files::FullPath(asked.report));
        if (!reportFile->IsUsable())
            return Unusable(L"No report can be written there: " + asked.report);
    }

    int unreadable = 0;
    BatchJob job = MakeJob(asked, source, unreadable);
    std::vector<CStringW> names;
    for (const BatchRow& row : job.rows)
        names.push_back(row.name);
    FileBatchReport report(std::move(names));
    const BatchSummary summary = Convert(std::move(job), report);

    bool whole = summary.failed == 0;
    if (unreadable > 0) {
        Tell(L"Subfolders that could not be read: " + files::FromAnsi(std::to_string(unreadable).c_str()));
        whole = false;
    }
    if (reportFile && !reportFile->Put(report.Text())) {
        Tell(L"The report could not be written: " + asked.report);
        whole = false;
    }
    return whole ? kExitConverted : kExitFailed;
}
