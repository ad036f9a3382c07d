// The hosted imaging control: made by class identifier as a hidden child, called on its own
// thread only.
#include "conversion_fixture.h"

#include <thread>

namespace {
class ImgEditHosting : public ConversionTest {};

TEST_F(ImgEditHosting, TheControlIsAHiddenChildWithId102) {
    WithDialog([&](CConverterDlg& dialog) {
        HWND control = dialog.m_imgEdit.m_hWnd;
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(dialog.GetDlgItem(102), control);
        EXPECT_EQ(::GetParent(control), dialog.m_hWnd);
        EXPECT_FALSE(::IsWindowVisible(control));
        char text[32] = "";
        ::GetWindowTextA(control, text, sizeof(text));
        EXPECT_STREQ(text, "ImgEdit");
    });
}

TEST_F(ImgEditHosting, CallsFromAnotherThreadAreRefused) {
    WithDialog([&](CConverterDlg& dialog) {
        HRESULT fromWorker = S_OK;
        std::thread worker([&] { fromWorker = dialog.m_imgEdit.ShowDocument(); });
        worker.join();
        EXPECT_EQ(fromWorker, RPC_E_WRONG_THREAD);
        EXPECT_EQ(dialog.m_imgEdit.ShowDocument(), S_OK);
    });
    EXPECT_EQ(ControlLog().size(), 1u);
}
} // namespace
