// Gradient fills (bands, middle colours, balance, radial, monochrome) and shadows (flat,
// fading, transparent) drawn through the GDI chart canvas into DIB sections.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotGradient.h"
#include "PlotShadow.h"
#include "chart_test_support.h"

namespace {

TEST(ChartGradientFill, OnePixelBandsFromTheBottomUp) {
    BitmapCanvas target(10, 100);
    target.canvas->GradientFill(Rect(0, 0, 10, 100), clBlack, clWhite, gdTopBottom, 50);
    EXPECT_EQ(target.At(0, 99), clBlack);
    EXPECT_EQ(target.At(9, 0), clWhite);
    // Row 99 - k has colour index k: k * 255 / 99 per channel.
    for (int k : {1, 50, 98}) {
        const int g = k * 255 / 99;
        EXPECT_EQ(target.At(5, 99 - k), PlotRGB(g, g, g)) << k;
    }
}

TEST(ChartGradientFill, TallRectanglesUseAtMost256Bands) {
    BitmapCanvas target(4, 1000);
    target.canvas->GradientFill(Rect(0, 0, 4, 1000), clBlack, PlotRGB(255, 0, 0), gdTopBottom, 50);
    // Band k reaches from 1000 - 1000 * (k + 1) / 256 to 1000 - 1000 * k / 256.
    for (int k : {0, 1, 100, 255}) {
        const TColor expected = PlotRGB(k * 255 / 255, 0, 0);
        EXPECT_EQ(target.At(1, 1000 - 1000 * k / 256 - 1), expected) << k;
        EXPECT_EQ(target.At(1, 1000 - 1000 * (k + 1) / 256), expected) << k;
    }
}

TEST(ChartGradientFill, DirectionsPlaceTheColours) {
    const struct {
        TGradientDirection direction;
        TPoint startAt;
        TPoint endAt;
    } cases[] = {
        {gdTopBottom, {10, 39}, {10, 0}},     {gdBottomTop, {10, 0}, {10, 39}},
        {gdLeftRight, {39, 10}, {0, 10}},     {gdRightLeft, {0, 10}, {39, 10}},
        {gdFromCenter, {20, 20}, {0, 0}},     {gdFromTopLeft, {39, 39}, {0, 0}},
        {gdFromBottomLeft, {39, 0}, {0, 39}}, {gdDiagonalUp, {0, 39}, {39, 0}},
        {gdDiagonalDown, {0, 0}, {39, 39}},
    };
    for (const auto& c : cases) {
        BitmapCanvas target(40, 40);
        target.canvas->GradientFill(Rect(0, 0, 40, 40), clRed, clBlue, c.direction, 50);
        const TColor start = target.At(c.startAt.X, c.startAt.Y);
        const TColor end = target.At(c.endAt.X, c.endAt.Y);
        EXPECT_GT(RedOf(start), 200) << c.direction;
        EXPECT_LT(BlueOf(start), 60) << c.direction;
        EXPECT_GT(BlueOf(end), 200) << c.direction;
        EXPECT_LT(RedOf(end), 60) << c.direction;
    }
}

TEST(ChartGradientFill, BalanceBendsTheCurve) {
    EXPECT_EQ(PlotGradientColor(clBlack, clWhite, 50, 100, 50), PlotRGB(127, 127, 127));
    // Balance 51: ((50 + 1) / 101) ^ 1.265 of the way.
    const int g = static_cast<int>(Round(std::pow(51.0 / 101, 1.265) * 255));
    EXPECT_EQ(PlotGradientColor(clBlack, clWhite, 50, 100, 51), PlotRGB(g, g, g));
    EXPECT_LT(g, 110);
    EXPECT_GT(RedOf(PlotGradientColor(clBlack, clWhite, 50, 100, 0)), 175);
}

TEST(ChartGradient, MiddleColourMeetsAtTheSplitLine) {
    BitmapCanvas target(100, 20);
    TPlotGradient gradient;
    gradient.SetDirection(gdLeftRight);
    gradient.SetStartColor(clBlue);
    gradient.SetEndColor(clLime);
    gradient.SetMidColor(clRed);
    gradient.Draw(target.canvas.get(), Rect(0, 0, 100, 20));
    EXPECT_EQ(target.At(0, 10), clLime);
    EXPECT_EQ(target.At(99, 10), clBlue);
    EXPECT_EQ(target.At(49, 10), clRed);
    EXPECT_EQ(target.At(50, 10), clRed);

    BitmapCanvas centred(40, 40);
    gradient.SetDirection(gdFromCenter);
    gradient.Draw(centred.canvas.get(), Rect(0, 0, 40, 40));
    EXPECT_EQ(CountPixels(centred.bitmap.get(), Rect(0, 0, 40, 40), clRed), 0);
}

TEST(ChartGradient, MiddleColourSwitchesFireOnlyOnChange) {
    int changes = 0;
    TPlotGradient gradient([&changes](TObject*) { ++changes; });
    gradient.SetMidColor(clNone);
    EXPECT_EQ(changes, 0);
    gradient.SetMidColor(clRed);
    EXPECT_TRUE(gradient.HasMidColor());
    gradient.SetMidColor(clRed);
    EXPECT_EQ(changes, 1);
    gradient.SetMidColor(clNone);
    EXPECT_FALSE(gradient.HasMidColor());
    EXPECT_EQ(gradient.MidColor(), clNone);
    EXPECT_EQ(changes, 2);
    TPlotGradient copy;
    gradient.SetMidColor(clAqua);
    copy.Assign(&gradient);
    EXPECT_EQ(copy.MidColor(), clAqua);
}

TEST(ChartGradient, MonochromeTurnsLinearAndRadialFillsGrey) {
    BitmapCanvas linear(30, 30);
    linear.canvas->SetMonochrome(true);
    TPlotGradient gradient;
    gradient.SetStartColor(clRed);
    gradient.SetEndColor(clBlue);
    gradient.Draw(linear.canvas.get(), Rect(0, 0, 30, 30));
    EXPECT_TRUE(AllPixels(linear.bitmap.get(), Rect(0, 0, 30, 30), PlotRGB(85, 85, 85)));

    BitmapCanvas radial(30, 30);
    radial.canvas->SetMonochrome(true);
    gradient.SetDirection(gdRadial);
    gradient.Draw(radial.canvas.get(), Rect(0, 0, 30, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const TColor c = radial.At(x, y);
            ASSERT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c)) << x << "," << y;
        }
}

TEST(ChartGradient, RadialFillGoesFromTheEndColourOutsideToTheStartColourInside) {
    BitmapCanvas target(41, 41);
    TPlotGradient gradient;
    gradient.SetDirection(gdRadial);
    gradient.SetStartColor(clRed);
    gradient.SetEndColor(clBlue);
    target.canvas->Pen()->SetStyle(psDash);
    target.canvas->Brush()->SetColor(clGreen);
    gradient.Draw(target.canvas.get(), Rect(0, 0, 41, 41));
    EXPECT_EQ(target.At(0, 0), clBlue);
    const TColor centre = target.At(21, 21);
    EXPECT_GT(RedOf(centre), 220);
    EXPECT_LT(BlueOf(centre), 35);
    EXPECT_EQ(target.canvas->Pen()->Style(), psDash);
    EXPECT_EQ(target.canvas->Brush()->Color(), clGreen);
}

TEST(ChartShadow, NothingToDrawOpensNoBlend) {
    BitmapCanvas target(30, 30);
    TPlotShadow shadow;
    shadow.SetSize(3);
    shadow.SetColor(clNone);
    shadow.SetTransparency(50);
    EXPECT_FALSE(shadow.PrepareCanvas(target.canvas.get(), Rect(5, 5, 20, 20), 0));
    shadow.SetColor(clBlack);
    shadow.SetSize(0);
    EXPECT_FALSE(shadow.PrepareCanvas(target.canvas.get(), Rect(5, 5, 20, 20), 0));
    shadow.Draw(target.canvas.get(), Rect(5, 5, 20, 20));
    EXPECT_TRUE(AllPixels(target.bitmap.get(), Rect(0, 0, 30, 30), clWhite));
}

TEST(ChartShadow, SmoothShadowFadesInSteps) {
    BitmapCanvas target(40, 40);
    TPlotShadow shadow;
    shadow.SetColor(clSilver);
    shadow.SetSize(4);
    shadow.Draw(target.canvas.get(), Rect(5, 5, 25, 25));
    // Bottom band rows 25..28: silver brightened by round(63 / 4) = 16 per line.
    EXPECT_EQ(target.At(15, 25), clSilver);
    EXPECT_EQ(target.At(15, 26), PlotRGB(208, 208, 208));
    EXPECT_EQ(target.At(15, 27), PlotRGB(224, 224, 224));
    EXPECT_EQ(target.At(26, 15), PlotRGB(208, 208, 208));
    EXPECT_EQ(target.At(15, 24), clWhite);
}

TEST(ChartShadow, FlatShadowsAndNegativeOffsets) {
    BitmapCanvas flat(40, 40);
    flat.canvas->FrontPlaneBegin();
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetSize(1);  // too small to fade
    shadow.Draw(flat.canvas.get(), Rect(5, 5, 25, 25));
    EXPECT_EQ(flat.At(15, 25), clBlack);
    EXPECT_EQ(flat.At(25, 15), clBlack);
    EXPECT_EQ(flat.At(15, 26), clWhite);

    BitmapCanvas up(40, 40);
    shadow.SetHorizSize(3);
    shadow.SetVertSize(-3);
    shadow.Draw(up.canvas.get(), Rect(5, 10, 25, 30));
    EXPECT_EQ(CountPixels(up.bitmap.get(), Rect(0, 30, 40, 40), clBlack), 0);
    EXPECT_GT(CountPixels(up.bitmap.get(), Rect(25, 0, 40, 40), clBlack), 0);
}

TEST(ChartShadow, TransparentShadowMixesWithTheBackground) {
    BitmapCanvas target(40, 40);
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetSmooth(false);
    shadow.SetSize(5);
    shadow.SetTransparency(50);
    target.canvas->FrontPlaneBegin();
    shadow.Draw(target.canvas.get(), Rect(5, 5, 25, 25));
    const TColor mixed = target.At(15, 27);
    EXPECT_NEAR(RedOf(mixed), 128, 2);
    EXPECT_EQ(RedOf(mixed), BlueOf(mixed));
}

}  // namespace
