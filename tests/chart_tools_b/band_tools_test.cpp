// The colour band and grid band tools: the band's rectangle and pixels, resizing and clicking
// it with the mouse, and the stripes between an axis' ticks.
#include <gtest/gtest.h>

#include "ColorBandTool.h"
#include "GridBandTool.h"
#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

// A 2-D chart of one line from (0, 0) to (10, 100).
struct LineChart : BitmapChart {
    LineChart() {
        series = new TLineSeries(owner);
        series->SetSeriesColor(clBlack);
        series->AddXY(0, 0);
        series->AddXY(10, 100);
        chart->AddSeries(series);
    }
    void Draw() {
        Render();
        Render();
    }
    TColor At(int x, int y) { return PixelOf(bitmap.get(), x, y); }
    int Count(TColor color) {
        return CountPixels(bitmap.get(), Rect(0, 0, bitmap->Width(), bitmap->Height()), color);
    }
    TLineSeries* series;
};

TColorBandTool* NewBand(TComponent* owner, TChartAxis* axis, double start, double end) {
    auto* band = new TColorBandTool(owner);
    band->SetAxis(axis);
    band->SetColor(clRed);
    band->SetStartValue(start);
    band->SetEndValue(end);
    return band;
}

struct BandCase {
    double start, end;
    bool shown;
};

TEST(ColorBand, BottomAxisBandsInOrderEitherWayOrNotAtAllOutsideTheRange) {
    const BandCase cases[] = {{2, 4, true}, {4, 2, true}, {20, 30, false}, {-9, -5, false}};
    for (const BandCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        LineChart app;
        TChartAxis* axis = app.chart->BottomAxis;
        TColorBandTool* band = NewBand(app.owner, axis, c.start, c.end);
        app.Draw();
        const TRect r = band->BoundsRect();
        const int y = app.chart->ChartRect.Top + 5;
        if (c.shown) {
            EXPECT_EQ(r.Left, axis->CalcPosValue(2));
            EXPECT_EQ(r.Right, axis->CalcPosValue(4) + 1);
            EXPECT_EQ(r.Top, app.chart->ChartRect.Top);
            const int x = (r.Left + r.Right) / 2;
            EXPECT_EQ(app.At(x, y), clRed);
            EXPECT_EQ(app.At(r.Left - 3, y), clWhite);
            EXPECT_TRUE(band->Clicked(x, y));
        } else {
            EXPECT_TRUE(r.Width() <= 0 || r.Height() <= 0);
            EXPECT_EQ(app.Count(clRed), 0);
            EXPECT_FALSE(band->Clicked(app.chart->ChartRectCenterX, y));
        }
    }
}

TEST(ColorBand, LeftAxisBandWithAndWithoutOutline) {
    for (bool pen : {true, false}) {
        LineChart app;
        TChartAxis* axis = app.chart->LeftAxis;
        TColorBandTool* band = NewBand(app.owner, axis, 20, 40);
        band->Pen()->SetVisible(pen);
        app.Draw();
        const TRect r = band->BoundsRect();
        EXPECT_EQ(r.Top, axis->CalcPosValue(40));
        EXPECT_EQ(r.Bottom, axis->CalcPosValue(20) + (pen ? 1 : 2));
        EXPECT_EQ(r.Left, app.chart->ChartRect.Left + 1);
        EXPECT_EQ(r.Right, app.chart->ChartRect.Right + (pen ? 0 : 1));
        EXPECT_EQ(app.At(app.chart->ChartRect.Right - 5, (r.Top + r.Bottom) / 2), clRed);
    }
}

TEST(ColorBand, TransparencyMixesTheBandWithWhatLiesBelow) {
    LineChart app;
    TColorBandTool* band = NewBand(app.owner, app.chart->BottomAxis, 2, 4);
    band->SetTransparency(50);
    app.Draw();
    const TRect r = band->BoundsRect();
    const TColor c = app.At((r.Left + r.Right) / 2, app.chart->ChartRect.Top + 5);
    EXPECT_EQ(c & 0xFF, 0xFF);
    EXPECT_NEAR((c >> 8) & 0xFF, 0x80, 2);
}

class ColorBandMouse : public ::testing::Test {
protected:
    void SetUp() override {
        TChartAxis* axis = app.chart->BottomAxis;
        const double min = axis->Minimum(), range = axis->Maximum() - min;
        band = NewBand(app.owner, axis, min + range / 4, min + range / 2);
        app.Paint();
    }
    int Pixel(double value) { return app.chart->BottomAxis->CalcPosValue(value); }

    AppChart app;
    TColorBandTool* band = nullptr;
};

TEST_F(ColorBandMouse, DraggingTheEndLineResizesTheBand) {
    band->SetResizeEnd(true);
    app.Paint();
    const double start = band->StartValue();
    const int p = Pixel(band->EndValue()), y = app.chart->ChartRectCenterY;
    app.Drag(mbLeft, TPoint(p, y), TPoint(p + 40, y));
    EXPECT_NEAR(Pixel(band->EndValue()), p + 40, 1);
    EXPECT_EQ(band->StartValue(), start);
    EXPECT_FALSE(band->EndLine()->Dragging());
}

TEST_F(ColorBandMouse, WithoutResizeLinesAPressOnTheEdgeOnlyClicks) {
    int clicks = 0;
    band->OnClick = [&](TObject*, TMouseButton, TShiftState, int, int) { ++clicks; };
    const double end = band->EndValue();
    const int p = Pixel(end), y = app.chart->ChartRectCenterY;
    app.Click(TPoint((Pixel(band->StartValue()) + p) / 2, y));
    EXPECT_EQ(clicks, 1);
    app.Click(TPoint(p + 30, y));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(band->EndValue(), end);
}

// ---------------------------------------------------------------------------------------------
// Grid band

TGridBandTool* NewGridBand(LineChart& app) {
    auto* tool = new TGridBandTool(app.owner);
    tool->SetAxis(app.chart->LeftAxis);
    tool->Band1()->SetColor(clRed);
    tool->Band2()->SetColor(clBlue);
    return tool;
}

TEST(GridBand, StripesAlternateBetweenTheTicksOverThePlot) {
    LineChart app;
    NewGridBand(app);
    app.Draw();
    TChartAxis* axis = app.chart->LeftAxis;
    const std::vector<int>& ticks = axis->TickPixels;
    ASSERT_GE(ticks.size(), 3u);
    const int x = app.chart->ChartRect.Left + 3;
    // The band above the first tick is the first one.
    const bool firstStripe = ticks[0] > axis->StartPixel;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const bool band1 = (i - 1 + (firstStripe ? 1 : 0)) % 2 == 0;
        EXPECT_EQ(app.At(x, (ticks[i - 1] + ticks[i]) / 2), band1 ? clRed : clBlue) << i;
    }
    if (firstStripe) {
        EXPECT_EQ(app.At(x, (axis->StartPixel + ticks[0]) / 2 + 1), clRed);
    }
}

TEST(GridBand, TwoTicksFillOnlyTheFirstStripe) {
    LineChart app;
    NewGridBand(app);
    TChartAxis* axis = app.chart->LeftAxis;
    axis->SetMinMax(0, 15);
    axis->SetDesiredIncrement(10);
    app.Draw();
    ASSERT_EQ(axis->TickPixels.size(), 2u);
    const int x = app.chart->ChartRect.Left + 3, ten = axis->CalcPosValue(10);
    EXPECT_EQ(app.At(x, (axis->StartPixel + ten) / 2), clRed);
    const TColor below = app.At(x, (ten + axis->CalcPosValue(0)) / 2);
    EXPECT_NE(below, clRed);
    EXPECT_NE(below, clBlue);
}

TEST(GridBand, ClearBrushesDrawNothingAndTheHookLeavesWithTheTool) {
    LineChart app;
    TGridBandTool* tool = NewGridBand(app);
    tool->Band1()->SetStyle(bsClear);
    tool->Band2()->SetStyle(bsClear);
    app.Draw();
    EXPECT_EQ(app.Count(clRed) + app.Count(clBlue), 0);
    tool->Free();
    EXPECT_FALSE(app.chart->LeftAxis->GridsHook);
    app.Draw();
}

}  // namespace
