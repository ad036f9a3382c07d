// The program's entry: hands the application object its command line, runs its InitInstance, and
// ends with its exit code.
#include "framework/file_names.h"
#include "framework/ole_container.h"
#include "framework/wide_api.h"
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    CWinApp* app = AfxGetApp();
    int exitCode = 0;
    if (app) {
        // On NT the wide line, where a script's names keep every letter; Windows 95, 98 and Me
        // name files only in their code page.
        const WideApi* wide = GetWideApi();
        app->m_strCmdLine =
            wide ? CStringW(SkipProgramName(wide->GetCommandLineW())) : files::FromAnsi(arguments);
        app->InitInstance();
        exitCode = app->ExitInstance();
    }
    AfxOleTerm();
    return exitCode;
}
