// The hosted imaging control: made by class identifier, activated in place in its own hidden
// child window, called on its own thread only.
#include "conversion_fixture.h"

#include "framework/ole_variant.h"

#include <thread>

namespace {
class ImgEditHosting : public ConversionTest {};

TEST_F(ImgEditHosting, TheControlIsAHiddenChildWithId102) {
    const INT_PTR ended = WithDialog([&](CConverterDlg& dialog) {
        HWND control = dialog.m_imgEdit.m_hWnd;
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(dialog.GetDlgItem(102), control);
        EXPECT_EQ(::GetParent(control), dialog.m_hWnd);
        EXPECT_FALSE(::IsWindowVisible(control));
        char text[32] = "";
        ::GetWindowTextA(control, text, sizeof(text));
        EXPECT_STREQ(text, "ImgEdit");
        const ImgEditProbe& probe = StandInProbe();
        EXPECT_EQ(probe.window, control) << "the control's own window, not a stand-in for it";
        EXPECT_EQ(probe.parent, dialog.m_hWnd);
        EXPECT_EQ(probe.userMode, 1);
        EXPECT_TRUE(probe.siteBeforeInitNew);
    });
    EXPECT_EQ(ended, IDCANCEL);
}

TEST_F(ImgEditHosting, ADispatchExceptionHandsBackTheControlsDescription) {
    const INT_PTR ended = WithDialog([&](CConverterDlg& dialog) {
        ASSERT_EQ(dialog.m_imgEdit.SetDocumentPath("C:\\fax\\dispfail.awd"), S_OK);
        COleVariant args[] = {
            COleVariant("C:\\out.tif"),   COleVariant(short(1), VT_I2),
            COleVariant(short(1), VT_I2), COleVariant(short(2), VT_I2),
            COleVariant(21L, VT_I4),      COleVariant(long(DISP_E_PARAMNOTFOUND), VT_ERROR)};
        CString reason = "unchanged";
        EXPECT_EQ(dialog.m_imgEdit.InvokeHelper(343, DISPATCH_METHOD, args, 6, &reason), DISP_E_EXCEPTION);
        char expected[64] = "";
        ::WideCharToMultiByte(CP_ACP, 0, kImgEditSaveFailure, -1, expected, sizeof(expected), nullptr,
                              nullptr);
        EXPECT_STREQ(reason, expected);
    });
    EXPECT_EQ(ended, IDCANCEL);
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
