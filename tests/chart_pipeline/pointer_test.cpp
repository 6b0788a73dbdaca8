// Series pointer and callout: the symbol of every style, flat and in depth, with transparency and
// gradient, the size checks, the margins it asks of the axes, and the callout's line or arrow.
#include <gtest/gtest.h>

#include "PlotMarks.h"
#include "Plotconst.h"
#include "chart_test_support.h"

namespace {

class PointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->SetInternalCanvas(canvas);
        canvas->SetUseBuffer(false);
        canvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false, Rect(0, 0, 200, 100));
        panel->AddSeries(series);
        series->SetSeriesColor(clBlue);
    }
    CallLog Draw(TSeriesPointerStyle style, bool is3D = false) {
        log.clear();
        pointer->PrepareCanvas(canvas, clBlue);
        pointer->DrawPointer(canvas, is3D, 100, 50, pointer->HorizSize(), pointer->VertSize(),
                             clBlue, style);
        return log;
    }
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(200, 100, clWhite);
    CallLog log;
    CallLogCanvas* canvas = new CallLogCanvas(&log);
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
    TSeriesPointer* pointer = series->Pointer;
};

TEST_F(PointerTest, EveryStyleDrawsItsShape) {
    const struct {
        TSeriesPointerStyle style;
        CallLog calls;
    } cases[] = {
        {psRectangle, {CallText("Rectangle", {96, 46, 105, 55})}},
        {psCircle, {CallText("Ellipse", {96, 46, 104, 54})}},
        {psTriangle, {"Polygon(96,54,104,54,100,46)"}},
        {psDownTriangle, {"Polygon(96,46,104,46,100,54)"}},
        {psCross, {CallText("Line", {100, 46, 100, 55}), CallText("Line", {96, 50, 105, 50})}},
        {psDiagCross, {CallText("Line", {96, 46, 105, 55}), CallText("Line", {104, 46, 95, 55})}},
        {psStar,
         {CallText("Line", {100, 46, 100, 55}), CallText("Line", {96, 50, 105, 50}),
          CallText("Line", {96, 46, 105, 55}), CallText("Line", {104, 46, 95, 55})}},
        {psDiamond, {"Polygon(96,50,100,46,104,50,100,54)"}},
        {psSmallDot, {CallText("SetPixel", {100, 50})}},
        {psNothing, {}},
        {psLeftTriangle, {"Polygon(96,50,104,54,104,46)"}},
        {psRightTriangle, {"Polygon(104,50,96,54,96,46)"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Draw(c.style), c.calls) << c.style;
}

TEST_F(PointerTest, DefaultSymbolIsNinePixelsWideAndFilled) {
    pointer->SetColor(clDefault);
    Draw(psRectangle);
    EXPECT_EQ(PixelOf(bitmap.get(), 100, 50), clBlue);
    EXPECT_EQ(PixelOf(bitmap.get(), 96, 50), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 104, 50), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), 105, 50), clWhite);
}

TEST_F(PointerTest, InDepthSolidsAndPlanes) {
    series->StartZ = 10;
    series->EndZ = 20;
    EXPECT_EQ(Draw(psRectangle, true), (CallLog{CallText("Cube", {96, 104, 46, 54, 10, 20})}));
    pointer->SetDraw3D(false);
    EXPECT_EQ(Draw(psRectangle, true),
              (CallLog{CallText("RectangleWithZ", {96, 46, 105, 55, 10})}));
    EXPECT_EQ(Draw(psCircle, true), (CallLog{CallText("EllipseWithZ", {96, 46, 104, 54, 10})}));
    EXPECT_EQ(Draw(psDiamond, true), (CallLog{"PolygonWithZ(96,50,100,46,104,50,100,54,10)"}));
}

TEST_F(PointerTest, TransparentSymbolsBlendEvenWhenNothingIsDrawn) {
    pointer->SetTransparency(50);
    const TRect r = canvas->RectFromRectZ(Rect(96, 46, 105, 55), 0);
    EXPECT_EQ(Draw(psNothing),
              (CallLog{CallText("BeginBlending", {r.Left, r.Top, r.Right, r.Bottom, 50}),
                       "EndBlending()"}));
    const CallLog rectangle = Draw(psRectangle);
    ASSERT_EQ(rectangle.size(), 3u);
    EXPECT_EQ(rectangle[1], CallText("Rectangle", {96, 46, 105, 55}));
}

TEST_F(PointerTest, GradientIsClippedToTheShape) {
    pointer->Gradient()->SetVisible(true);
    pointer->Gradient()->SetStartColor(clRed);
    const CallLog calls = Draw(psRectangle);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], CallText("Rectangle", {96, 46, 105, 55}));
    EXPECT_EQ(calls[1], CallText("ClipRectangle", {97, 47, 104, 54}));
    EXPECT_EQ(calls.back(), "UnClipRectangle()");
    EXPECT_EQ(pointer->Gradient()->EndColor(), clBlue);
    EXPECT_EQ(Draw(psNothing), CallLog{});
    EXPECT_EQ(Draw(psCross).size(), 2u);
}

TEST_F(PointerTest, SizesMustBePositive) {
    try {
        pointer->SetHorizSize(0);
        ADD_FAILURE();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), Plotconst::PlotMsg_CheckPointerSize);
    }
    EXPECT_THROW(pointer->SetVertSize(-1), ChartException);
    EXPECT_EQ(pointer->HorizSize(), 4);
    EXPECT_EQ(pointer->VertSize(), 4);
    pointer->ChangeHorizSize(0);
    EXPECT_EQ(pointer->HorizSize(), 0);
    pointer->SetSize(6);
    EXPECT_EQ(pointer->GetSize(), 6);
}

TEST_F(PointerTest, MarginsAskForTheHalfSizeAndOne) {
    int left = 2, right = 9, top = 0, bottom = 0;
    pointer->SetVisible(true);
    pointer->CalcHorizMargins(left, right);
    pointer->CalcVerticalMargins(top, bottom);
    EXPECT_EQ(left, 5);
    EXPECT_EQ(right, 9);
    EXPECT_EQ(top, 5);
    EXPECT_EQ(bottom, 5);
    int l = 0, r = 0;
    pointer->SetInflate(false);
    pointer->CalcHorizMargins(l, r);
    EXPECT_EQ(l, 0);
    pointer->SetInflate(true);
    pointer->SetVisible(false);
    pointer->CalcHorizMargins(l, r);
    EXPECT_EQ(r, 0);
}

TEST_F(PointerTest, CalloutDrawsItsLineThenItsSymbolUnlessItHasAHead) {
    TCallout callout(series);
    callout.SetParent(panel.get());
    log.clear();
    callout.Draw(clRed, TPoint(20, 30), TPoint(60, 10), 0);
    EXPECT_EQ(log, (CallLog{CallText("Line", {20, 30, 60, 10}),
                            CallText("Rectangle", {16, 26, 25, 35})}));
    callout.SetArrowHead(ahSolid);
    log.clear();
    callout.Draw(clRed, TPoint(20, 30), TPoint(60, 10), 0);
    EXPECT_TRUE(CallsStartingWith(log, "Rectangle").empty());
    EXPECT_FALSE(callout.Draw3D());
    EXPECT_EQ(callout.GetColor(), clBlack);
    TMarksCallout marksCallout(series);
    EXPECT_FALSE(marksCallout.Visible());
    EXPECT_EQ(marksCallout.Arrow()->Color(), clWhite);
    EXPECT_EQ(marksCallout.Length(), 8);
    EXPECT_FALSE(marksCallout.IsLengthStored());
}

}  // namespace
