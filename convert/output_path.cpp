#include "convert/output_path.h"

#include "framework/file_names.h"

namespace {
// A rooted name (\x or \\server\share) or one on a named drive (C:x) is not taken relative to
// the source folder. Written out because the shell's own test lives in a library that Windows 95
// and NT 4.0 only have with a later browser.
bool IsRelativePath(const wchar_t* path) {
    if (path[0] == L'\\' || path[0] == L'/')
        return false;
    return path[0] == L'\0' || path[1] != L':';
}

bool Fits(CStringW& path, CStringW joined) {
    path = joined.GetLength() < MAX_PATH ? joined : CStringW();
    return !path.IsEmpty();
}
} // namespace

bool JoinPath(CStringW& path, const wchar_t* folder, const wchar_t* name) {
    return Fits(path, CStringW(folder) + L"\\" + name);
}

bool MakeOutputPath(CStringW& path, const wchar_t* folder, const wchar_t* name, OutputFormat format) {
    // The dot is looked for in the file's own name only: a folder of the row's path ("2019.03\\fax")
    // may have one too.
    const CStringW base(name);
    const int dot = base.ReverseFind(L'.');
    const CStringW stem = dot > base.ReverseFind(L'\\') ? base.Left(dot) : base;
    return Fits(path, CStringW(folder) + L"\\" + stem + (format == OutputFormat::Pdf ? L".pdf" : L".tif"));
}

CStringW ResolveOutputFolder(const wchar_t* typed, const wchar_t* sourceFolder) {
    if (!typed || !*typed)
        return CStringW();
    CStringW combined(typed);
    if (sourceFolder && *sourceFolder && IsRelativePath(typed) && !JoinPath(combined, sourceFolder, typed))
        return CStringW();
    CStringW folder = files::FullPath(combined);
    // "C:\" keeps its backslash: without it the name means the drive's current directory.
    while (folder.GetLength() > 3 && folder.ReverseFind(L'\\') == folder.GetLength() - 1)
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

BOOL MakeFolderPath(CStringW path) {
    // Only looks: making the folder the current directory would let a program planted there be
    // found by the converter program's start-up search.
    const DWORD attributes = files::Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return TRUE;
    const int slash = path.ReverseFind(L'\\');
    if (slash > 2)
        MakeFolderPath(path.Left(slash));
    SECURITY_ATTRIBUTES security{sizeof(security), nullptr, TRUE};
    if (files::MakeFolder(path, &security))
        return TRUE;
    // Someone else may have made it in the meantime.
    const DWORD now = files::Attributes(path);
    return now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlaceOutput(const wchar_t* scratch, const wchar_t* output) {
    if (files::MoveEx(scratch, output, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    return ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && PlaceOutputByRenaming(scratch, output);
}

bool PlaceOutputByRenaming(const wchar_t* scratch, const wchar_t* output) {
    if (files::Attributes(output) == INVALID_FILE_ATTRIBUTES)
        return files::Move(scratch, output);
    // The aside name is a fresh temporary name in the output's folder (trailing backslash kept,
    // so that a drive root stays the root).
    const CStringW path(output);
    const int slash = path.ReverseFind(L'\\');
    if (slash < 0)
        return false;
    const CStringW aside = files::TempFileName(path.Left(slash + 1), L"tnv");
    if (aside.IsEmpty() || !files::Delete(aside) || !files::Move(output, aside))
        return false;
    if (files::Move(scratch, output)) {
        files::Delete(aside);
        return true;
    }
    files::Move(aside, output);
    return false;
}
