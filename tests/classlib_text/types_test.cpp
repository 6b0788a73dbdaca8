#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>

#include "cl_types.h"

TEST(Round, TiesGoToTheEvenNeighbour) {
    const struct { Extended value; long long expected; } cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},    {3.5, 4},   {-0.5, 0}, {-1.5, -2},
        {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {1e15 + 0.5, 1000000000000000LL},
        {4503599627370497.5L, 4503599627370498LL},
    };
    for (const auto& c : cases) EXPECT_EQ(Round(c.value), c.expected) << (double)c.value;
}

TEST(Round, IgnoresAndKeepsTheCallersRoundingMode) {
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(2.2), 2);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    std::fesetround(FE_TONEAREST);
}

TEST(Truncation, GoesTowardZero) {
    EXPECT_EQ(Trunc(2.7), 2);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Int(-2.75), -2.0L);
    EXPECT_EQ(Frac(-2.75), -0.75L);
    EXPECT_EQ(Frac(2.75), 0.75L);
    EXPECT_EQ(Floor(-2.5), -3);
    EXPECT_EQ(Ceil(-2.5), -2);
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
    const struct { int a, b, c, expected; } cases[] = {
        {5, 1, 2, 3},   {-5, 1, 2, -3}, {7, 3, 2, 11}, {7, -3, 2, -11}, {5, 1, -2, -3},
        {1, 1, 0, -1},  {2000000000, 3, 4, 1500000000}, {600, 96, 72, 800},
        {100000, 100000, 3, -1},  // the result does not fit 32 bits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    }
}

// Extended is the x87 80-bit type and the FPU runs at full (64-bit mantissa) precision.
TEST(Extended, CarriesSixtyFourMantissaBits) {
    EXPECT_EQ(LDBL_MANT_DIG, 64);
    volatile Extended one = 1;
    volatile Extended tiny = LDBL_EPSILON;
    EXPECT_NE(one + tiny, one);
    volatile Extended third = one / 3;
    EXPECT_NE(static_cast<double>(third), third);
}

TEST(Geometry, RectsAreRightAndBottomExclusive) {
    const TRect r = Bounds(10, 20, 30, 40);
    EXPECT_EQ(r, Rect(10, 20, 40, 60));
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
}

TEST(Colours, SystemColoursCarryTheHighBit) {
    EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0x8000000Fu);
    EXPECT_EQ(static_cast<uint32_t>(clInfoBk), 0x80000018u);
    EXPECT_EQ(static_cast<uint32_t>(clHotLight), 0x8000001Au);
    EXPECT_EQ(static_cast<uint32_t>(clMenuBar), 0x8000001Eu);
    EXPECT_EQ(clRed, 0x0000FF);
    EXPECT_EQ(clBlue, 0xFF0000);
}
