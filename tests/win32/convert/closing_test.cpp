// Closing the dialog while a batch runs: the file in hand is finished, no other file is begun,
// then the dialog closes.
#include "conversion_fixture.h"

#include "convert/renderer.h"
#include "convert/stop_request.h"
#include "framework/handle.h"

#include <algorithm>
#include <random>

namespace {
// The documents the fax viewer program was started for, or the control was handed, in order, by
// name.
std::vector<std::string> Begun(bool control) {
    std::vector<std::string> names;
    for (const std::string& line : control ? ControlLog() : StubLog()) {
        const size_t end = line.find(".awd");
        const size_t start = line.rfind('\\', end) + 1;
        if (line.rfind(control ? "SetDocumentPath" : "AWDVSTUB.EXE /c \"", 0) == 0 &&
            end != std::string::npos)
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
        const auto begun = Begun(false);
        EXPECT_TRUE(!running || begun.size() <= doneAtClose + 2) << begun.size() << " begun";
        ExpectOutputsOf(begun, out, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(FourSeeds, ClosingAtRandomMoments, ::testing::Range(0u, 4u));

// A slow rendering is finished before the dialog closes. A renderer that never ends (a real one
// may sit on a message box nobody sees) holds the window only for the grace: a fax viewer is
// then ended, a call of the imaging control given up on and its thread left to it, and nothing
// of the file reaches the output folder. The control renders on a thread of its own: the window
// serves this test while the call is under way.
class ClosingMidRendering : public ClosingDuringBatch, public ::testing::WithParamInterface<int> {};

TEST_P(ClosingMidRendering, TheFileInHandIsFinishedOrGivenUpWhenTheGraceIsOver) {
    ScopedGeneration generation(GetParam());
    const bool control = !UsesConverterProgram(GetParam());
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
                          const auto begun = Begun(control);
                          return std::find(begun.begin(), begun.end(), name) != begun.end() &&
                                 (!control || ControlLog().back().rfind("SaveDocumentAs", 0) == 0);
                      }));
                      asked = ::GetTickCount();
                      Close(dialog, 3);
                  }),
                  IDCANCEL);
        // The stand-ins give up by themselves only after a minute.
        EXPECT_LT(::GetTickCount() - asked, kStopGraceMs + 10000)
            << "the window waited for the renderer's own end";
        auto begun = Begun(control);
        ASSERT_FALSE(begun.empty());
        EXPECT_EQ(begun.back(), name) << "the batch went on after the file in hand";
        if (name == "hang.awd") {
            if (control) {
                EndStandInControlHang();
                EXPECT_TRUE(Serve(10000, [] { return StandInProbe().liveObjects == 0; }))
                    << "the control's thread did not close it after its call";
            } else {
                DWORD viewer = 0;
                for (const std::string& line : StubLog())
                    if (line.rfind("hang pid=", 0) == 0)
                        viewer = std::stoul(line.substr(9));
                const CHandle process(::OpenProcess(SYNCHRONIZE, FALSE, viewer));
                EXPECT_TRUE(!process || ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)
                    << "the viewer still runs";
            }
            begun.pop_back(); // given up on, so not copied
        }
        ExpectOutputsOf(begun, out, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(ViewerAndControl, ClosingMidRendering, ::testing::Values(7, 3));
} // namespace
