// Chart pens, brushes and view options, and how the canvas selects them on the device: hidden
// pens, geometric pens with caps, small dots, monochrome, transparent backgrounds, frames.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotFont.h"
#include "PlotView3D.h"
#include "chart_test_support.h"

namespace {

DWORD PenStyleOf(HPEN pen) {
    EXTLOGPEN ext{};
    GetObjectA(pen, sizeof(ext), &ext);
    return ext.elpPenStyle;
}

TEST(ChartPens, SettersFireOnlyOnRealChanges) {
    int changes = 0;
    TChartPen pen([&changes](TObject*) { ++changes; });
    pen.SetVisible(true);
    pen.SetSmallDots(false);
    pen.SetEndStyle(esRound);
    EXPECT_EQ(changes, 0);
    pen.Hide();
    pen.SetSmallDots(true);
    pen.SetEndStyle(esSquare);
    EXPECT_EQ(changes, 3);
    TChartPen copy;
    copy.Assign(&pen);
    EXPECT_FALSE(copy.Visible());
    EXPECT_TRUE(copy.SmallDots());
    EXPECT_EQ(copy.EndStyle(), esSquare);
    TChartHiddenPen hidden;
    EXPECT_FALSE(hidden.Visible());
    EXPECT_FALSE(hidden.IsVisibleStored());
    EXPECT_EQ(TDottedGrayPen().Style(), psDot);
    EXPECT_EQ(TWhitePen().Color(), clWhite);
}

TEST(ChartPens, AnInvisiblePenOnlyClearsTheDevicePen) {
    BitmapCanvas target(20, 20);
    TPlotCanvas3D& canvas = *target.canvas;
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(4);
    TChartPen pen;
    pen.SetColor(clBlue);
    pen.Hide();
    canvas.AssignVisiblePen(&pen);
    EXPECT_EQ(canvas.Pen()->Style(), psClear);
    EXPECT_EQ(canvas.Pen()->Color(), clRed);
    EXPECT_EQ(canvas.Pen()->Width(), 4);
}

TEST(ChartPens, WidePensAreGeometricWithTheirCaps) {
    BitmapCanvas target(20, 20);
    TPlotCanvas3D& canvas = *target.canvas;
    TChartPen pen;
    pen.SetWidth(3);
    pen.SetEndStyle(esFlat);
    canvas.AssignVisiblePenColor(&pen, clGreen);
    HPEN handle = canvas.Pen()->Handle();
    ASSERT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_EXTPEN));
    const DWORD style = PenStyleOf(handle);
    EXPECT_EQ(style & PS_TYPE_MASK, static_cast<DWORD>(PS_GEOMETRIC));
    EXPECT_EQ(style & PS_ENDCAP_MASK, static_cast<DWORD>(PS_ENDCAP_FLAT));
    EXPECT_EQ(style & PS_JOIN_MASK, static_cast<DWORD>(PS_JOIN_MITER));

    TChartPen thin;
    canvas.AssignVisiblePenColor(&thin, clGreen);
    EXPECT_EQ(GetObjectType(canvas.Pen()->Handle()), static_cast<DWORD>(OBJ_PEN));

    TChartPen dots;
    dots.SetWidth(5);
    dots.SetSmallDots(true);
    canvas.AssignVisiblePenColor(&dots, clGreen);
    EXPECT_EQ(PenStyleOf(canvas.Pen()->Handle()) & PS_STYLE_MASK, static_cast<DWORD>(PS_ALTERNATE));
    canvas.Line(0, 5, 20, 5);
    // Every other pixel of the line.
    EXPECT_EQ(CountPixels(target.bitmap.get(), Rect(0, 5, 20, 6), clGreen), 10);
}

TEST(ChartPens, WidthRuleMakesCosmeticDashes) {
    BitmapCanvas target(10, 10);
    PlotCheckPenWidth = true;
    TPen dashed;
    dashed.SetStyle(psDash);
    target.canvas->AssignVisiblePen(&dashed);
    PlotCheckPenWidth = false;
    EXPECT_EQ(target.canvas->Pen()->Width(), 0);
}

TEST(ChartPens, MonochromeMakesBrushesWhiteAndPensAndFontsBlack) {
    BitmapCanvas target(10, 10);
    TPlotCanvas3D& canvas = *target.canvas;
    canvas.SetMonochrome(true);
    TChartBrush brush;
    canvas.AssignBrush(&brush, clRed);
    EXPECT_EQ(canvas.Brush()->Color(), clWhite);
    TChartPen pen;
    canvas.AssignVisiblePenColor(&pen, clRed);
    EXPECT_EQ(canvas.Pen()->Color(), clBlack);
    TPlotFont font;
    font.SetColor(clRed);
    canvas.AssignFont(&font);
    EXPECT_EQ(canvas.Font()->Color(), clBlack);
    EXPECT_EQ(canvas.LastFont, &font);
    EXPECT_EQ(font.SelectingCanvas, &canvas);
}

TEST(ChartPens, BackColourNoneMakesATransparentBackground) {
    BitmapCanvas target(10, 10);
    TPlotCanvas3D& canvas = *target.canvas;
    TChartBrush brush;
    brush.SetStyle(bsCross);
    canvas.AssignBrushColor(&brush, clRed, clNone);
    EXPECT_EQ(canvas.GetBackMode(), cbmTransparent);
    EXPECT_EQ(canvas.Brush()->Style(), bsCross);
    EXPECT_EQ(canvas.Brush()->Color(), clRed);
    canvas.AssignBrushColor(&brush, clRed, clBlue);
    EXPECT_EQ(canvas.GetBackMode(), cbmOpaque);
    EXPECT_EQ(canvas.GetBackColor(), clBlue);
}

TEST(ChartPens, BrushImageIsMadeOnReadAndFreedOnClear) {
    int changes = 0;
    TChartBrush brush([&changes](TObject*) { ++changes; });
    EXPECT_EQ(brush.Color(), clDefault);
    EXPECT_EQ(brush.ImageIfAny(), nullptr);
    brush.GetImage()->SetBitmap(FilledBitmap(2, 2, clRed).get());
    EXPECT_GT(changes, 0);
    TChartBrush copy;
    copy.Assign(&brush);
    ASSERT_NE(copy.ImageIfAny(), nullptr);
    EXPECT_EQ(copy.ImageIfAny()->Width(), 2);
    brush.Clear();
    EXPECT_EQ(brush.ImageIfAny(), nullptr);
    EXPECT_EQ(brush.Style(), bsClear);
}

TEST(ChartViewOptions, ZoomEventComesBeforeTheNewZoomIsStored) {
    TView3DOptions options(nullptr);
    int seenZoom = 0, storedThen = 0, events = 0;
    options.OnChangedZoom = [&](int zoom) {
        ++events;
        seenZoom = zoom;
        storedThen = options.Zoom();
    };
    options.SetZoom(100);
    EXPECT_EQ(events, 0);
    options.SetZoom(150);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(seenZoom, 150);
    EXPECT_EQ(storedThen, 100);
    EXPECT_EQ(options.Zoom(), 150);
    std::vector<bool> scrolled;
    options.OnScrolled = [&](bool horizontal) { scrolled.push_back(horizontal); };
    options.SetHorizOffset(5);
    options.SetVertOffset(0);
    options.SetVertOffset(3);
    EXPECT_EQ(scrolled, (std::vector<bool>{true, false}));
}

TEST(ChartViewOptions, OrthoRatioFoldsObtuseAngles) {
    TView3DOptions options(nullptr);
    options.SetOrthoAngle(135);
    EXPECT_NEAR(options.CalcOrthoRatio(), 1.0, 1e-12);
    options.SetOrthoAngle(60);
    EXPECT_NEAR(options.CalcOrthoRatio(), std::sqrt(3.0), 1e-12);
    options.SetOrthogonal(false);
    EXPECT_EQ(options.CalcOrthoRatio(), 1.0);
    TView3DOptions copy(nullptr);
    copy.Assign(&options);
    EXPECT_FALSE(copy.Orthogonal());
    EXPECT_EQ(copy.OrthoAngle(), 60);
    EXPECT_EQ(copy.Zoom(), 100);
}

TEST(ChartCanvas, FrontPlaneNests) {
    BitmapCanvas target(10, 10);
    TPlotCanvas3D& canvas = *target.canvas;
    canvas.Is3DActive = true;
    canvas.FrontPlaneBegin();
    canvas.FrontPlaneBegin();
    canvas.FrontPlaneEnd();
    EXPECT_FALSE(canvas.Is3DActive);
    canvas.FrontPlaneEnd();
    EXPECT_TRUE(canvas.Is3DActive);
}

TEST(ChartCanvas, Frame3DPaintsNestedFramesAndShrinksTheRectangle) {
    BitmapCanvas target(12, 12);
    TRect r(0, 0, 10, 10);
    target.canvas->Frame3D(r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(target.At(0, 0), clRed);
    EXPECT_EQ(target.At(1, 1), clRed);
    EXPECT_EQ(target.At(9, 9), clBlue);
    EXPECT_EQ(target.At(8, 8), clBlue);
    EXPECT_EQ(target.At(9, 0), clBlue);
    EXPECT_EQ(target.At(5, 5), clWhite);
    EXPECT_EQ(target.At(10, 10), clWhite);
}

TEST(ChartCanvas, TextSizeCountsTheFontShadow) {
    BitmapCanvas target(50, 50);
    TPlotCanvas3D& canvas = *target.canvas;
    TPlotFont font;
    canvas.AssignFont(&font);
    const int plainWidth = canvas.TextWidth("Radon"), plainHeight = canvas.TextHeight("Radon");
    font.GetShadow()->SetHorizSize(-3);
    font.GetShadow()->SetVertSize(2);
    canvas.AssignFont(&font);
    EXPECT_EQ(canvas.TextWidth("Radon"), plainWidth + 3);
    EXPECT_EQ(canvas.TextHeight("Radon"), plainHeight + 2);
    EXPECT_EQ(canvas.GetFontHeight(), canvas.TextHeight("W"));
}

}  // namespace
