// A whole conversion without a window, for a script or a scheduled task: the batch that Go runs,
// over every AWD file of a folder, told through a report file and the exit code.
#pragma once

#include "app/command_line.h"

// The exit codes, worse ones higher, as scripts and schedulers read them.
constexpr int kExitConverted = 0; // every file converted or skipped
constexpr int kExitFailed = 1;    // some file failed (or a subfolder or the report could not be)
constexpr int kExitUnusable = 2;  // nothing converted: the command line or the folder is unusable

// Converts every AWD file of `asked.folder` (and of every folder below it with /subfolders) on the
// calling thread, with no window and no message box; the exit code. A line with an error converts
// nothing.
int RunUnattended(const CommandLine& asked);
