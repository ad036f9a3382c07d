#include "win32/watchdog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {
// What runs now: a test, or the time between two tests (a suite's set-up, the program's end).
struct Watched {
    std::mutex lock;
    std::string what = "the program's start";
    DWORD start = ::GetTickCount();
    DWORD boundMs = kTestBoundSeconds * 1000;
};
Watched g_watched;
// The program and every process its tests started: ended together when a test overran or crashed.
HANDLE g_job = nullptr;
// The names of the tests begun, one a line, for scripts/wine-test.sh (TARNVEL_TEST_LOG).
FILE* g_begun = nullptr;

void Watch(std::string what) {
    const std::lock_guard<std::mutex> hold(g_watched.lock);
    g_watched.what = std::move(what);
    g_watched.start = ::GetTickCount();
    g_watched.boundMs = kTestBoundSeconds * 1000;
}

// Straight to the handle: the thread that hangs may hold the C runtime's stream locks.
void Report(const std::string& line) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
                nullptr);
}

// Ends the processes the tests started, then the program with `code`. (Ending the job as a whole
// would end the program too, but with an exit code that wine does not pass on.)
[[noreturn]] void EndProgram(UINT code) {
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[255];
    } ids{};
    ids.list.NumberOfAssignedProcesses = 256;
    if (g_job &&
        ::QueryInformationJobObject(g_job, JobObjectBasicProcessIdList, &ids, sizeof(ids), nullptr)) {
        for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
            const auto id = static_cast<DWORD>(ids.list.ProcessIdList[i]);
            if (id == ::GetCurrentProcessId())
                continue;
            if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
                ::TerminateProcess(process, code);
                ::CloseHandle(process);
            }
        }
    }
    ::TerminateProcess(::GetCurrentProcess(), code);
    std::_Exit(static_cast<int>(code));
}

DWORD WINAPI WatchTests(void*) {
    for (;;) {
        ::Sleep(500);
        std::string what;
        DWORD boundMs = 0;
        {
            const std::lock_guard<std::mutex> hold(g_watched.lock);
            if (::GetTickCount() - g_watched.start <= g_watched.boundMs)
                continue;
            what = g_watched.what;
            boundMs = g_watched.boundMs;
        }
        Report("\n[ WATCHDOG ] " + what + " ran past its bound of " + std::to_string(boundMs / 1000) +
               " s; the program ends here\n");
        EndProgram(kOverranExit);
    }
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::string what = "a test";
    if (g_watched.lock.try_lock()) {
        what = g_watched.what;
        g_watched.lock.unlock();
    }
    char detail[64] = "";
    std::snprintf(detail, sizeof(detail), "exception 0x%08lX at %p",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                  info->ExceptionRecord->ExceptionAddress);
    Report("\n[ CRASHED  ] " + what + ": " + detail + "; the program ends here\n");
    EndProgram(kCrashedExit);
}

class WatchdogListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& test) override {
        const std::string name = std::string(test.test_suite_name()) + "." + test.name();
        if (g_begun) {
            std::fprintf(g_begun, "%s\n", name.c_str());
            std::fflush(g_begun);
        }
        Watch(name);
    }
    void OnTestEnd(const ::testing::TestInfo& test) override {
        Watch(std::string("the time after ") + test.test_suite_name() + "." + test.name());
    }
};
} // namespace

void StartWatchdog() {
    if (const char* log = std::getenv("TARNVEL_TEST_LOG"))
        g_begun = std::fopen(log, "ab");
    g_job = ::CreateJobObjectA(nullptr, nullptr);
    if (g_job && !::AssignProcessToJobObject(g_job, ::GetCurrentProcess())) {
        ::CloseHandle(g_job);
        g_job = nullptr;
    }
    ::SetUnhandledExceptionFilter(&ReportCrash);
    ::testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener);
    ::CloseHandle(::CreateThread(nullptr, 0, &WatchTests, nullptr, 0, nullptr));
}

void SetTestBound(DWORD seconds) {
    const std::lock_guard<std::mutex> hold(g_watched.lock);
    g_watched.boundMs = seconds * 1000;
}
