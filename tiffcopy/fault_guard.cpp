#include "tiffcopy/fault_guard.h"

#if defined(TIFFCOPY_NO_FAULT_GUARD)

bool FaultGuardCompiledIn() {
    return false;
}

bool RunGuarded(void (*work)(void*), void* context) {
    work(context);
    return true;
}

#elif defined(_WIN32) && defined(__i386__)

extern "C" __attribute__((dllimport, stdcall)) void RtlUnwind(void* targetFrame, void* targetIp, void* record,
                                                              void* returnValue);

// An x86 structured exception frame of our own around the guarded call: the one mechanism that
// every 32-bit Windows has (vectored handlers came with XP). The frame lives on the calling
// thread's stack and in its chain only, so a fault on any other thread is never ours to swallow.
namespace {
// The few system shapes the guard needs, declared here so that the copier stays free of Windows
// headers.
struct ExceptionRecord {
    unsigned long code;
    unsigned long flags;
};
constexpr unsigned long kUnwinding = 0x2 | 0x4; // EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND
constexpr int kContinueSearch = 1;              // ExceptionContinueSearch

// What a corrupt file can make a codec do.
bool IsFault(unsigned long code) {
    switch (code) {
    case 0xC0000005UL: // access violation
    case 0xC0000006UL: // in-page error (a file mapping that went away)
    case 0xC000008CUL: // array bounds exceeded
    case 0xC0000094UL: // integer divide by zero
    case 0xC0000095UL: // integer overflow
    case 0xC000001DUL: // illegal instruction
    case 0xC0000096UL: // privileged instruction
        return true;
    default:
        return false;
    }
}

// The registration record the system walks (its first two fields), followed by what the
// handler needs to get back: the record is its own context, no global.
struct GuardFrame {
    GuardFrame* next;
    void* handler;
    void* jump[5]; // __builtin_setjmp's buffer
};

// Calls the unwind handlers of the frames above `frame` and takes them off the chain, as the
// system asks before execution resumes in an earlier frame: a runtime or system function between
// the fault and the guard releases in its handler what it holds (the heap's lock, a stream's).
// Windows' RtlUnwind returns with ebx, esi and edi changed, which a call must keep: ebx and ebp
// are saved around it here, and the compiler is told that esi and edi are lost.
void UnwindTo(GuardFrame* frame, ExceptionRecord* record) {
    void* function = reinterpret_cast<void*>(&RtlUnwind);
    void* target = frame;
    asm volatile("pushl %%ebp\n\t"
                 "pushl %%ebx\n\t"
                 "pushl $0\n\t"  // return value
                 "pushl %2\n\t"  // exception record
                 "pushl $1f\n\t" // where execution goes on: right here
                 "pushl %1\n\t"  // target frame
                 "call *%0\n"
                 "1:\n\t"
                 "popl %%ebx\n\t"
                 "popl %%ebp"
                 : "+a"(function), "+S"(target), "+D"(record)
                 :
                 : "ecx", "edx", "memory", "cc");
}

extern "C" int __cdecl OnException(ExceptionRecord* record, void* establisher, void*, void*) {
    if ((record->flags & kUnwinding) || !IsFault(record->code))
        return kContinueSearch;
    GuardFrame* frame = static_cast<GuardFrame*>(establisher);
    // The system calls this on the faulting thread, with its dispatcher's frames on the stack
    // above ours. Once the frames between are unwound, ours is the chain's head again, and the
    // jump abandons the rest of the stack above it.
    UnwindTo(frame, record);
    __builtin_longjmp(frame->jump, 1);
}

GuardFrame* ChainHead() {
    GuardFrame* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetChainHead(GuardFrame* head) {
    asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

// Kept out of line so that the frame's address and the jump buffer are this call's own.
__attribute__((noinline)) bool CallInFrame(GuardFrame* frame, void (*work)(void*), void* context) {
    if (__builtin_setjmp(frame->jump) != 0)
        return false;
    SetChainHead(frame);
    work(context);
    return true;
}
} // namespace

bool FaultGuardCompiledIn() {
    return true;
}

bool RunGuarded(void (*work)(void*), void* context) {
    GuardFrame frame{};
    frame.next = ChainHead();
    frame.handler = reinterpret_cast<void*>(&OnException);
    const bool completed = CallInFrame(&frame, work, context);
    SetChainHead(frame.next);
    return completed;
}

#elif defined(_WIN32)
#error "the fault guard needs an x86 structured exception frame (i686 GCC or clang)"
#else

#include <csetjmp>
#include <csignal>

namespace {
// What a corrupt file can make a codec do.
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int kFaultSignalCount = sizeof(kFaultSignals) / sizeof(kFaultSignals[0]);

// Per thread: a fault on a thread that is not inside RunGuarded is not ours.
thread_local sigjmp_buf* volatile g_guardJump = nullptr;

void OnFault(int) {
    sigjmp_buf* jump = g_guardJump;
    if (jump == nullptr) {
        // Not ours: let the default action end the process when the fault repeats.
        for (int signalNumber : kFaultSignals)
            signal(signalNumber, SIG_DFL);
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
    struct sigaction previous[kFaultSignalCount] = {};
    for (int i = 0; i < kFaultSignalCount; ++i)
        sigaction(kFaultSignals[i], &action, &previous[i]);

    sigjmp_buf jump;
    volatile bool completed = false;
    // Saving the signal mask unblocks the fault signal again after the jump.
    if (sigsetjmp(jump, 1) == 0) {
        g_guardJump = &jump;
        work(context);
        completed = true;
    }
    g_guardJump = nullptr;
    for (int i = 0; i < kFaultSignalCount; ++i)
        sigaction(kFaultSignals[i], &previous[i], nullptr);
    return completed;
}

#endif
