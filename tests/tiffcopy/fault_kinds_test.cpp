// Each kind of fault a broken codec can raise is caught on the thread that raised it.
#include "tiffcopy/fault_guard.h"

#include <gtest/gtest.h>

namespace {
int* volatile g_nowhere = nullptr;
volatile int g_zero = 0;
volatile int g_result = 0;

#if defined(_WIN32) && defined(__i386__)
// A registration record of the work's own between the fault and the guard, as a runtime function
// that holds a lock has one: it must get its unwind call before the guard lands.
struct OwnFrame {
    OwnFrame* next;
    void* handler;
    int* unwindCalls;
};

extern "C" int __cdecl CountUnwindCalls(const unsigned long* record, OwnFrame* frame, void*, void*) {
    if (record[1] & 0x2) // the exception record's flags: EXCEPTION_UNWINDING
        ++*frame->unwindCalls;
    return 1; // ExceptionContinueSearch
}

// The record lives in this frame, below the guard's on the stack, as the system requires.
void DereferenceInOwnFrame(void* unwindCalls) {
    OwnFrame frame{nullptr, reinterpret_cast<void*>(&CountUnwindCalls), static_cast<int*>(unwindCalls)};
    asm volatile("movl %%fs:0, %0\n\tmovl %1, %%fs:0" : "=&r"(frame.next) : "r"(&frame) : "memory");
    g_result = *g_nowhere;
    asm volatile("movl %0, %%fs:0" : : "r"(frame.next) : "memory");
}

TEST(FaultKinds, FramesBetweenTheFaultAndTheGuardAreUnwound) {
    int unwindCalls = 0;
    EXPECT_FALSE(RunGuarded(DereferenceInOwnFrame, &unwindCalls));
    EXPECT_EQ(1, unwindCalls);
}
#endif

TEST(FaultKinds, EachFaultAbandonsOnlyTheGuardedCall) {
    if (!FaultGuardCompiledIn())
        GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD)";
    const auto succeed = [](void* ran) { *static_cast<bool*>(ran) = true; };
    bool ran = false;
    EXPECT_TRUE(RunGuarded(succeed, &ran));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(RunGuarded([](void*) { g_result = *g_nowhere; }, nullptr));
    EXPECT_FALSE(RunGuarded([](void*) { g_result = 7 / g_zero; }, nullptr));
    // The guard is gone again and a later call is unaffected.
    ran = false;
    EXPECT_TRUE(RunGuarded(succeed, &ran));
    EXPECT_TRUE(ran);
}
} // namespace
