// Names of the file system, taken and used as it holds them. Every function here takes and gives
// wide names, and calls the wide function on NT-based Windows and the ANSI one on Windows 95, 98
// and Me, whose file systems hold only names of the code page (the conversion is lossless there; a
// name it cannot spell fails with ERROR_INVALID_NAME). Paths are at most MAX_PATH - 1 characters:
// a result that would be longer comes back empty.
#pragma once

#include "framework/cstring.h"
#include "framework/cstring_w.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace files {
// True where names go through the wide functions: on NT-based Windows.
bool WideNames();

// The name in the ANSI code page; false when the code page cannot spell it exactly (a letter it
// lacks, or one the system would swap for a look-alike, which may name another file).
bool AnsiForm(const wchar_t* name, CString& ansi);
// The name in the ANSI code page, a look-alike or '?' for what it cannot spell: for showing only.
CString AnsiLookAlike(const wchar_t* name);
// A name an ANSI function gave.
CStringW FromAnsi(const char* name);
// Names as UTF-8, for the libraries that take char paths (ToUtf8 then FromUtf8 gives back every
// name, a lone surrogate too, which names on NT may hold).
std::string ToUtf8(const wchar_t* name);
CStringW FromUtf8(const char* text);

DWORD Attributes(const wchar_t* path);
// CreateFile without security attributes or template.
HANDLE Open(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
bool Delete(const wchar_t* path);
bool Move(const wchar_t* from, const wchar_t* to);
// Windows 95, 98 and Me fail it with ERROR_CALL_NOT_IMPLEMENTED.
bool MoveEx(const wchar_t* from, const wchar_t* to, DWORD flags);
// NT-based Windows only (elsewhere ERROR_CALL_NOT_IMPLEMENTED): a copy serves a name the code page
// cannot spell, which the file systems of Windows 95, 98 and Me do not hold.
bool Copy(const wchar_t* from, const wchar_t* to, bool failIfExists);
bool MakeFolder(const wchar_t* path, SECURITY_ATTRIBUTES* security);
// fopen: `mode` is plain ASCII ("rb", "wb").
std::FILE* OpenStream(const wchar_t* path, const char* mode);
// CreateProcess with an ANSI command line (the program's own to read), handles not inherited, the
// caller's environment, and `folder` as current directory.
bool StartProcess(const wchar_t* application, const char* commandLine, const wchar_t* folder,
                  PROCESS_INFORMATION& info);

// Empty when the system has none or it does not fit.
CStringW TempFolder(); // ends in a backslash
// Makes a file of a new name in `folder` (GetTempFileName) and gives its path.
CStringW TempFileName(const wchar_t* folder, const wchar_t* prefix);
// The 8.3 form of an existing file or folder.
CStringW ShortPath(const wchar_t* path);
CStringW FullPath(const wchar_t* path);
CStringW ModulePath(HMODULE module);
CStringW SystemFolder();
CStringW WindowsFolder();
// An environment variable; empty when it is not set.
CStringW Variable(const wchar_t* name);
// The file-system path of a shell item.
CStringW PathOfIdList(LPCITEMIDLIST list);
// The path of the `index`th item of a drop; empty when there is none or it does not fit.
CStringW DroppedPath(HDROP drop, UINT index);
// The shell's display name of a path.
CStringW DisplayName(const wchar_t* path);
// The shell's display name of an item (SHGFI_PIDL).
CStringW DisplayNameOfIdList(LPCITEMIDLIST list);
// Opens the file with the program the shell associates with it (its default verb): ShellExecute's
// code, greater than 32 when it was opened. It may take as long as the shell and the program take.
int OpenWithShell(const wchar_t* path);
} // namespace files
