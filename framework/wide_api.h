// The wide-character functions the program calls on NT-based Windows, looked up at run time.
// Windows 95, 98 and Me export most of them only as stubs that fail, some not at all, and their
// file systems hold only names of the ANSI code page: there the ANSI functions serve, and nothing
// here is looked up. Importing none of them keeps the program loading on every system.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

struct WideApi {
    // kernel32
    HANDLE(WINAPI* FindFirstFileW)(LPCWSTR, LPWIN32_FIND_DATAW);
    BOOL(WINAPI* FindNextFileW)(HANDLE, LPWIN32_FIND_DATAW);
    // Null on NT 4.0 before its service packs and wherever the system lacks it.
    HANDLE(WINAPI* FindFirstFileExW)(LPCWSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);
    HANDLE(WINAPI* CreateFileW)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    DWORD(WINAPI* GetFileAttributesW)(LPCWSTR);
    BOOL(WINAPI* DeleteFileW)(LPCWSTR);
    BOOL(WINAPI* MoveFileW)(LPCWSTR, LPCWSTR);
    BOOL(WINAPI* MoveFileExW)(LPCWSTR, LPCWSTR, DWORD);
    BOOL(WINAPI* CopyFileW)(LPCWSTR, LPCWSTR, BOOL);
    BOOL(WINAPI* CreateDirectoryW)(LPCWSTR, LPSECURITY_ATTRIBUTES);
    DWORD(WINAPI* GetTempPathW)(DWORD, LPWSTR);
    UINT(WINAPI* GetTempFileNameW)(LPCWSTR, LPCWSTR, UINT, LPWSTR);
    DWORD(WINAPI* GetShortPathNameW)(LPCWSTR, LPWSTR, DWORD);
    DWORD(WINAPI* GetFullPathNameW)(LPCWSTR, DWORD, LPWSTR, LPWSTR*);
    DWORD(WINAPI* GetModuleFileNameW)(HMODULE, LPWSTR, DWORD);
    UINT(WINAPI* GetSystemDirectoryW)(LPWSTR, UINT);
    UINT(WINAPI* GetWindowsDirectoryW)(LPWSTR, UINT);
    DWORD(WINAPI* GetEnvironmentVariableW)(LPCWSTR, LPWSTR, DWORD);
    LPWSTR(WINAPI* GetCommandLineW)();
    BOOL(WINAPI* CreateProcessW)
    (LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR,
     LPSTARTUPINFOW, LPPROCESS_INFORMATION);
    // user32: a dialog whose controls are Unicode windows, and a loop that keeps typed text whole.
    HWND(WINAPI* CreateDialogParamW)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
    BOOL(WINAPI* GetMessageW)(LPMSG, HWND, UINT, UINT);
    BOOL(WINAPI* IsDialogMessageW)(HWND, LPMSG);
    LRESULT(WINAPI* DispatchMessageW)(const MSG*);
    int(WINAPI* GetWindowTextLengthW)(HWND);
    int(WINAPI* GetWindowTextW)(HWND, LPWSTR, int);
    BOOL(WINAPI* SetWindowTextW)(HWND, LPCWSTR);
    int(WINAPI* MessageBoxW)(HWND, LPCWSTR, LPCWSTR, UINT);
    // shell32
    BOOL(WINAPI* SHGetPathFromIDListW)(LPCITEMIDLIST, LPWSTR);
    DWORD_PTR(WINAPI* SHGetFileInfoW)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);
    LPITEMIDLIST(WINAPI* SHBrowseForFolderW)(LPBROWSEINFOW);
    HINSTANCE(WINAPI* ShellExecuteW)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    UINT(WINAPI* DragQueryFileW)(HDROP, UINT, LPWSTR, UINT);
    // the C runtime
    FILE*(__cdecl* _wfopen)(const wchar_t*, const wchar_t*);
};

// The functions on NT-based Windows; null on Windows 95, 98 and Me (and should any be missing).
const WideApi* GetWideApi();
