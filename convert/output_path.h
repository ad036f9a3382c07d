// How the worker names its files, in buffers of MAX_PATH characters.
#pragma once

#include "framework/cstring.h"

#include <windows.h>

// "folder\name". False, with `path` empty, when the result would not fit.
bool JoinPath(char (&path)[MAX_PATH], const char* folder, const char* name);

// What Go writes for each file.
enum class OutputFormat { Tiff, Pdf };

// "folder\name" with the name's last extension replaced by ".tif" (".pdf" for a PDF; a name
// without a '.' keeps all of it). False, with `path` empty, when the result would not fit.
bool MakeOutputPath(char (&path)[MAX_PATH], const char* folder, const char* name,
                    OutputFormat format = OutputFormat::Tiff);

// The output folder as typed, made absolute and plain: a relative folder is taken relative to
// `sourceFolder` (the listed folder) rather than to whatever the current directory happens to
// be; "." and ".." are resolved; trailing backslashes go, except the one of a drive root. Empty
// when `typed` is empty or the result would not fit in MAX_PATH.
CString ResolveOutputFolder(const char* typed, const char* sourceFolder);

// Makes sure `path` exists as a folder, creating the missing levels from the outermost one
// inwards (the drive itself is never created). Nonzero when the folder exists at the end.
BOOL MakeFolderPath(CString path);

// Puts the finished scratch file in the place of `output`, replacing an earlier file. On false
// an earlier output is still in place.
bool PlaceOutput(const char* scratch, const char* output);
// The same for Windows 95, 98 and Me, which have no MoveFileEx: the earlier output is renamed
// aside, and renamed back when the scratch file cannot take its name.
bool PlaceOutputByRenaming(const char* scratch, const char* output);
