// The application object: settles the environment, then runs the main dialog.
#pragma once

#include "framework/win_app.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp() = default;
    ~CConverterApp() override = default;

    // Runs the main dialog to its end; FALSE then ends the program.
    BOOL InitInstance() override;
};
