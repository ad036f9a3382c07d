#include "convert/file_batch_report.h"

#include "convert/output_path.h"
#include "framework/file_names.h"

#include <cstdio>
#include <utility>

const char kReportHeader[] = "File\tResult\tPages\tOutput\tReason";

namespace {
// A field's text in UTF-8; a control character (a reason may hold a line break) would end the
// cell or the line, and becomes a blank.
std::string Field(const wchar_t* text) {
    CStringW plain;
    for (const wchar_t* c = text ? text : L""; *c; ++c)
        plain += *c < L' ' ? L' ' : *c;
    return files::ToUtf8(plain);
}
} // namespace

void FileBatchReport::RowDone(const BatchRowResult& row) {
    const size_t index = static_cast<size_t>(row.index);
    m_lines += Field(index < m_names.size() ? m_names[index].GetString() : L"");
    m_lines += '\t';
    m_lines += row.text;
    m_lines += '\t';
    m_lines += std::to_string(row.pages);
    m_lines += '\t';
    m_lines += Field(row.output);
    m_lines += '\t';
    m_lines += Field(row.reason);
    m_lines += "\r\n";
}

std::string FileBatchReport::Text() const {
    return std::string("\xEF\xBB\xBF") + kReportHeader + "\r\n" + m_lines;
}

ReportFile::ReportFile(const wchar_t* path) : m_path(path) {
    const int slash = m_path.ReverseFind(L'\\');
    if (slash < 0)
        return;
    // A drive root keeps its backslash.
    const bool root = slash > 0 && m_path.GetString()[slash - 1] == L':';
    m_scratch = files::TempFileName(m_path.Left(root ? slash + 1 : slash), L"tnv");
}

ReportFile::~ReportFile() {
    if (!m_scratch.IsEmpty())
        files::Delete(m_scratch);
}

bool ReportFile::Put(const std::string& text) {
    if (m_scratch.IsEmpty())
        return false;
    std::FILE* file = files::OpenStream(m_scratch, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written || !PlaceOutput(m_scratch, m_path))
        return false;
    m_scratch.Empty();
    return true;
}
