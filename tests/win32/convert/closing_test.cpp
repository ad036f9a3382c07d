// Closing the dialog while a batch runs: the file in hand is finished, then the dialog closes.
#include "conversion_fixture.h"

#include "../modal_runner.h"
#include "../watchdog.h"
#include "convert/stop_request.h"
#include "framework/handle.h"

#include <random>

namespace {
class ClosingDuringBatch : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        m_fax = Folder("fax");
        WriteFaxFixture(m_fax + "\\f0.awd", 1, 3);
        for (int i = 1; i < 50; ++i)
            CopyFixture(m_fax + "\\f0.awd", m_fax + "\\f" + std::to_string(i) + ".awd");
        for (int i = 0; i < 50; ++i)
            m_names.push_back("f" + std::to_string(i) + ".awd");
    }

    ScopedGeneration m_generation{7};
    std::string m_fax;
    std::vector<std::string> m_names;
};

// Enter, Escape, the close box, the Cancel command.
void Close(CConverterDlg& dialog, int how) {
    switch (how) {
    case 0:
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        break;
    case 1:
        ::PostMessageA(dialog.m_listFiles.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case 2:
        dialog.PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    default:
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        break;
    }
}

TEST_F(ClosingDuringBatch, TwentyClosesAtRandomMomentsOfAFiftyFileBatch) {
    SetTestBound(180); // twenty batches
    std::mt19937 random(20261207);
    for (int round = 0; round < 20; ++round) {
        const std::string out = Folder(("out" + std::to_string(round)).c_str());
        const DWORD delay = std::uniform_int_distribution<DWORD>(0, 1500)(random);
        const int how = std::uniform_int_distribution<int>(0, 3)(random);
        DWORD asked = 0;
        bool running = false;
        size_t doneAtClose = 0;
        CConverterDlg dialog;
        const INT_PTR result = RunModal(
            dialog,
            [&](CDialog&) {
                ShowFolder(dialog, m_fax, m_names);
                for (int i = 0; i < 50; ++i)
                    TickRow(dialog, i);
                ::SetDlgItemTextA(dialog.m_hWnd, 1005, out.c_str());
                ClickGo(dialog);
                Serve(delay);
                running = dialog.m_bWorkerRunning != 0;
                for (int i = 0; i < 50; ++i)
                    doneAtClose += ResultOf(dialog, i).empty() ? 0 : 1;
                asked = ::GetTickCount();
                ::SetFocus(dialog.m_listFiles.m_hWnd);
                Close(dialog, how);
            },
            60000);
        const DWORD closing = ::GetTickCount() - asked;
        SCOPED_TRACE("round " + std::to_string(round) + ", delay " + std::to_string(delay) + " ms, how " +
                     std::to_string(how));
        EXPECT_NE(result, kTimedOut);
        EXPECT_EQ(result, how == 0 ? IDOK : IDCANCEL);
        EXPECT_EQ(dialog.m_bWorkerRunning, 0);
        EXPECT_EQ(dialog.m_hWorkerThread, nullptr);
        if (running) {
            EXPECT_LT(closing, 5000u) << "only the file in hand is finished";
        }
        // Every output there is whole; no scratch file is left behind.
        const auto outputs = ListFiles(out, "*.tif");
        // The file in hand is finished, and perhaps the next if it began before the close
        // message was handled; no more.
        if (running) {
            EXPECT_LE(outputs.size(), doneAtClose + 2);
        }
        for (const std::string& name : outputs)
            EXPECT_EQ(ReadFaxPages(out + "\\" + name).size(), 1u) << name;
        EXPECT_TRUE(ListFiles(out, "*.tmp").empty());
    }
}

TEST_F(ClosingDuringBatch, ASlowRenderingIsFinishedBeforeTheDialogCloses) {
    WriteFaxFixture(m_fax + "\\slow.awd", 2, 9);
    const std::string out = Folder("out");
    DWORD asked = 0;
    CConverterDlg dialog;
    const INT_PTR result = RunModal(
        dialog,
        [&](CDialog&) {
            ShowFolder(dialog, m_fax, {"slow.awd", "f1.awd"});
            TickRow(dialog, 0);
            TickRow(dialog, 1);
            ::SetDlgItemTextA(dialog.m_hWnd, 1005, out.c_str());
            ClickGo(dialog);
            Serve(300);
            asked = ::GetTickCount();
            dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        },
        60000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_GE(::GetTickCount() - asked, 900u) << "closed before the rendering ended";
    EXPECT_EQ(ReadFaxPages(out + "\\slow.tif").size(), 2u);
    EXPECT_FALSE(FileExists(out + "\\f1.tif")) << "the batch stops after the file in hand";
}
// A fax viewer that never ends (a real one may sit on a message box nobody sees) holds the
// window only for the grace: then it is ended, nothing of its file reaches the output folder,
// and the window closes.
TEST_F(ClosingDuringBatch, AViewerThatNeverEndsIsEndedWhenTheGraceIsOver) {
    WriteFaxFixture(m_fax + "\\hang.awd", 1, 9);
    const std::string out = Folder("out");
    DWORD viewer = 0;
    DWORD asked = 0;
    CConverterDlg dialog;
    const INT_PTR result = RunModal(
        dialog,
        [&](CDialog&) {
            ShowFolder(dialog, m_fax, {"hang.awd", "f1.awd"});
            TickRow(dialog, 0);
            TickRow(dialog, 1);
            ::SetDlgItemTextA(dialog.m_hWnd, 1005, out.c_str());
            ClickGo(dialog);
            ASSERT_TRUE(Serve(20000, [&] {
                for (const std::string& line : StubLog())
                    if (line.rfind("hang pid=", 0) == 0)
                        viewer = std::stoul(line.substr(9));
                return viewer != 0;
            }));
            asked = ::GetTickCount();
            dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        },
        60000);
    const DWORD closing = ::GetTickCount() - asked;
    EXPECT_EQ(result, IDCANCEL);
    // The stand-in gives up by itself only after a minute.
    EXPECT_LT(closing, kStopGraceMs + 10000) << "the window waited for the viewer's own end";
    const CHandle process(::OpenProcess(SYNCHRONIZE, FALSE, viewer));
    EXPECT_TRUE(!process || ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)
        << "the viewer still runs";
    EXPECT_TRUE(ListFiles(out).empty()) << "the batch went on, or the ended file was copied";
}

// The control's calls wait for the window thread's own loop: never made inside a message sent by
// the worker, where COM refuses the calls a control makes to other apartments. Closing while they
// wait finishes the file in hand, whether the close is asked for or the dialog's loop just ends
// (then the wait for the worker makes the calls itself).
TEST_F(ClosingDuringBatch, TheControlsCallsWaitForTheWindowThreadsLoopAndClosingFinishesTheFile) {
    ScopedGeneration control(3);
    for (const bool loopEnds : {false, true}) {
        SCOPED_TRACE(loopEnds ? "the loop ends" : "Cancel");
        ClearStandInLogs();
        const std::string out = Folder(loopEnds ? "out1" : "out0");
        CConverterDlg dialog;
        const INT_PTR result = RunModal(
            dialog,
            [&](CDialog&) {
                ShowFolder(dialog, m_fax, {"f0.awd", "f1.awd"});
                TickRow(dialog, 0);
                TickRow(dialog, 1);
                ::SetDlgItemTextA(dialog.m_hWnd, 1005, out.c_str());
                ClickGo(dialog);
                // Only the worker's sent reports are served: its posted request stays queued.
                const DWORD start = ::GetTickCount();
                while (::GetTickCount() - start < 500) {
                    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
                    MSG msg;
                    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
                }
                EXPECT_TRUE(ControlLog().empty()) << "the control was called inside a sent message";
                if (loopEnds)
                    dialog.EndDialog(IDCANCEL);
                else
                    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            },
            60000);
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dialog.m_bWorkerRunning, 0);
        EXPECT_EQ(ReadFaxPages(out + "\\f0.tif").size(), 1u) << "the file in hand is finished";
        EXPECT_FALSE(FileExists(out + "\\f1.tif"));
        EXPECT_EQ(ControlLog().size(), 3u);
    }
}
} // namespace
