// Texts of the chart canvas (shadows, outlines, turned text) and the 3-D solids' faces and
// shading, checked on the pixels they leave.
#include <gtest/gtest.h>

#include "PlotFont.h"
#include "PlotView3D.h"
#include "chart_test_support.h"

namespace {

// The bounding box of the pixels of the colour; empty when there are none.
TRect BoxOf(TBitmap* bitmap, TColor color) {
    TRect box{bitmap->Width(), bitmap->Height(), -1, -1};
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            if (PixelOf(bitmap, x, y) == color) {
                box.Left = Min(box.Left, x);
                box.Top = Min(box.Top, y);
                box.Right = Max(box.Right, x + 1);
                box.Bottom = Max(box.Bottom, y + 1);
            }
    return box;
}

struct TextCanvas : BitmapCanvas {
    TextCanvas() : BitmapCanvas(120, 60) {
        font.SetColor(clBlue);
        font.SetSize(14);
        font.SetName("Arial");
        canvas->SetBackMode(cbmTransparent);
    }
    TPlotFont font;
};

TEST(ChartText, ShadowGoesBesideTheTextAndANegativeOffsetMovesTheText) {
    TextCanvas plain, shadowed;
    plain.canvas->AssignFont(&plain.font);
    plain.canvas->TextOut(20, 10, "Rn");
    const TRect text = BoxOf(plain.bitmap.get(), clBlue);
    ASSERT_GT(text.Right, text.Left);

    shadowed.font.GetShadow()->SetHorizSize(-2);
    shadowed.font.GetShadow()->SetVertSize(3);
    shadowed.font.GetShadow()->SetColor(clRed);
    shadowed.canvas->AssignFont(&shadowed.font);
    shadowed.canvas->TextOut(20, 10, "Rn");
    // The text moves right by 2; its shadow stays at x and goes down by 3.
    const TRect moved = BoxOf(shadowed.bitmap.get(), clBlue);
    EXPECT_EQ(moved.Left, text.Left + 2);
    EXPECT_EQ(moved.Top, text.Top);
    const TRect shadow = BoxOf(shadowed.bitmap.get(), clRed);
    EXPECT_EQ(shadow.Left, text.Left);
    EXPECT_EQ(shadow.Top, text.Top + 3);
}

TEST(ChartText, OutlineOfATextWithoutColourDrawsOnlyTheOutline) {
    TextCanvas filled, outlined;
    filled.canvas->AssignFont(&filled.font);
    filled.canvas->TextOut(10, 10, "O");
    outlined.font.SetColor(clNone);
    outlined.font.GetOutLine()->Show();
    outlined.font.GetOutLine()->SetColor(clRed);
    outlined.canvas->AssignFont(&outlined.font);
    outlined.canvas->TextOut(10, 10, "O");
    const TRect box = BoxOf(outlined.bitmap.get(), clRed);
    ASSERT_GT(box.Right, box.Left);
    // The letter's inside stays white: only strokes were drawn.
    EXPECT_EQ(
        PixelOf(outlined.bitmap.get(), (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2),
        clWhite);
    EXPECT_EQ(CountPixels(outlined.bitmap.get(), Rect(0, 0, 120, 60), clBlue), 0);
}

TEST(ChartText, GradientFillsTheLetters) {
    TextCanvas target;
    TPlotFontGradient* gradient = target.font.GetGradient();
    gradient->SetVisible(true);
    gradient->SetStartColor(clRed);
    gradient->SetEndColor(clRed);
    target.canvas->AssignFont(&target.font);
    target.canvas->TextOut(10, 10, "WW");
    EXPECT_GT(CountPixels(target.bitmap.get(), Rect(0, 0, 120, 60), clRed), 20);
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 0, 120, 60), clBlue), 0);
    // The clip of the letters is gone afterwards.
    target.canvas->Brush()->SetColor(clGreen);
    target.canvas->FillRect(Rect(0, 0, 120, 60));
    EXPECT_TRUE(AllPixels(target.bitmap.get(), Rect(0, 0, 120, 60), clGreen));
}

TEST(ChartText, TurnedTextStandsUpright) {
    TextCanvas flat, turned;
    flat.canvas->AssignFont(&flat.font);
    flat.canvas->TextOut(30, 30, "Radon");
    turned.canvas->AssignFont(&turned.font);
    turned.canvas->RotateLabel(30, 55, "Radon", 450);  // 450 is 90 degrees
    const TRect wide = BoxOf(flat.bitmap.get(), clBlue), tall = BoxOf(turned.bitmap.get(), clBlue);
    EXPECT_GT(wide.Width(), wide.Height());
    EXPECT_GT(tall.Height(), tall.Width());
    EXPECT_EQ(turned.canvas->Brush()->Style(), bsClear);
}

TEST(ChartSolids, FlatCubeIsItsFrontRectangleAndKeepsTheBrush) {
    BitmapCanvas target(60, 60);
    target.canvas->Brush()->SetColor(clRed);
    target.canvas->Pen()->SetStyle(psClear);
    target.canvas->Cube(10, 40, 10, 40, 0, 20, true);
    EXPECT_EQ(target.canvas->Brush()->Color(), clRed);
    EXPECT_EQ(target.At(20, 20), clRed);
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 0, 60, 60), clRed), 30 * 30);
}

TEST(ChartSolids, ObliqueCubeShowsFrontRightAndTopShaded) {
    auto bitmap = FilledBitmap(100, 100, clWhite);
    TView3DOptions options(nullptr);
    TPlotCanvas3D canvas;
    canvas.SetUseBuffer(false);
    canvas.InitWindow(bitmap->Canvas(), &options, clWhite, true, Rect(0, 0, 100, 100));
    canvas.Projection(0, Rect(0, 0, 100, 100), Rect(0, 0, 100, 100));
    canvas.Pen()->SetStyle(psClear);
    canvas.Brush()->SetColor(PlotRGB(200, 200, 200));
    canvas.Cube(20, 60, 40, 80, 0, 20, true);
    EXPECT_EQ(PixelOf(bitmap.get(), 40, 60), PlotRGB(200, 200, 200));  // front
    EXPECT_EQ(PixelOf(bitmap.get(), 70, 50), PlotRGB(72, 72, 72));     // right, darker by 128
    EXPECT_EQ(PixelOf(bitmap.get(), 50, 30), PlotRGB(136, 136, 136));  // top, darker by 64
    EXPECT_EQ(PixelOf(bitmap.get(), 10, 60), clWhite);
}

TEST(ChartSolids, ArrowsPyramidsAndPiesDrawInsideTheirBoxes) {
    BitmapCanvas target(100, 100);
    TPlotCanvas3D& canvas = *target.canvas;
    canvas.Brush()->SetColor(clRed);
    canvas.Pen()->SetColor(clRed);
    canvas.Arrow(true, Point(10, 10), Point(10, 10), 8, 8, 0);
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 0, 100, 100), clRed), 0);
    canvas.Arrow(true, Point(10, 50), Point(90, 50), 12, 10, 0);
    EXPECT_EQ(target.At(50, 50), clRed);
    EXPECT_EQ(target.At(88, 50), clRed);
    EXPECT_EQ(target.At(50, 45), clWhite);
    EXPECT_EQ(target.At(82, 46), clRed);  // inside the head

    BitmapCanvas pyramid(100, 100);
    pyramid.canvas->Brush()->SetColor(clBlue);
    pyramid.canvas->Pen()->SetColor(clBlue);
    pyramid.canvas->Pyramid(true, 20, 20, 80, 80, 0, 10, false);
    EXPECT_EQ(pyramid.At(50, 70), clBlue);
    EXPECT_EQ(pyramid.At(25, 25), clWhite);

    BitmapCanvas donut(100, 100);
    donut.canvas->Brush()->SetColor(clGreen);
    donut.canvas->Pen()->SetColor(clGreen);
    donut.canvas->Donut(50, 50, 40, 40, 0, 3.14159265358979 / 2, 50);
    EXPECT_EQ(donut.At(75, 35), clGreen);  // inside the ring's quarter
    EXPECT_EQ(donut.At(55, 45), clWhite);  // the hole
    EXPECT_EQ(donut.At(30, 70), clWhite);  // another quarter
}

}  // namespace
