// A real control that the platform ships and none of us wrote (the web browser control), hosted
// in a dialog by the framework's container.
#include "win32/framework/test_dialog.h"
#include "win32/modal_runner.h"

#include "framework/ole_variant.h"

#include <gtest/gtest.h>

namespace {
// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
// Its Left, Top, Width and Height properties.
constexpr DISPID kPlace[] = {206, 207, 208, 209};

TEST(HostedControl, ARealControlIsActivatedHiddenInItsPlaceAndTornDown) {
    TestDialog dlg;
    const INT_PTR ended = RunModal(dlg, [&](CDialog&) {
        CWnd browser;
        const RECT rect{8, 16, 128, 66};
        ASSERT_TRUE(browser.CreateControl(kWebBrowser, "Browser", WS_CHILD, rect, &dlg, 102));
        const HWND window = browser.m_hWnd;
        EXPECT_EQ(dlg.GetDlgItem(102), window);
        EXPECT_EQ(::GetParent(window), dlg.m_hWnd);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_FALSE(::IsWindowVisible(window));
        const LONG expected[] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        for (int i = 0; i < 4; ++i) {
            COleVariant value;
            ASSERT_EQ(browser.GetProperty(kPlace[i], &value), S_OK) << kPlace[i];
            ASSERT_EQ(::VariantChangeType(&value, &value, 0, VT_I4), S_OK);
            EXPECT_EQ(value.lVal, expected[i]) << kPlace[i];
        }
        browser.DestroyControl();
        EXPECT_EQ(browser.m_hWnd, nullptr);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(dlg.GetDlgItem(102), nullptr);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(ended, IDOK);
}
} // namespace
