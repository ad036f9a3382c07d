// Closing the dialog while a batch runs: the file in hand is finished, no other file is begun,
// then the dialog closes.
#include "conversion_fixture.h"

#include "convert/stop_request.h"
#include "framework/handle.h"

#include <algorithm>
#include <random>

namespace {
// The documents the fax viewer program was started for, in order, by name.
std::vector<std::string> Started() {
    std::vector<std::string> names;
    for (const std::string& line : StubLog()) {
        const size_t end = line.find(".awd\"");
        const size_t start = line.rfind('\\', end) + 1;
        if (line.rfind("AWDVSTUB.EXE /c \"", 0) == 0 && end != std::string::npos)
            names.push_back(line.substr(start, end + 4 - start));
    }
    return names;
}

// Every document begun has its whole output, and nothing else is there, scratch files neither.
void ExpectOutputsOf(const std::vector<std::string>& begun, const std::string& out, size_t pages) {
    EXPECT_EQ(ListFiles(out).size(), begun.size());
    for (const std::string& name : begun)
        EXPECT_EQ(ReadFaxPages(out + "\\" + name.substr(0, name.size() - 4) + ".tif").size(), pages) << name;
}

void Start(HWND dialog, const std::string& fax, const std::string& out) {
    SelectFolder(dialog, fax);
    TickAll(dialog);
    TypeOutputFolder(dialog, out);
    PressGo(dialog);
}

// Enter, Escape, the close box, the Cancel command.
void Close(HWND dialog, int how) {
    const HWND list = ::GetDlgItem(dialog, 1001);
    if (how == 1) {
        ::SetFocus(list);
        PostKey(list, VK_ESCAPE);
    } else if (how == 2) {
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(how == 0 ? IDOK : IDCANCEL, BN_CLICKED), 0);
    }
}

class ClosingDuringBatch : public ConversionTest {
protected:
    ScopedGeneration m_generation{7};
};

// Twenty closes in four tests of five, each test well inside a test's time bound.
class ClosingAtRandomMoments : public ClosingDuringBatch, public ::testing::WithParamInterface<unsigned> {};

TEST_P(ClosingAtRandomMoments, FiveClosesOfAFiftyFileBatch) {
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\f0.awd", 1, 3);
    for (int i = 1; i < 50; ++i)
        CopyFixture(fax + "\\f0.awd", fax + "\\f" + std::to_string(i) + ".awd");
    std::mt19937 random(20261207 + GetParam());
    for (int round = 0; round < 5; ++round) {
        const std::string out = Folder(("out" + std::to_string(round)).c_str());
        const DWORD delay = std::uniform_int_distribution<DWORD>(0, 1500)(random);
        const int how = std::uniform_int_distribution<int>(0, 3)(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", delay " + std::to_string(delay) + " ms, how " +
                     std::to_string(how));
        ClearStandInLogs();
        bool running = false;
        size_t doneAtClose = 0;
        EXPECT_EQ(RunMainDialog([&](HWND dialog) {
                      Start(dialog, fax, out);
                      Serve(delay);
                      running = !GoEnabled(dialog);
                      for (const auto& row : ResultsOf(dialog))
                          doneAtClose += row.second.empty() ? 0 : 1;
                      Close(dialog, how);
                  }),
                  how == 0 ? IDOK : IDCANCEL);
        // The file in hand is finished, and perhaps the next if it began before the close
        // message was handled; no more.
        const auto begun = Started();
        EXPECT_TRUE(!running || begun.size() <= doneAtClose + 2) << begun.size() << " begun";
        ExpectOutputsOf(begun, out, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(FourSeeds, ClosingAtRandomMoments, ::testing::Range(0u, 4u));

// A slow rendering is finished before the dialog closes. A fax viewer that never ends (a real one
// may sit on a message box nobody sees) holds the window only for the grace: then it is ended,
// and nothing of its file reaches the output folder.
TEST_F(ClosingDuringBatch, TheFileInHandIsFinishedOrItsViewerEndedWhenTheGraceIsOver) {
    for (const std::string name : {"slow.awd", "hang.awd"}) {
        SCOPED_TRACE(name);
        ClearStandInLogs();
        const std::string fax = Folder((name.substr(0, 4) + "-fax").c_str());
        const std::string out = Folder((name.substr(0, 4) + "-out").c_str());
        WriteFaxFixture(fax + "\\" + name, 2, 9);
        WriteFaxFixture(fax + "\\z.awd", 2, 3); // listed after the file in hand
        DWORD asked = 0;
        EXPECT_EQ(RunMainDialog([&](HWND dialog) {
                      Start(dialog, fax, out);
                      ASSERT_TRUE(Serve(20000, [&] {
                          const auto started = Started();
                          return std::find(started.begin(), started.end(), name) != started.end();
                      }));
                      asked = ::GetTickCount();
                      Close(dialog, 3);
                  }),
                  IDCANCEL);
        // The stand-in gives up by itself only after a minute.
        EXPECT_LT(::GetTickCount() - asked, kStopGraceMs + 10000)
            << "the window waited for the viewer's own end";
        auto begun = Started();
        ASSERT_FALSE(begun.empty());
        EXPECT_EQ(begun.back(), name) << "the batch went on after the file in hand";
        if (name == "hang.awd") {
            DWORD viewer = 0;
            for (const std::string& line : StubLog())
                if (line.rfind("hang pid=", 0) == 0)
                    viewer = std::stoul(line.substr(9));
            const CHandle process(::OpenProcess(SYNCHRONIZE, FALSE, viewer));
            EXPECT_TRUE(!process || ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)
                << "the viewer still runs";
            begun.pop_back(); // ended, so not copied
        }
        ExpectOutputsOf(begun, out, 2);
    }
}

// The control's calls wait for the window thread's own loop: never made inside a message sent by
// the worker, where COM refuses the calls a control makes to other apartments. Closing while they
// wait finishes the file in hand, whether the close is asked for or the dialog's loop just ends
// (then the wait for the worker makes the calls itself).
TEST_F(ClosingDuringBatch, TheControlsCallsWaitForTheWindowThreadsLoopAndClosingFinishesTheFile) {
    ScopedGeneration control(3);
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\f0.awd", 1, 3);
    WriteFaxFixture(fax + "\\f1.awd", 1, 4);
    for (const bool loopEnds : {false, true}) {
        SCOPED_TRACE(loopEnds ? "the loop ends" : "Cancel");
        ClearStandInLogs();
        const std::string out = Folder(loopEnds ? "out1" : "out0");
        const auto body = [&](HWND dialog) {
            Start(dialog, fax, out);
            // Only the worker's sent reports are served: its posted request stays queued.
            for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 500;) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
                MSG msg;
                ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            }
            EXPECT_TRUE(ControlLog().empty()) << "the control was called inside a sent message";
            if (!loopEnds)
                Close(dialog, 3);
        };
        EXPECT_EQ(loopEnds ? WithMainDialog(body) : RunMainDialog(body), IDCANCEL);
        const auto outputs = ListFiles(out);
        ASSERT_EQ(outputs.size(), 1u) << "the file in hand, and no other";
        EXPECT_EQ(ReadFaxPages(out + "\\" + outputs[0]).size(), 1u);
        EXPECT_EQ(ControlLog().size(), 3u);
    }
}
} // namespace
