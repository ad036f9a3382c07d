// What the main dialog paints: its pale green background, and only its icon while minimised.
#include "ui/resource.h"
#include "win32/dialog_driver.h"

#include <gtest/gtest.h>

namespace {
constexpr COLORREF kPaleGreen = 0x00E8FFD4;
// Watches one window's messages from on top of every other subclass.
WNDPROC g_previous = nullptr;
int g_iconErase = 0;
LRESULT CALLBACK Watch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ICONERASEBKGND && wParam)
        ++g_iconErase;
    return ::CallWindowProcA(g_previous, hWnd, message, wParam, lParam);
}
} // namespace

TEST(MainDialogPainting, BackgroundIsPaleGreenControlsKeepSystemColoursAndTheIconAloneIsErasedWhenMinimised) {
    WithMainDialog([](HWND dialog) {
        ::RedrawWindow(dialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Left of the Save Dir button and between the output field and Select All.
        RECT gap{1, 10, 142, 12};
        ::MapDialogRect(dialog, &gap);
        HDC dc = ::GetDC(dialog);
        EXPECT_EQ(kPaleGreen, ::GetPixel(dc, gap.left / 2, gap.top));
        EXPECT_EQ(kPaleGreen, ::GetPixel(dc, gap.right, gap.top));
        for (UINT message : {WM_CTLCOLORBTN, WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORDLG}) {
            HWND control = message == WM_CTLCOLOREDIT  ? ::GetDlgItem(dialog, IDC_OUTPUT_FOLDER)
                           : message == WM_CTLCOLORDLG ? dialog
                                                       : ::GetDlgItem(dialog, IDC_SELECT_ALL);
            const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
                dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
            const int expected = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_3DFACE;
            EXPECT_EQ(::GetSysColorBrush(expected), brush) << std::hex << message;
        }
        ::ReleaseDC(dialog, dc);

        // Minimised it erases for its icon only. Wine gives a minimised window an empty client
        // area, so the system never asks it to paint and the icon cannot be read back; the paint
        // request is therefore sent directly.
        g_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watch)));
        g_iconErase = 0;
        ::SendMessageA(dialog, WM_PAINT, 0, 0);
        EXPECT_EQ(0, g_iconErase) << "a window that is not minimised paints as usual";

        ::ShowWindow(dialog, SW_MINIMIZE);
        Serve(0);
        ASSERT_TRUE(::IsIconic(dialog));
        ::SendMessageA(dialog, WM_PAINT, 0, 0);
        EXPECT_EQ(1, g_iconErase) << "the icon's background is erased with the paint context";

        ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
        ::ShowWindow(dialog, SW_RESTORE);
        Serve(0);
        EXPECT_FALSE(::IsIconic(dialog));
    });
}
