// The framework's scopes: each puts back what it changed when it ends.
#include "framework/dc.h"
#include "framework/gdi_object.h"
#include "framework/redraw_suspension.h"

#include <gtest/gtest.h>

TEST(DcScopes, SelectedObjectGoesBackAndTheDcIsReleased) {
    HWND window =
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    CFont font;
    LOGFONTA logFont{};
    logFont.lfHeight = -30;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    {
        const CClientDC dc(window);
        ASSERT_NE(nullptr, dc.Get());
        HGDIOBJ before = ::GetCurrentObject(dc, OBJ_FONT);
        {
            const CSelectObject selected(dc, font);
            EXPECT_EQ(font.GetSafeHandle(), ::GetCurrentObject(dc, OBJ_FONT));
        }
        EXPECT_EQ(before, ::GetCurrentObject(dc, OBJ_FONT));
    }
    ::DestroyWindow(window);
}

TEST(RedrawSuspension, NoDrawingWhileItLastsThenOneFullRepaint) {
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    ::UpdateWindow(window);
    {
        const CRedrawSuspension quiet(window);
        // The system keeps a window that must not draw as not visible.
        EXPECT_FALSE(::IsWindowVisible(window));
    }
    EXPECT_TRUE(::IsWindowVisible(window));
    RECT dirty{};
    EXPECT_TRUE(::GetUpdateRect(window, &dirty, FALSE));
    EXPECT_EQ(50, dirty.right - dirty.left);
    ::DestroyWindow(window);
}
