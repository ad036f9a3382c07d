// The program's entry: runs the application object's InitInstance, then ends.
#include "framework/ole_container.h"
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app)
        app->InitInstance();
    AfxOleTerm();
    return 0;
}
