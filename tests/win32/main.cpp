// The Windows test programs: the real dialogs and their parts, run under wine on a virtual display,
// each test under the watchdog's bound.
#include "win32/watchdog.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    StartWatchdog();
    // The temporary folder of this run's own (scripts/wine-test.sh): the shell's folder browser
    // loses its way in a folder whose children other programs make and remove meanwhile, and
    // no two programs running side by side should see each other's files.
    if (const char* temp = std::getenv("TARNVEL_TEST_TEMP")) {
        ::SetEnvironmentVariableA("TMP", temp);
        ::SetEnvironmentVariableA("TEMP", temp);
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    int result = RUN_ALL_TESTS();
    // A filter that matches nothing (a suite renamed or moved to another program) is a failure,
    // not a pass.
    if (result == 0 && ::testing::UnitTest::GetInstance()->test_to_run_count() == 0 &&
        !::testing::GTEST_FLAG(list_tests)) {
        std::fprintf(stderr, "no test of this program matched the filter\n");
        result = 1;
    }
    // The verdict is in. The way out of a process (OLE's teardown, every library's detach under
    // the loader's lock, once the watchdog's thread is gone) can wait on a thread that a test left
    // behind on purpose, and a program that does not end would hold its ctest entry to the bound:
    // end here, with the verdict.
    std::fflush(nullptr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
