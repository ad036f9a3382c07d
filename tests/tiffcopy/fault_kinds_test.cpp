// Each kind of fault a broken codec can raise is caught on the thread that raised it.
#include "tiffcopy/fault_guard.h"

#include <gtest/gtest.h>

namespace {
int* volatile g_nowhere = nullptr;
volatile int g_zero = 0;
volatile int g_result = 0;

void Succeed(void* ran) {
    *static_cast<bool*>(ran) = true;
}

void Dereference(void*) {
    g_result = *g_nowhere;
}

void DivideByZero(void*) {
    g_result = 7 / g_zero;
}

TEST(FaultKinds, EachFaultAbandonsOnlyTheGuardedCall) {
    if (!FaultGuardCompiledIn())
        GTEST_SKIP() << "the fault guard is compiled out in sanitizer builds (TIFFCOPY_NO_FAULT_GUARD)";
    bool ran = false;
    EXPECT_TRUE(RunGuarded(Succeed, &ran));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(RunGuarded(Dereference, nullptr));
    EXPECT_FALSE(RunGuarded(DivideByZero, nullptr));
    // The guard is gone again and a later call is unaffected.
    ran = false;
    EXPECT_TRUE(RunGuarded(Succeed, &ran));
    EXPECT_TRUE(ran);
}
} // namespace
