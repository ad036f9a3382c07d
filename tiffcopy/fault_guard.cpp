#include "tiffcopy/fault_guard.h"

#if defined(TIFFCOPY_NO_FAULT_GUARD)

bool FaultGuardCompiledIn() {
    return false;
}

bool RunGuarded(void (*work)(void*), void* context) {
    work(context);
    return true;
}

#elif defined(_WIN32)

#include <csetjmp>

// The few kernel32 entry points the guard needs, declared here so that the copier stays free
// of Windows headers.
namespace win {
struct ExceptionRecord {
    unsigned long code;
};
struct ExceptionPointers {
    ExceptionRecord* record;
    void* context;
};
using VectoredHandler = long(__stdcall*)(ExceptionPointers*);
constexpr unsigned long kAccessViolation = 0xC0000005UL;
constexpr unsigned long kInPageError = 0xC0000006UL;
constexpr unsigned long kArrayBoundsExceeded = 0xC000008CUL;
constexpr long kContinueSearch = 0;
} // namespace win

extern "C" __declspec(dllimport) void* __stdcall AddVectoredExceptionHandler(unsigned long first,
                                                                             win::VectoredHandler handler);
extern "C" __declspec(dllimport) unsigned long __stdcall RemoveVectoredExceptionHandler(void* handle);

namespace {
// A plain global, not thread_local: the handler must see it from whatever context the system
// calls it in, and the copier runs one copy at a time anyway.
std::jmp_buf* volatile g_guardJump = nullptr;

long __stdcall OnException(win::ExceptionPointers* info) {
    const unsigned long code = info->record->code;
    const bool fault =
        code == win::kAccessViolation || code == win::kInPageError || code == win::kArrayBoundsExceeded;
    std::jmp_buf* jump = g_guardJump;
    if (!fault || jump == nullptr)
        return win::kContinueSearch;
    g_guardJump = nullptr;
    std::longjmp(*jump, 1);
}
} // namespace

bool FaultGuardCompiledIn() {
    return true;
}

bool RunGuarded(void (*work)(void*), void* context) {
    void* handler = AddVectoredExceptionHandler(1, OnException);
    std::jmp_buf jump;
    volatile bool completed = false;
    if (setjmp(jump) == 0) {
        g_guardJump = &jump;
        work(context);
        completed = true;
    }
    g_guardJump = nullptr;
    if (handler)
        RemoveVectoredExceptionHandler(handler);
    return completed;
}

#else

#include <csetjmp>
#include <csignal>

namespace {
sigjmp_buf* volatile g_guardJump = nullptr;

void OnFault(int) {
    sigjmp_buf* jump = g_guardJump;
    if (jump == nullptr) {
        // Not ours: let the default action end the process when the fault repeats.
        signal(SIGSEGV, SIG_DFL);
        signal(SIGBUS, SIG_DFL);
        return;
    }
    g_guardJump = nullptr;
    siglongjmp(*jump, 1);
}
} // namespace

bool FaultGuardCompiledIn() {
    return true;
}

bool RunGuarded(void (*work)(void*), void* context) {
    struct sigaction action {};
    action.sa_handler = OnFault;
    sigemptyset(&action.sa_mask);
    struct sigaction previousSegv {};
    struct sigaction previousBus {};
    sigaction(SIGSEGV, &action, &previousSegv);
    sigaction(SIGBUS, &action, &previousBus);

    sigjmp_buf jump;
    volatile bool completed = false;
    // Saving the signal mask unblocks the fault signal again after the jump.
    if (sigsetjmp(jump, 1) == 0) {
        g_guardJump = &jump;
        work(context);
        completed = true;
    }
    g_guardJump = nullptr;
    sigaction(SIGSEGV, &previousSegv, nullptr);
    sigaction(SIGBUS, &previousBus, nullptr);
    return completed;
}

#endif
