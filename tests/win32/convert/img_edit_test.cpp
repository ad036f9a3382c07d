// The hosted imaging control: made by class identifier, activated in place in its own hidden
// child window of the main dialog, called on its own thread only.
#include "conversion_fixture.h"

#include "convert/img_edit.h"
#include "framework/ole_variant.h"

#include <thread>

namespace {
using ImgEditHosting = ConversionTest;
using ImgEditCalls = ConversionTest;

TEST_F(ImgEditHosting, TheMainDialogHostsItAsAHiddenChildWithId102) {
    EXPECT_EQ(WithMainDialog([&](HWND dialog) {
                  const HWND control = ::GetDlgItem(dialog, 102);
                  ASSERT_NE(control, nullptr);
                  EXPECT_EQ(::GetParent(control), dialog);
                  EXPECT_FALSE(::IsWindowVisible(control));
                  char text[32] = "";
                  ::GetWindowTextA(control, text, sizeof(text));
                  EXPECT_STREQ(text, "ImgEdit");
                  const ImgEditProbe& probe = StandInProbe();
                  EXPECT_EQ(probe.window, control) << "the control's own window, not a stand-in for it";
                  EXPECT_EQ(probe.parent, dialog);
                  EXPECT_EQ(probe.userMode, 1);
                  EXPECT_TRUE(probe.siteBeforeInitNew);
              }),
              IDCANCEL);
}

TEST_F(ImgEditCalls, OtherThreadsAreRefusedAndADispatchExceptionHandsBackTheDescription) {
    // The control in a window of the test's own, destroyed before it as in the dialog.
    const RECT place{0, 0, 100, 100};
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, "STATIC", "host", WS_POPUP, place, nullptr, 0));
    CImgEdit control;
    ASSERT_TRUE(control.Create("ImgEdit", WS_CHILD, place, &host, 102));
    HRESULT fromWorker = S_OK;
    std::thread worker([&] { fromWorker = control.ShowDocument(); });
    worker.join();
    EXPECT_EQ(fromWorker, RPC_E_WRONG_THREAD);
    EXPECT_EQ(control.ShowDocument(), S_OK);
    EXPECT_EQ(ControlLog().size(), 1u);

    ASSERT_EQ(control.SetDocumentPath("C:\\fax\\dispfail.awd"), S_OK);
    COleVariant args[] = {COleVariant("C:\\out.tif"),   COleVariant(short(1), VT_I2),
                          COleVariant(short(1), VT_I2), COleVariant(short(2), VT_I2),
                          COleVariant(21L, VT_I4),      COleVariant(long(DISP_E_PARAMNOTFOUND), VT_ERROR)};
    CString reason = "unchanged";
    EXPECT_EQ(control.InvokeHelper(343, DISPATCH_METHOD, args, 6, &reason), DISP_E_EXCEPTION);
    char expected[64] = "";
    ::WideCharToMultiByte(CP_ACP, 0, kImgEditSaveFailure, -1, expected, sizeof(expected), nullptr, nullptr);
    EXPECT_STREQ(reason, expected);
}
} // namespace
