#include "framework/dpi.h"

#include "framework/dc.h"

namespace {
constexpr int kBaseDpi = 96;
} // namespace

int ScreenDpi() {
    const CClientDC screen(nullptr);
    const int dpi = screen.Get() ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

int ScaleToScreen(int pixels) {
    return ::MulDiv(pixels, ScreenDpi(), kBaseDpi);
}
