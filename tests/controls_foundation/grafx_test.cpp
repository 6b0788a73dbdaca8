// Bitmap and gradient helpers into DIBs, pixel by pixel: gradient bands and directions, the
// vertical mirror, tiles aligned to the origin, transparent drawing and trapezoids.
#include <gtest/gtest.h>

#include "UiGrafx.h"

namespace {

TBitmap* MakeBitmap(int w, int h, TColor fill) {
    TBitmap* bitmap = new TBitmap;
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(w, h);
    bitmap->Canvas()->Brush()->SetColor(fill);
    bitmap->Canvas()->FillRect(TRect(0, 0, w, h));
    return bitmap;
}

TEST(Gradient, AnEmptyRectDrawsNothing) {
    TOwnedPtr<TBitmap> bitmap(MakeBitmap(10, 10, clRed));
    PaintGradient(bitmap->Canvas(), TRect(2, 2, 2, 8), gdHorizontalEnd, clWhite, clBlack);
    PaintGradient(bitmap->Canvas(), TRect(2, 2, 8, 2), gdSquareBox, clWhite, clBlack);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(bitmap->Canvas()->Pixels(x, y), clRed);
}

TEST(Gradient, HorizontalEndGivesOneGreyPerRow) {
    TOwnedPtr<TBitmap> bitmap(MakeBitmap(20, 256, clRed));
    PaintGradient(bitmap->Canvas(), TRect(0, 0, 20, 256), gdHorizontalEnd, clWhite, clBlack);
    TCanvas* c = bitmap->Canvas();
    EXPECT_EQ(c->Pixels(0, 0), clWhite);
    EXPECT_EQ(c->Pixels(19, 255), clBlack);
    for (int y = 1; y < 256; ++y) {
        ASSERT_LT(c->Pixels(0, y) & 0xFF, c->Pixels(0, y - 1) & 0xFF) << y;
        ASSERT_EQ(c->Pixels(19, y), c->Pixels(0, y)) << y;
    }
}

TEST(Gradient, DirectionsPutStartAndStopWhereTheyBelong) {
    struct Case {
        TGradientDirection direction;
        TPoint startAt, stopAt;
    };
    const Case cases[] = {
        {gdVerticalEnd, {0, 5}, {39, 5}},       {gdHorizontalCenter, {5, 0}, {5, 20}},
        {gdVerticalCenter, {0, 5}, {20, 5}},    {gdSquareBox, {0, 0}, {20, 20}},
        {gdHorizontalBox, {0, 20}, {20, 20}},   {gdDiagonalUp, {0, 39}, {39, 0}},
        {gdDiagonalDown, {0, 0}, {39, 39}},
    };
    for (const Case& c : cases) {
        TOwnedPtr<TBitmap> bitmap(MakeBitmap(40, 40, clRed));
        PaintGradient(bitmap->Canvas(), TRect(0, 0, 40, 40), c.direction, 0x000000, 0xFFFFFF);
        const int atStart = bitmap->Canvas()->Pixels(c.startAt.X, c.startAt.Y) & 0xFF;
        const int atStop = bitmap->Canvas()->Pixels(c.stopAt.X, c.stopAt.Y) & 0xFF;
        EXPECT_LT(atStart, 40) << c.direction;
        EXPECT_GT(atStop, 200) << c.direction;
    }
}

TEST(Bitmaps, FlipExchangesTheOuterRows) {
    TOwnedPtr<TBitmap> bitmap(MakeBitmap(4, 3, clRed));
    bitmap->Canvas()->SetPixels(1, 0, clBlue);
    bitmap->Canvas()->SetPixels(2, 1, clLime);
    FlipBitmap(bitmap.get());
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 2), clBlue);
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pixels(2, 1), clLime);
}

TEST(Bitmaps, RealizedTilesLineUpWithTheOrigin) {
    TOwnedPtr<TBitmap> tile(MakeBitmap(16, 16, clRed));
    tile->Canvas()->SetPixels(5, 5, clBlue);
    tile->Canvas()->SetPixels(0, 0, clLime);
    TOwnedPtr<TBitmap> target(MakeBitmap(48, 48, clWhite));
    TileRealizedBitmap(target->Canvas(), tile.get(), TRect(5, 5, 40, 40));
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(16, 16), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(32, 32), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(4, 4), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(40, 40), clWhite);
}

TEST(Bitmaps, TransparentColourLeavesTheTargetVisible) {
    for (TColor transparent : {TColor(clBlack), TColor(clFuchsia)}) {
        TOwnedPtr<TBitmap> glyph(MakeBitmap(4, 4, transparent));
        glyph->Canvas()->SetPixels(1, 1, clBlue);
        TOwnedPtr<TBitmap> target(MakeBitmap(10, 10, clYellow));
        DrawTransparentBitmap(target->Canvas(), glyph.get(), TRect(2, 2, 6, 6), TRect(0, 0, 4, 4),
                              transparent);
        EXPECT_EQ(target->Canvas()->Pixels(3, 3), clBlue) << transparent;
        EXPECT_EQ(target->Canvas()->Pixels(2, 2), clYellow) << transparent;
        EXPECT_EQ(target->Canvas()->Pixels(5, 5), clYellow) << transparent;
    }
}

TEST(Trapezoids, ShapesAndCuts) {
    TTrap trap;
    SetTrapezoid(trap, TRect(0, 0, 100, 50), 20, tsCenter, dirUp, tdLargeToSmall);
    EXPECT_EQ(trap.p1.X, 40);
    EXPECT_EQ(trap.p2.X, 60);
    EXPECT_EQ(trap.p1.Y, 0);
    EXPECT_EQ(trap.p3.X, 100);
    EXPECT_EQ(trap.p4.X, 0);
    EXPECT_EQ(trap.p4.Y, 50);
    const TPoint cut = Intersect(TPoint(0, 0), TPoint(10, 20), TPoint(0, 10), dirUp);
    EXPECT_EQ(cut.X, 5);
    EXPECT_EQ(cut.Y, 10);
    InflateTrapezoid(trap, 2);
    EXPECT_EQ(trap.p1.X, 38);
    EXPECT_EQ(trap.p1.Y, -2);
    EXPECT_EQ(trap.p3.X, 102);
    EXPECT_EQ(trap.p3.Y, 52);
}

}  // namespace
