// The colour line tool: drawn across the plot at its value, clamped to the visible range,
// dragged with the mouse through the chart's window.
#include <gtest/gtest.h>

#include "ChartRegistry.h"
#include "ColorLineTool.h"
#include "chart_fixture.h"

namespace {

class ColorLineToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = new TColorLineTool(app.owner);
        tool->SetAxis(app.chart->LeftAxis);
        app.Paint();
        tool->SetValue(Mid());
        app.Paint();
    }
    double Mid() {
        TChartAxis* axis = app.chart->LeftAxis;
        return (axis->Minimum() + axis->Maximum()) / 2;
    }
    int LinePixel() { return app.chart->LeftAxis->CalcPosValue(tool->CalcValue()); }

    AppChart app;
    TColorLineTool* tool = nullptr;
};

TEST_F(ColorLineToolTest, DraggingMovesTheLineToTheMouse) {
    int steps = 0, ends = 0;
    tool->OnDragLine = [&](TObject*) { ++steps; };
    tool->OnEndDragLine = [&](TObject*) { ++ends; };
    const int x = app.chart->ChartRectCenterX, y = LinePixel();
    app.Drag(mbLeft, TPoint(x, y + 1), TPoint(x, y + 30));
    EXPECT_GT(steps, 0);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(tool->Dragging());
    EXPECT_NEAR(LinePixel(), y + 29, 1);
}

TEST_F(ColorLineToolTest, APressOffTheLineLeavesItAlone) {
    const double before = tool->Value();
    const int x = app.chart->ChartRectCenterX, y = LinePixel();
    app.Drag(mbLeft, TPoint(x, y + 6), TPoint(x, y + 40));
    EXPECT_EQ(tool->Value(), before);
}

TEST_F(ColorLineToolTest, StylesFollowTheAxisAndValuesAreClampedWhenDrawn) {
    TChartAxis* axis = app.chart->LeftAxis;
    tool->SetStyle(clMaximum);
    EXPECT_EQ(tool->CalcValue(), axis->Maximum());
    tool->SetValue(axis->Maximum() + 1000);
    EXPECT_EQ(tool->Style(), clCustom);
    app.Paint();
    EXPECT_LE(tool->Value(), Max(axis->CalcPosPoint(axis->StartPixel),
                                 axis->CalcPosPoint(axis->EndPixel)));
    EXPECT_TRUE(tool->Clicked(app.chart->ChartRectCenterX, LinePixel() - 2));
    EXPECT_FALSE(tool->Clicked(app.chart->ChartRectCenterX, LinePixel() - 3));
}

TEST(ColorLineToolGallery, IsRegistered) {
    EXPECT_GE(PlotToolTypes->IndexOf(TColorLineTool::StaticClass()), 0);
}

}  // namespace
