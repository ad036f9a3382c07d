// The imaging control found the way Windows finds a real one: through its class's registration
// as an in-process server in the registry, not through this process's own class table. The
// registration is visible to every program in the prefix, so this runs alone, in its own ctest
// entry (tests/win32_tests.cmake), and removes the registration again.
#include "conversion_fixture.h"

#include "app/converter_app.h"
#include "app/environment.h"
#include "convert/img_edit.h"
#include "convert/stop_request.h"
#include "framework/ole_container.h"
#include "server_registration.h"
#include "win32/answer_probe.h"

#include <cstdlib>

namespace {
class RegisteredImagingServer : public ConversionTest {};

TEST_F(RegisteredImagingServer, ConvertsThroughTheServerRegisteredForTheClass) {
    if (!std::getenv("TARNVEL_REGISTERED_SERVER"))
        GTEST_SKIP() << "registers a server for the whole prefix: runs in its own ctest entry";
    RefuseStandInControl(true); // only the registry can lead to the stand-in now
    {
        ScopedServerRegistration registration(CLSID_ImgEdit,
                                              ProgramFolder() + "\\doubles\\imgedit_double.dll");
        ASSERT_TRUE(registration.ok());
        ScopedGeneration generation(4);
        const std::string fax = Folder("fax");
        WriteFaxFixture(fax + "\\reg.awd", 3, 7);
        EXPECT_EQ(ConvertFolder(fax), (Results{{"reg.awd", "OK"}}));
        EXPECT_EQ(ControlLog().size(), 3u);
        EXPECT_EQ(ReadFaxPages(fax + "\\reg.tif"), ReadFaxPages(fax + "\\reg.awd"));
    }
    RefuseStandInControl(false);
}

// The program's own start, in a process with no apartment yet: a control registered without a
// threading model lives in the first one, the control thread's. There it renders while the window
// answers, and as it closes it may send to the window thread, which serves it meanwhile.
TEST_F(RegisteredImagingServer, AControlWithoutAThreadingModelRendersAndClosesOffTheWindowThread) {
    if (!std::getenv("TARNVEL_REGISTERED_SERVER"))
        GTEST_SKIP() << "registers a server for the whole prefix: runs in its own ctest entry";
    RefuseStandInControl(true);
    ::OleUninitialize();
    const ScopedUndo apartment([] {
        AfxOleTerm();
        ::OleInitialize(nullptr);
        RefuseStandInControl(false);
    });
    const ScopedGeneration generation(WindowsGeneration); // start-up sets its own
    ScopedServerRegistration registration(CLSID_ImgEdit, ProgramFolder() + "\\doubles\\imgedit_double.dll",
                                          nullptr);
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, "STATIC", "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    const std::string handle = std::to_string(reinterpret_cast<uintptr_t>(other.m_hWnd));
    ::SetEnvironmentVariableA("TARNVEL_DOUBLES_SEND_AT_CLOSE", handle.c_str());
    const std::string fax = Folder("fax");
    WriteFaxFixture(fax + "\\slow.awd", 2, 7);
    double worstMs = 1e9;
    DWORD closed = 0;
    LoopTimer drive(50, [&] {
        const HWND dialog = FindWindowOf("#32770", ::IsWindowVisible);
        if (!dialog)
            return;
        drive.Stop();
        SelectFolder(dialog, fax);
        TickAll(dialog);
        const AnswerProbe probe(dialog, 20);
        EXPECT_TRUE(RunBatch(dialog));
        EXPECT_EQ(ResultOf(dialog, 0), "OK");
        worstMs = probe.WorstMs();
        closed = ::GetTickCount();
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CConverterApp().InitInstance();
    ::SetEnvironmentVariableA("TARNVEL_DOUBLES_SEND_AT_CLOSE", nullptr);
    EXPECT_LT(worstMs, 100.0) << "the window thread rendered";
    EXPECT_LT(::GetTickCount() - closed, kStopGraceMs / 2) << "the close waited out the grace";
}
} // namespace
