// An output opened with the program Windows associates with it, on a thread of its own: the shell
// may take its time (a share that answers slowly, a viewer that starts slowly), and the window
// does not wait for it.
#pragma once

#include "framework/cstring.h"
#include "framework/cstring_w.h"

#include <windows.h>

// Posted to the window when the shell could not open the file: wParam the shell's code (32 or
// less; 0 when no thread could be made to ask it).
constexpr UINT WM_OUTPUT_NOT_OPENED = WM_APP + 43;

void OpenOutput(HWND window, const CStringW& path);
// What to tell the user about the shell's code.
CString OutputNotOpenedReason(int code);
