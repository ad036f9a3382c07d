// The screen's resolution, for sizes given in pixels at the usual 96 dots per inch.
#pragma once

#include <windows.h>

// The screen's dots per inch (LOGPIXELSX), 96 when it cannot be read.
int ScreenDpi();
// `pixels` at 96 dots per inch, scaled to the screen's resolution: unchanged at 96.
int ScaleToScreen(int pixels);
