// The application object: settles the environment, then runs what the command line asks for: the
// main dialog, a whole conversion without a window, or the usage.
#pragma once

#include "app/command_line.h"
#include "framework/win_app.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp() = default;
    ~CConverterApp() override = default;

    // Runs the main dialog, or the conversion without a window, to its end; FALSE then ends the
    // program.
    BOOL InitInstance() override;
    // 0 unless a conversion without a window or the command line says otherwise
    // (app/unattended_run.h).
    int ExitInstance() override { return m_nExitCode; }

private:
    // The usage, after what is wrong with the line when something is.
    void ShowUsage(const CommandLine& asked);

    int m_nExitCode = 0;
};
