#include "app/converter_app.h"

#include "app/environment.h"
#include "app/unattended_run.h"
#include "framework/file_names.h"
#include "framework/ole_container.h"
#include "framework/wide_api.h"
#include "ui/converter_dlg.h"

BOOL CConverterApp::InitInstance() {
    // First: everything after this may load a library by name.
    RestrictDllSearch();
    // Stepping through an empty floppy, card or optical drive lists nothing; without this the
    // system would stop the user with its own "no disk" box for each look at the drive.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const CommandLine asked = ParseCommandLine(m_strCmdLine);
    WindowsGeneration = GetWindowsGeneration();
    MakeTempTiffPath(TempTiffPath);
    MakeTarnvelFolder(TarnvelFolder);

    if (asked.mode == CommandLine::Mode::Convert) {
        // Nobody is there to answer a box, and a scheduled run would wait on one for good: nor the
        // system's for a crash or a file it cannot open.
        ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
        m_nExitCode = RunUnattended(asked);
        return FALSE;
    }
    if (asked.mode == CommandLine::Mode::Usage || !asked.error.IsEmpty()) {
        ShowUsage(asked);
        m_nExitCode = asked.error.IsEmpty() ? kExitConverted : kExitUnusable;
        return FALSE;
    }

    // The imaging control's thread before this one's OLE: COM makes a control registered without a
    // threading model in the process's first apartment, and here every call would hold the window.
    const std::shared_ptr<ImagingThread> imaging = CConverterDlg::StartImaging();
    // The shell's folder browser needs OLE on this thread.
    AfxEnableControlContainer();
    // Dialog controls draw themselves three-dimensional on every 32-bit Windows: nothing to ask for.
    CConverterDlg dlg;
    dlg.m_pImaging = imaging;
    dlg.m_strStartFolder = asked.folder;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

void CConverterApp::ShowUsage(const CommandLine& asked) {
    const CStringW text = asked.error.IsEmpty() ? CStringW() : asked.error + L"\n\n";
    const UINT style = MB_OK | (asked.error.IsEmpty() ? MB_ICONINFORMATION : MB_ICONWARNING);
    if (const WideApi* wide = GetWideApi())
        wide->MessageBoxW(nullptr, text + files::FromAnsi(kUsageText), L"Tarnvel", style);
    else
        ::MessageBoxA(nullptr, files::AnsiLookAlike(text) + kUsageText, "Tarnvel", style);
}
