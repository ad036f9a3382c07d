// Paths for the renderers, which were made for Windows 95 and read names in the ANSI code page: the
// fax viewer program from its command line, the imaging control by narrowing the string it is
// handed with the code page's best fit. A look-alike ("L" for "Ł") may name another file, so a
// renderer gets a path only in a form the code page spells exactly: as it is, else its short
// (8.3) form, and a document with neither as a copy under a plain name beside the temporary file.
#pragma once

#include "framework/cstring.h"
#include "framework/cstring_w.h"

#include <optional>

// What is asked for the short form of an existing path: files::ShortPath, unless a test stands in
// for a file system that keeps no short names.
extern CStringW (*g_shortPathOf)(const wchar_t* path);

// The forms of one path that the code page spells exactly; the short form is asked for when needed.
class CodePagePath {
public:
    explicit CodePagePath(const wchar_t* path);
    const CString* Full() const { return m_hasFull ? &m_full : nullptr; }
    const CString* Short();
    // The path as it is where it can be, else its short form; null when neither is spelled.
    const CString* Either() { return Full() ? Full() : Short(); }

private:
    CStringW m_path;
    CString m_full;
    CString m_short;
    bool m_hasFull = false;
    bool m_hasShort = false;
    bool m_shortAsked = false;
};

// A copy of a document whose path no form carries, under a plain name beside the temporary file;
// removed with the object, whatever became of the rendering.
class PlainCopy {
public:
    PlainCopy(const wchar_t* source, const wchar_t* target);
    ~PlainCopy();
    PlainCopy(const PlainCopy&) = delete;
    PlainCopy& operator=(const PlainCopy&) = delete;

    // Empty when no copy could be made.
    const CStringW& Path() const { return m_copy; }

private:
    CStringW m_reserved;
    CStringW m_copy;
};

// One rendering's paths as a renderer gets them: the document's `source` (its copy where needed,
// kept while the object lives) and the temporary file `target`.
class CodePagePaths {
public:
    CodePagePaths(const wchar_t* source, const wchar_t* target);
    // kConverted, or why the renderer cannot be handed them: kTempPathNotInCodePage or
    // kSourceNotCopied.
    int Result() const { return m_result; }
    CodePagePath& Source() { return m_source; }
    CodePagePath& Target() { return m_target; }

private:
    CodePagePath m_target;
    CodePagePath m_source;
    std::optional<PlainCopy> m_copy;
    int m_result;
};
