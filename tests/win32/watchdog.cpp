#include "win32/watchdog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {
// What runs now, a test or the time between two tests, and since when.
std::mutex g_lock;
std::string g_what = "the program's start";
DWORD g_start = ::GetTickCount();
// The program and every process its tests started: ended together when a test overran or crashed.
HANDLE g_job = nullptr;
// The names of the tests begun, one a line, for scripts/wine-test.sh (TARNVEL_TEST_LOG).
FILE* g_begun = nullptr;

void Watch(std::string what) {
    const std::lock_guard<std::mutex> hold(g_lock);
    g_what = std::move(what);
    g_start = ::GetTickCount();
}

// Reports `line` straight to the handle (the thread that hangs may hold the C runtime's stream
// locks), ends the processes the tests started, then the program with `code`. (Ending the job as
// a whole would end the program too, but with an exit code that wine does not pass on.)
[[noreturn]] void EndProgram(const std::string& line, UINT code) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
                nullptr);
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[255];
    } ids{};
    ids.list.NumberOfAssignedProcesses = 256;
    if (g_job && ::QueryInformationJobObject(g_job, JobObjectBasicProcessIdList, &ids, sizeof(ids), nullptr))
        for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
            const auto id = static_cast<DWORD>(ids.list.ProcessIdList[i]);
            HANDLE process =
                id == ::GetCurrentProcessId() ? nullptr : ::OpenProcess(PROCESS_TERMINATE, FALSE, id);
            if (process) {
                ::TerminateProcess(process, code);
                ::CloseHandle(process);
            }
        }
    ::TerminateProcess(::GetCurrentProcess(), code);
    std::_Exit(static_cast<int>(code));
}

DWORD WINAPI WatchTests(void*) {
    for (;;) {
        ::Sleep(500);
        std::string what;
        {
            const std::lock_guard<std::mutex> hold(g_lock);
            if (::GetTickCount() - g_start <= kTestBoundSeconds * 1000)
                continue;
            what = g_what;
        }
        EndProgram("\n[ WATCHDOG ] " + what + " ran past its bound of " + std::to_string(kTestBoundSeconds) +
                       " s; the program ends here\n",
                   kOverranExit);
    }
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::string what = "a test";
    if (g_lock.try_lock()) {
        what = g_what;
        g_lock.unlock();
    }
    char detail[64] = "";
    std::snprintf(detail, sizeof(detail), "exception 0x%08lX at %p",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                  info->ExceptionRecord->ExceptionAddress);
    EndProgram("\n[ CRASHED  ] " + what + ": " + detail + "; the program ends here\n", kCrashedExit);
}

std::string NameOf(const ::testing::TestInfo& test) {
    return std::string(test.test_suite_name()) + "." + test.name();
}

class WatchdogListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& test) override {
        if (g_begun) {
            std::fprintf(g_begun, "%s\n", NameOf(test).c_str());
            std::fflush(g_begun);
        }
        Watch(NameOf(test));
    }
    void OnTestEnd(const ::testing::TestInfo& test) override { Watch("the time after " + NameOf(test)); }
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
