// The drag-marks, mark-tips and nearest-point tools driven by mouse messages through the
// chart's window, and the nearest point's search and highlight drawn into bitmaps.
#include <gtest/gtest.h>

#include "DragMarksTool.h"
#include "MarksTipTool.h"
#include "NearestTool.h"
#include "PlotMarks.h"
#include "chart_fixture.h"
#include "chart_test_support.h"
#include "cl_forms.h"

namespace {

void MoveMouse(AppChart& app, TPoint at, WPARAM keys = 0) {
    SendMessageA(app.Window(), WM_MOUSEMOVE, keys, MAKELPARAM(at.X, at.Y));
}

TPoint PointPixel(TChartSeries* series, int index) {
    return TPoint(series->CalcXPos(index), series->CalcYPos(index));
}

// ---------------------------------------------------------------------------------------------
// Drag marks

TEST(DragMarks, DraggedMarkMovesByTheMouseAndStaysWhenTheValueChanges) {
    AppChart app;
    TLineSeries* series = app.lines[0];
    series->Marks()->SetVisible(true);
    (new TDragMarksTool(app.owner))->SetParentChart(app.chart);
    app.Paint();
    TSeriesMarkPosition* record = series->Marks()->Positions().Get(20);
    ASSERT_NE(record, nullptr);
    const TRect box = record->Bounds();
    const TPoint from((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    const int index = series->Marks()->Clicked(from.X, from.Y);
    ASSERT_GE(index, 0);
    TSeriesMarkPosition* dragged = series->Marks()->Positions().Get(index);
    const TPoint origin = dragged->BoxOrigin, arrowEnd = dragged->MarkPoint;
    const TPoint arrowStart = dragged->DataPoint;
    app.Drag(mbLeft, from, TPoint(from.X + 40, from.Y + 24));
    dragged = series->Marks()->Positions().Get(index);
    EXPECT_TRUE(dragged->IsCustom);
    EXPECT_EQ(dragged->BoxOrigin.X, origin.X + 40);
    EXPECT_EQ(dragged->BoxOrigin.Y, origin.Y + 24);
    EXPECT_EQ(dragged->MarkPoint.X, arrowEnd.X + 40);
    EXPECT_EQ(dragged->DataPoint.X, arrowStart.X);
    series->SetYValue(index, series->YValues->GetValue(index) + 20);
    app.Paint();
    EXPECT_EQ(series->Marks()->Positions().Get(index)->BoxOrigin.Y, origin.Y + 24);
}

// ---------------------------------------------------------------------------------------------
// Mark tips

TEST(MarksTip, HintShowsTheMarkTextAndAnotherTipToolKeepsIt) {
    AppChart app;
    TLineSeries* series = app.lines[0];
    series->SetXLabel(12, "Peak");
    auto* tips = new TMarksTipTool(app.owner);
    tips->SetParentChart(app.chart);
    auto* other = new TMarksTipTool(app.owner);
    other->SetSeries(app.points);
    other->SetParentChart(app.chart);
    AnsiString seen;
    tips->OnGetText = [&](TObject*, AnsiString& text) {
        seen = text;
        text = "Radon: " + text;
    };
    MoveMouse(app, PointPixel(series, 12));
    EXPECT_STREQ(seen.c_str(), "Peak");
    EXPECT_STREQ(app.chart->Hint().c_str(), "Radon: Peak");
    EXPECT_EQ(series->Marks()->Style(), smsLabel);
    MoveMouse(app, TPoint(app.chart->ChartRect.Left + 2, app.chart->ChartRect.Top + 2));
    EXPECT_STREQ(app.chart->Hint().c_str(), "Radon: Peak");
    other->Free();
    MoveMouse(app, TPoint(app.chart->ChartRect.Left + 2, app.chart->ChartRect.Top + 2));
    EXPECT_TRUE(app.chart->Hint().IsEmpty());
}

TEST(MarksTip, DelayIsTheApplicationsHintPause) {
    AppChart app;
    auto* tips = new TMarksTipTool(app.owner);
    const int saved = Application->HintPause();
    tips->SetMouseDelay(123);
    EXPECT_EQ(Application->HintPause(), 123);
    EXPECT_EQ(TOwnedPtr<TMarksTipTool>(new TMarksTipTool(nullptr))->MouseDelay(), 123);
    Application->SetHintPause(saved);
}

// ---------------------------------------------------------------------------------------------
// Nearest point

TEST(NearestPoint, SearchTable) {
    AppChart app;
    TLineSeries* series = app.lines[0];
    const TPoint p = PointPixel(series, 10);
    struct Case {
        const char* name;
        TPoint mouse;
        int expected;
    } cases[] = {
        {"on the point", p, 10},
        {"beside the point", TPoint(p.X + 2, p.Y - 1), 10},
        {"10000 pixels below the plot", TPoint(p.X, app.chart->ChartRect.Bottom + 10000), -1},
        {"far away", TPoint(-30000, -30000), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TNearestTool::GetNearestPoint(series, c.mouse.X, c.mouse.Y), c.expected)
            << c.name;
    EXPECT_EQ(TNearestTool::GetNearestPoint(nullptr, p.X, p.Y), -1);
    series->SetNull(10);
    EXPECT_NE(TNearestTool::GetNearestPoint(series, p.X, p.Y), 10);
    EXPECT_EQ(TNearestTool::GetNearestPoint(series, p.X, p.Y, true), 10);
}

TEST(NearestPoint, APointScrolledOutOfThePlotIsNeverNearest) {
    AppChart app;
    TLineSeries* series = app.lines[0];
    TChartAxis* axis = app.chart->BottomAxis;
    axis->SetMinMax(series->XValues->GetValue(20), series->XValues->GetValue(40));
    app.Paint();
    const TPoint left = PointPixel(series, 5);
    ASSERT_LT(left.X, app.chart->ChartRect.Left);
    EXPECT_EQ(TNearestTool::GetNearestPoint(series, left.X, left.Y),
              TNearestTool::GetNearestPoint(series, app.chart->ChartRect.Left, left.Y));
    EXPECT_GE(TNearestTool::GetNearestPoint(series, left.X, left.Y), 20);
}

TEST(NearestPoint, MouseMovesPickThePointAndLeavingForgetsIt) {
    AppChart app;
    auto* tool = new TNearestTool(app.owner);
    tool->SetSeries(app.lines[0]);
    tool->SetParentChart(app.chart);
    int changes = 0;
    tool->OnChange = [&](TObject*) { ++changes; };
    const TPoint p = PointPixel(app.lines[0], 30);
    MoveMouse(app, TPoint(p.X + 3, p.Y + 3));
    EXPECT_EQ(tool->Point(), 30);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(app.chart->MouseHandled);
    SendMessageA(app.Window(), CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(tool->Point(), -1);
}

// A chart of 20 points whose nearest-point tool has a solid red square.
struct HighlightChart : BitmapChart {
    HighlightChart() {
        series = new TLineSeries(owner);
        series->SetSeriesColor(clBlack);
        for (int i = 0; i < 20; ++i) series->AddXY(i, i % 5);
        chart->AddSeries(series);
        tool = new TNearestTool(owner);
        tool->SetSeries(series);
        tool->SetParentChart(chart);
        tool->SetStyle(hsRectangle);
        tool->SetSize(6);
        tool->Brush()->SetStyle(bsSolid);
        tool->Brush()->SetColor(clRed);
        tool->SetDrawLine(false);
        Render();
    }
    int Red() {
        Render();
        return CountPixels(bitmap.get(), Rect(0, 0, bitmap->Width(), bitmap->Height()), clRed);
    }
    TLineSeries* series;
    TNearestTool* tool;
};

TEST(NearestPoint, HighlightOnlyForAPointTheSeriesHas) {
    HighlightChart app;
    EXPECT_EQ(app.Red(), 0);
    const TPoint p = PointPixel(app.series, 7);
    app.tool->ChartMouseEvent(cmeMove, mbLeft, {}, p.X, p.Y);
    ASSERT_EQ(app.tool->Point(), 7);
    EXPECT_GT(app.Red(), 50);
    EXPECT_EQ(PixelOf(app.bitmap.get(), p.X + 4, p.Y + 4), clRed);
    app.series->Delete(5, 15);
    EXPECT_EQ(app.Red(), 0);
    app.series->Clear();
    EXPECT_EQ(app.Red(), 0);
    app.tool->ChartMouseEvent(cmeMove, mbLeft, {}, p.X, p.Y);
    EXPECT_EQ(app.tool->Point(), -1);
    EXPECT_EQ(app.Red(), 0);
}

}  // namespace
