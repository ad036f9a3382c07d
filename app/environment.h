// What the program settles about its environment before the main window opens.
#pragma once

#include <windows.h>

// The running Windows version as a small code (see ClassifyWindowsVersion); set once at start-up.
extern int WindowsGeneration;
// The one temporary TIFF file that every document is rendered into, as the file system names it
// (a user's temporary folder may hold letters the code page lacks); set once at start-up. The
// bare name when the system names no temporary folder; empty when the folder's path is too long
// to hold the file name: every conversion then fails instead of writing past the buffer or into
// some other folder.
extern wchar_t TempTiffPath[MAX_PATH];
// The folder Tarnvel.exe runs from, as the file system names it, without a trailing backslash;
// set once at start-up. A fax viewer program copied there is used where the imaging control is
// missing.
extern wchar_t TarnvelFolder[MAX_PATH];

// 0 Win32s, 1 NT other (3.x, 5.2 and later), 2 Windows 95 or other non-NT, 3 Windows 98,
// 4 Windows Me, 5 NT 4.0, 6 Windows 2000, 7 Windows XP.
// `version` is what GetVersion returned; `info` what GetVersionExA filled in, or null when the
// record could not be allocated (the family's catch-all code then applies).
int ClassifyWindowsVersion(DWORD version, const OSVERSIONINFOA* info);
// Classifies the Windows version this process runs on.
int GetWindowsGeneration();

// Writes the temporary folder followed by "zq4intmp.tif" into `path`: the bare file name when the
// system has no temporary folder, the empty string when the name would not fit.
void MakeTempTiffPath(wchar_t (&path)[MAX_PATH]);

// Writes the folder of the running program into `folder`; empty when it cannot be had.
void MakeTarnvelFolder(wchar_t (&folder)[MAX_PATH]);

// Takes the current directory (and, where the system can, every folder but the system folder)
// out of the places the system looks in for a library loaded by its bare name: a library of a
// system name planted there would run inside Tarnvel. Asks for what the system has, looked up at
// run time: SetDefaultDllDirectories (Windows 8, or 7 and Vista with update KB2533623), else
// SetDllDirectoryA (XP SP1 and later); Windows 95 to 2000 have neither.
void RestrictDllSearch();

// The full path to load the library `name` from: unchanged when it names a folder already; the
// loaded module's own when one of that name is loaded; else the system folder's. False when the
// path does not fit.
bool SystemModulePath(const char* name, char (&path)[MAX_PATH]);
