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
    // The shell's folder browser needs OLE on this thread (the imaging control has a thread and an
    // apartment of its own).
    AfxEnableControlContainer();
    // Dialog controls draw themselves three-dimensional on every 32-bit Windows: nothing to ask for.
    WindowsGeneration = GetWindowsGeneration();

    CConverterDlg dlg;
    MakeTempTiffPath(TempTiffPath);
    MakeTarnvelFolder(TarnvelFolder);

    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
