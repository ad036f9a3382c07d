#include "convert/code_page_paths.h"

#include "convert/conversion_result.h"
#include "framework/file_names.h"

CStringW (*g_shortPathOf)(const wchar_t* path) = &files::ShortPath;

namespace {
// The 8.3 form of `path`. A file that does not exist yet (the temporary file) gets its folder's
// short form and keeps its name.
CStringW ShortForm(const wchar_t* path) {
    const CStringW shortPath = g_shortPathOf(path);
    if (!shortPath.IsEmpty())
        return shortPath;
    const CStringW text(path);
    const int slash = text.ReverseFind(L'\\');
    if (slash <= 0)
        return CStringW();
    const CStringW folder = g_shortPathOf(text.Left(slash));
    return folder.IsEmpty() ? CStringW() : folder + text.Mid(slash);
}
} // namespace

CodePagePath::CodePagePath(const wchar_t* path) : m_path(path) {
    m_hasFull = files::AnsiForm(path, m_full);
}

const CString* CodePagePath::Short() {
    if (!m_shortAsked) {
        m_shortAsked = true;
        const CStringW shortPath = ShortForm(m_path);
        m_hasShort = !shortPath.IsEmpty() && files::AnsiForm(shortPath, m_short);
    }
    return m_hasShort ? &m_short : nullptr;
}

PlainCopy::PlainCopy(const wchar_t* source, const wchar_t* target) {
    const CStringW temp(target);
    const int slash = temp.ReverseFind(L'\\');
    // The name made here keeps the copy's own unique: "tnvXXXX.tmp" beside "tnvXXXX.awd".
    m_reserved = slash > 0 ? files::TempFileName(temp.Left(slash), L"tnv") : CStringW();
    const int dot = m_reserved.ReverseFind(L'.');
    if (dot > 0 && files::Copy(source, m_reserved.Left(dot) + L".awd", false))
        m_copy = m_reserved.Left(dot) + L".awd";
}

PlainCopy::~PlainCopy() {
    if (!m_copy.IsEmpty())
        files::Delete(m_copy);
    if (!m_reserved.IsEmpty())
        files::Delete(m_reserved);
}

CodePagePaths::CodePagePaths(const wchar_t* source, const wchar_t* target)
    : m_target(target), m_source(source), m_result(kConverted) {
    if (!m_target.Either()) {
        m_result = kTempPathNotInCodePage;
        return;
    }
    if (m_source.Either())
        return;
    m_copy.emplace(source, target);
    if (m_copy->Path().IsEmpty())
        m_result = kSourceNotCopied;
    else
        m_source = CodePagePath(m_copy->Path());
}
