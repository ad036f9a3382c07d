#include "convert/output_path.h"

#include <cstdio>

namespace {
// A rooted name (\x or \\server\share) or one on a named drive (C:x) is not taken relative to
// the source folder. Written out because the shell's own test lives in a library that Windows 95
// and NT 4.0 only have with a later browser.
bool IsRelativePath(const char* path) {
    if (path[0] == '\\' || path[0] == '/')
        return false;
    return ::IsDBCSLeadByte(static_cast<BYTE>(path[0])) || path[1] != ':';
}

bool Fits(char (&path)[MAX_PATH], int written) {
    if (written >= 0 && written < MAX_PATH)
        return true;
    path[0] = '\0';
    return false;
}
} // namespace

bool JoinPath(char (&path)[MAX_PATH], const char* folder, const char* name) {
    return Fits(path, std::snprintf(path, MAX_PATH, "%s\\%s", folder, name));
}

bool MakeOutputPath(char (&path)[MAX_PATH], const char* folder, const char* name, OutputFormat format) {
    // The dot is looked for in the name only, by characters of the ANSI code page.
    const CString base(name);
    const int dot = base.ReverseFind('.');
    const CString stem = dot >= 0 ? base.Left(dot) : base;
    const char* extension = format == OutputFormat::Pdf ? "pdf" : "tif";
    return Fits(path, std::snprintf(path, MAX_PATH, "%s\\%s.%s", folder, stem.GetString(), extension));
}

CString ResolveOutputFolder(const char* typed, const char* sourceFolder) {
    if (!typed || !*typed)
        return CString();
    CString combined(typed);
    if (sourceFolder && *sourceFolder && IsRelativePath(typed)) {
        char joined[MAX_PATH];
        if (!JoinPath(joined, sourceFolder, typed))
            return CString();
        combined = joined;
    }
    char full[MAX_PATH] = "";
    const DWORD length = ::GetFullPathNameA(combined, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(full);
    // "C:\" keeps its backslash: without it the name means the drive's current directory.
    while (folder.GetLength() > 3 && folder.ReverseFind('\\') == folder.GetLength() - 1)
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

BOOL MakeFolderPath(CString path) {
    // Only looks: making the folder the current directory would let a program planted there be
    // found by the converter program's start-up search.
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return TRUE;
    const int slash = path.ReverseFind('\\');
    if (slash > 2)
        MakeFolderPath(path.Left(slash));
    SECURITY_ATTRIBUTES security{sizeof(security), nullptr, TRUE};
    if (::CreateDirectoryA(path, &security))
        return TRUE;
    // Someone else may have made it in the meantime.
    const DWORD now = ::GetFileAttributesA(path);
    return now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlaceOutput(const char* scratch, const char* output) {
    if (::MoveFileExA(scratch, output, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    return ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && PlaceOutputByRenaming(scratch, output);
}

bool PlaceOutputByRenaming(const char* scratch, const char* output) {
    if (::GetFileAttributesA(output) == INVALID_FILE_ATTRIBUTES)
        return ::MoveFileA(scratch, output) != FALSE;
    // The aside name is a fresh temporary name in the output's folder (trailing backslash kept,
    // so that a drive root stays the root).
    const CString path(output);
    const int slash = path.ReverseFind('\\');
    if (slash < 0)
        return false;
    const CString folder = path.Left(slash + 1);
    char aside[MAX_PATH];
    if (!::GetTempFileNameA(folder, "tnv", 0, aside) || !::DeleteFileA(aside) || !::MoveFileA(output, aside))
        return false;
    if (::MoveFileA(scratch, output)) {
        ::DeleteFileA(aside);
        return true;
    }
    ::MoveFileA(aside, output);
    return false;
}
