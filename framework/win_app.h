// CWinApp: the one application object of the process. Its constructor registers it; WinMain
// (winmain.cpp) runs its InitInstance and ends the process when that returns.
#pragma once

#include "framework/cstring.h"
#include "framework/cstring_w.h"

#include <windows.h>

class CWnd;

class CWinApp {
public:
    // No name: the application takes the name of its executable file, without the extension.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Sets the program up and runs it; FALSE ends the application without a message loop.
    virtual BOOL InitInstance() { return FALSE; }
    // After InitInstance: the process's exit code.
    virtual int ExitInstance() { return 0; }

    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName;
    // The words after the program's name, as WinMain found them; empty when none were given.
    CStringW m_strCmdLine;

private:
    CString m_strAppName;
};

CWinApp* AfxGetApp();
// What follows the program's name in a whole command line (GetCommandLine's), blanks skipped: the
// name ends at its closing quote, or unquoted at the first blank.
const wchar_t* SkipProgramName(const wchar_t* commandLine);
// The application's main window, or null (no application object, or none set).
CWnd* AfxGetMainWnd();
// The module that holds the dialog templates, icons and strings: the program itself.
HINSTANCE AfxGetResourceHandle();
// The application's name, or the executable's name when there is no application object.
const char* AfxGetAppName();
// A message box owned by the main window (or its active modal box) with the application's name
// as caption.
int AfxMessageBox(const char* text, UINT type = MB_OK);
