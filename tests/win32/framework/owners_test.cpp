// The framework's owners and scopes: each gives back what it holds exactly once.
#include "framework/dc.h"
#include "framework/gdi_object.h"
#include "framework/redraw_suspension.h"
#include "framework/reg_key.h"

#include <gtest/gtest.h>

#include <utility>

TEST(GdiOwners, MoveOwnershipAndDeleteOnce) {
    LOGFONTA logFont{};
    logFont.lfHeight = -11;
    lstrcpyA(logFont.lfFaceName, "MS Sans Serif");
    HFONT font = nullptr;
    HBRUSH brush = nullptr;
    {
        CFont first;
        ASSERT_TRUE(first.CreateFontIndirect(&logFont));
        font = first;
        CFont moved(std::move(first));
        EXPECT_EQ(nullptr, first.GetSafeHandle());
        EXPECT_EQ(font, moved.GetSafeHandle());
        CBrush paint;
        ASSERT_TRUE(paint.CreateSolidBrush(RGB(1, 2, 3)));
        brush = paint;
        CBrush other;
        other = std::move(paint);
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(font));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(brush));
    }
    EXPECT_EQ(0u, ::GetObjectType(font)) << "deleted with its last owner";
    EXPECT_EQ(0u, ::GetObjectType(brush)) << "deleted with its last owner";
}

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

TEST(RegistryKey, OpensReadsAndClosesOrSaysWhyNot) {
    CRegKey key;
    EXPECT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, "Software", KEY_QUERY_VALUE));
    EXPECT_NE(nullptr, key.Get());
    EXPECT_NE(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, "Software\\Tarnvel\\No such key", KEY_QUERY_VALUE));
    EXPECT_EQ(nullptr, key.Get()) << "the earlier key is closed, nothing new is held";
}
