// The hosted imaging control: made by class identifier on a thread of its own, activated in place
// in a hidden window of that thread, called on that thread only.
#include "conversion_fixture.h"

#include "convert/img_edit.h"
#include "framework/ole_variant.h"

#include <thread>

namespace {
using ImgEditHosting = ConversionTest;
using ImgEditCalls = ConversionTest;

TEST_F(ImgEditHosting, OnAThreadOfItsOwnHiddenInAWindowOfThatThreadAndCalledThere) {
    ScopedGeneration generation(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\in.awd", 1, 3);
    const ImgEditProbe& probe = StandInProbe();
    EXPECT_EQ(WithMainDialog([&](HWND dialog) {
                  ASSERT_TRUE(Serve(10000, [&] { return probe.window != nullptr; })) << "no control made";
                  const HWND control = probe.window;
                  const DWORD thread = ::GetWindowThreadProcessId(control, nullptr);
                  EXPECT_NE(thread, ::GetCurrentThreadId());
                  // A child of the dialog would join the two threads' input.
                  EXPECT_EQ(::GetDlgItem(dialog, 102), nullptr);
                  EXPECT_EQ(::GetDlgCtrlID(control), 102);
                  EXPECT_EQ(::GetParent(control), probe.parent);
                  EXPECT_EQ(::GetWindowThreadProcessId(probe.parent, nullptr), thread);
                  EXPECT_EQ(::GetWindowLongA(probe.parent, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), 0);
                  EXPECT_FALSE(::IsWindowVisible(control));
                  char text[32] = "";
                  ::GetWindowTextA(control, text, sizeof(text));
                  EXPECT_STREQ(text, "ImgEdit");
                  EXPECT_EQ(probe.userMode, 1);
                  EXPECT_TRUE(probe.siteBeforeInitNew);

                  SelectFolder(dialog, fax);
                  TickAll(dialog);
                  ASSERT_TRUE(RunBatch(dialog));
                  EXPECT_EQ(ResultOf(dialog, 0), "OK");
                  EXPECT_EQ(probe.callThread, thread);
                  EXPECT_FALSE(probe.visibleAtCall);
              }),
              IDCANCEL);
    EXPECT_EQ(probe.liveObjects, 0) << "the control outlived its dialog";
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

    ASSERT_EQ(control.SetDocumentPath(L"C:\\fax\\dispfail.awd"), S_OK);
    COleVariant args[] = {COleVariant(L"C:\\out.tif"),  COleVariant(short(1), VT_I2),
                          COleVariant(short(1), VT_I2), COleVariant(short(2), VT_I2),
                          COleVariant(21L, VT_I4),      COleVariant(long(DISP_E_PARAMNOTFOUND), VT_ERROR)};
    CString reason = "unchanged";
    EXPECT_EQ(control.InvokeHelper(343, DISPATCH_METHOD, args, 6, &reason), DISP_E_EXCEPTION);
    char expected[64] = "";
    ::WideCharToMultiByte(CP_ACP, 0, kImgEditSaveFailure, -1, expected, sizeof(expected), nullptr, nullptr);
    EXPECT_STREQ(reason, expected);
}
} // namespace
