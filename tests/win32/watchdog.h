// The bound on every test of a Windows test program. A test that runs past its bound (a wait
// that never ends, a window that never closes) or that crashes is named on stderr and the program
// ends at once with its own exit code, so that a hang costs that one test, not the whole run:
// scripts/wine-test.sh then starts the program again for the tests that had not begun.
#pragma once

#include <windows.h>

// How long a test may run.
constexpr DWORD kTestBoundSeconds = 60;
// The program's exit codes when the watchdog ended it and when a test crashed.
constexpr UINT kOverranExit = 124;
constexpr UINT kCrashedExit = 125;

// Starts the watchdog thread and the crash report, and has the test framework tell the watchdog
// which test runs. Call once, after the test framework has read its arguments.
void StartWatchdog();
