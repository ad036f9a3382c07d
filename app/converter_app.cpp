#include "app/converter_app.h"

#include "app/environment.h"
#include "framework/ole_container.h"
#include "ui/converter_dlg.h"

BOOL CConverterApp::InitInstance() {
    // First: everything after this may load a library by name.
    RestrictDllSearch();
    // Stepping through an empty floppy, card or optical drive lists nothing; without this the
    // system would stop the user with its own "no disk" box for each look at the drive.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    // Dialog controls draw themselves three-dimensional on every 32-bit Windows: nothing to ask for.
    WindowsGeneration = GetWindowsGeneration();
    // The imaging control's thread before this one's OLE: COM makes a control registered without a
    // threading model in the process's first apartment, and here every call would hold the window.
    const std::shared_ptr<ImagingThread> imaging = CConverterDlg::StartImaging();
    // The shell's folder browser needs OLE on this thread.
    AfxEnableControlContainer();

    CConverterDlg dlg;
    dlg.m_pImaging = imaging;
    MakeTempTiffPath(TempTiffPath);
    MakeTarnvelFolder(TarnvelFolder);

    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
