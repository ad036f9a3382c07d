// How the worker names its files: wide names, as the file system holds them, of at most
// MAX_PATH - 1 characters.
#pragma once

#include "framework/cstring_w.h"

#include <windows.h>

// "folder\name". False, with `path` empty, when the result would not fit.
bool JoinPath(CStringW& path, const wchar_t* folder, const wchar_t* name);

// What Go writes for each file.
enum class OutputFormat { Tiff, Pdf };

// "folder\name" with the name's last extension replaced by ".tif" (".pdf" for a PDF; a name
// without a '.' keeps all of it). A name with folders ("2019\03\fax.awd") keeps them: the output
// lies as deep in `folder` as its source in the listed one. False, with `path` empty, when the
// result would not fit.
bool MakeOutputPath(CStringW& path, const wchar_t* folder, const wchar_t* name,
                    OutputFormat format = OutputFormat::Tiff);

// The output folder as typed, made absolute and plain: a relative folder is taken relative to
// `sourceFolder` (the listed folder) rather than to whatever the current directory happens to
// be; "." and ".." are resolved; trailing backslashes go, except the one of a drive root. Empty
// when `typed` is empty or the result would not fit in MAX_PATH.
CStringW ResolveOutputFolder(const wchar_t* typed, const wchar_t* sourceFolder);

// Makes sure `path` exists as a folder, creating the missing levels from the outermost one
// inwards (the drive itself is never created). Nonzero when the folder exists at the end.
BOOL MakeFolderPath(CStringW path);

// Puts the finished scratch file in the place of `output`, replacing an earlier file. On false
// an earlier output is still in place.
bool PlaceOutput(const wchar_t* scratch, const wchar_t* output);
// The same for Windows 95, 98 and Me, which have no MoveFileEx: the earlier output is renamed
// aside, and renamed back when the scratch file cannot take its name.
bool PlaceOutputByRenaming(const wchar_t* scratch, const wchar_t* output);
