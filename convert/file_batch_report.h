// A batch's report as a file, for a run without a window, where nobody sees the list: one line per
// file the batch converted, failed or skipped. Tab-separated: no file name can hold a tab, so every
// name is one cell as it is, whatever a spreadsheet takes for a list separator where it runs
// (a comma in one country, a semicolon in the next); UTF-8 with a byte order mark, by which
// spreadsheets know to read every name in it whole.
#pragma once

#include "convert/batch_report.h"
#include "framework/cstring_w.h"

#include <string>
#include <utility>
#include <vector>

// The report's first line.
extern const char kReportHeader[];

class FileBatchReport : public BatchReport {
public:
    // `names`: each row's path relative to the source folder, by the rows' index in the job.
    explicit FileBatchReport(std::vector<CStringW> names) : m_names(std::move(names)) {}

    void Begin() override {}
    void RowDone(const BatchRowResult& row) override;
    void Steps(int) override {}
    void End(const BatchSummary& summary) override { m_summary = summary; }

    const BatchSummary& Summary() const { return m_summary; }
    // The byte order mark, the header and a line for each row reported, each ending in CR LF.
    std::string Text() const;

private:
    const std::vector<CStringW> m_names;
    std::string m_lines;
    BatchSummary m_summary;
};

// A report file that is never half written: the text goes into a scratch file beside it, which
// takes the report's name only once it is whole. The scratch file is made at once, so that a place
// where no report can be written is known before anything is converted.
class ReportFile {
public:
    explicit ReportFile(const wchar_t* path);
    // Removes the scratch file unless it took the report's place.
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    bool IsUsable() const { return !m_scratch.IsEmpty(); }
    // False when the text could not be written or put in place: an earlier report is then kept.
    bool Put(const std::string& text);

private:
    const CStringW m_path;
    CStringW m_scratch;
};
