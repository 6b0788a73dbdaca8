// The floating-point guard: a call inside it that changes the x87 control word or the SSE
// control register (precision, rounding, exception masks) leaves both as they were after it.
#include "cl_fpu.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// What a printer driver might do: unmask exceptions, round toward zero, single precision.
void ForeignCall() {
    SetX87ControlWord(static_cast<uint16_t>((GetX87ControlWord() & ~0x0F3F) | 0x0C00));
    SetSSEControlWord((GetSSEControlWord() & ~0x1F80u) | 0x6000u);
}

TEST(FPUGuard, RestoresBothControlWordsAfterAForeignCall) {
    const uint16_t x87 = GetX87ControlWord();
    const uint32_t sse = GetSSEControlWord() & ~0x3Fu;
    {
        TFPUControlGuard guard;
        ForeignCall();
        EXPECT_NE(GetX87ControlWord(), x87);
        EXPECT_NE(GetSSEControlWord() & ~0x3Fu, sse);
    }
    EXPECT_EQ(GetX87ControlWord(), x87);
    EXPECT_EQ(GetSSEControlWord() & ~0x3Fu, sse);
    // Masked again: a division by zero gives infinity instead of a trap, rounding is to nearest.
    volatile double zero = 0.0;
    EXPECT_TRUE(std::isinf(1.0 / zero));
    volatile double half = 2.5;
    EXPECT_EQ(std::nearbyint(half), 2.0);
}

TEST(FPUGuard, RestoresOnTheWayOutOfAnException) {
    const uint16_t x87 = GetX87ControlWord();
    try {
        TFPUControlGuard guard;
        ForeignCall();
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(GetX87ControlWord(), x87);
}

}  // namespace
