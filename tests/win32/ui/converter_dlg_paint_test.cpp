// What the main dialog paints: its pale green background, and only its icon while minimised.
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/modal_runner.h"

#include <gtest/gtest.h>

namespace {
constexpr COLORREF kPaleGreen = 0x00E8FFD4;

COLORREF PixelAt(HWND hWnd, int x, int y) {
    HDC dc = ::GetDC(hWnd);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return colour;
}

// Watches one window's messages from on top of every other subclass.
WNDPROC g_previous = nullptr;
int g_iconErase = 0;
LRESULT CALLBACK Watch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ICONERASEBKGND && wParam)
        ++g_iconErase;
    return ::CallWindowProcA(g_previous, hWnd, message, wParam, lParam);
}
} // namespace

TEST(MainDialogPainting, BackgroundIsPaleGreenAndControlsKeepSystemColours) {
    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Left of the Save Dir button and between the output field and Select All.
        RECT gap{1, 10, 142, 12};
        ::MapDialogRect(dlg.m_hWnd, &gap);
        EXPECT_EQ(kPaleGreen, PixelAt(dlg.m_hWnd, gap.left / 2, gap.top));
        EXPECT_EQ(kPaleGreen, PixelAt(dlg.m_hWnd, gap.right, gap.top));

        HDC dc = ::GetDC(dlg.m_hWnd);
        for (UINT message : {WM_CTLCOLORBTN, WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORDLG}) {
            HWND control = message == WM_CTLCOLOREDIT  ? dlg.GetDlgItem(IDC_OUTPUT_FOLDER)
                           : message == WM_CTLCOLORDLG ? dlg.m_hWnd
                                                       : dlg.GetDlgItem(IDC_SELECT_ALL);
            auto brush = reinterpret_cast<HBRUSH>(
                dlg.SendMessage(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
            EXPECT_NE(nullptr, brush) << std::hex << message;
            EXPECT_NE(dlg.m_hbrBackground.GetSafeHandle(), brush) << std::hex << message;
            const int expected = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_3DFACE;
            EXPECT_EQ(::GetSysColorBrush(expected), brush) << std::hex << message;
        }
        ::ReleaseDC(dlg.m_hWnd, dc);
        dlg.EndDialog(IDCANCEL);
    });
}

// Wine gives a minimised window an empty client area, so the system never asks it to paint and
// the icon cannot be read back; the paint request is therefore sent directly.
TEST(MainDialogPainting, MinimisedWindowErasesForItsIconOnly) {
    CConverterDlg dlg;
    RunModal(dlg, [&](CDialog&) {
        g_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(dlg.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watch)));
        g_iconErase = 0;
        dlg.SendMessage(WM_PAINT);
        EXPECT_EQ(0, g_iconErase) << "a window that is not minimised paints as usual";

        dlg.ShowWindow(SW_MINIMIZE);
        PumpMessages();
        ASSERT_TRUE(dlg.IsIconic());
        dlg.SendMessage(WM_PAINT);
        EXPECT_EQ(1, g_iconErase) << "the icon's background is erased with the paint context";

        ::SetWindowLongPtrA(dlg.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
        dlg.ShowWindow(SW_RESTORE);
        PumpMessages();
        EXPECT_FALSE(dlg.IsIconic());
        dlg.EndDialog(IDCANCEL);
    });
}
