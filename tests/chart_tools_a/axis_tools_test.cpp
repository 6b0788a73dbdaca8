// The axis arrow tool (arrows drawn at the axis ends, clicks scrolling by a percentage) and the
// axis scroll tool (an axis dragged with the mouse), through the chart window's messages.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AxisArrowTool.h"
#include "AxisScrollTool.h"
#include "chart_test_support.h"
#include "tool_chart.h"

namespace {

class AxisArrowToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.chart->BottomAxis->SetMinMax(0, 50);
        app.chart->OnClickAxis = [this](TCustomChart*, TChartAxis*, TMouseButton, TShiftState,
                                        int, int) { ++axisClicks; };
        tool = new TAxisArrowTool(app.owner);
        tool->SetAxis(app.chart->BottomAxis);
        tool->OnClick = [this](TObject*, bool atStart) { clicks.push_back(atStart); };
        app.Paint();
    }
    TChartAxis* Bottom() const { return app.chart->BottomAxis; }
    TPoint AtStart() const { return TPoint(Bottom()->StartPixel + 8, Bottom()->AxisLinePos); }
    TPoint AtEnd() const { return TPoint(Bottom()->EndPixel - 8, Bottom()->AxisLinePos); }
    void Click(TPoint at) {
        app.Down(at);
        app.Up(at);
    }

    ToolChart app;
    TAxisArrowTool* tool = nullptr;
    int axisClicks = 0;
    std::vector<bool> clicks;
};

struct ArrowHitCase {
    int along;   // from the axis start
    int across;  // from the axis line
    int expected;
};

TEST_F(AxisArrowToolTest, ArrowsAreHitWithinTheirLengthAndTwoPixelsOfTheAxisLine) {
    const int length = Bottom()->EndPixel - Bottom()->StartPixel;
    const ArrowHitCase cases[] = {
        {1, 0, 0},  {15, 0, 0},  {0, 0, -1},           {16, 0, -1},          {8, 2, 0},
        {8, -2, 0}, {8, 3, -1},  {length - 1, 0, 1},   {length - 15, 0, 1},  {length - 16, 0, -1},
        {length, 0, -1},
    };
    for (const ArrowHitCase& c : cases)
        EXPECT_EQ(tool->ClickedArrow(Bottom()->StartPixel + c.along,
                                     Bottom()->AxisLinePos + c.across),
                  c.expected)
            << c.along << "," << c.across;
    tool->SetPosition(aaEnd);
    EXPECT_EQ(tool->ClickedArrow(AtStart().X, AtStart().Y), -1);
}

struct ArrowClickCase {
    TAxisArrowToolPosition position;
    int percent;
    bool inverted;
    bool atStart;
    double minimum, maximum;
    bool handled;
};

TEST_F(AxisArrowToolTest, AClickOnAnArrowScrollsTheAxisByItsPercentOfTheRange) {
    const ArrowClickCase cases[] = {
        {aaBoth, 10, false, false, -5, 45, true}, {aaBoth, 10, false, true, 5, 55, true},
        {aaBoth, 10, true, true, -5, 45, true},   {aaBoth, 20, false, false, -10, 40, true},
        {aaEnd, 10, false, true, 0, 50, false},   {aaBoth, 0, false, false, 0, 50, false},
    };
    for (const ArrowClickCase& c : cases) {
        Bottom()->SetMinMax(0, 50);
        tool->SetPosition(c.position);
        tool->SetScrollPercent(c.percent);
        tool->SetScrollInverted(c.inverted);
        app.Paint();
        clicks.clear();
        axisClicks = 0;
        Click(c.atStart ? AtStart() : AtEnd());
        EXPECT_DOUBLE_EQ(Bottom()->Minimum(), c.minimum) << c.position << " " << c.percent;
        EXPECT_DOUBLE_EQ(Bottom()->Maximum(), c.maximum) << c.position << " " << c.percent;
        EXPECT_EQ(clicks.size(), c.handled ? 1u : 0u);
        if (c.handled) EXPECT_EQ(clicks.front(), c.atStart);
        // The chart's own click handling runs only when the tool left the press alone.
        EXPECT_EQ(axisClicks, c.handled ? 0 : 1);
    }
}

TEST_F(AxisArrowToolTest, ARefusedScrollMovesNothingButStillReportsTheClick) {
    int scrolls = 0;
    bool allow = false;
    double offeredMin = 0, offeredMax = 0;
    app.chart->OnScroll = [&](TObject*) { ++scrolls; };
    app.chart->OnAllowScroll = [&](TChartAxis*, double& min, double& max, bool& allowScroll) {
        offeredMin = min;
        offeredMax = max;
        min = max = 1000;
        allowScroll = allow;
    };
    Click(AtEnd());
    EXPECT_EQ(Bottom()->Minimum(), 0);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(offeredMin, -5);
    EXPECT_EQ(offeredMax, 45);
    allow = true;
    Click(AtEnd());
    EXPECT_EQ(Bottom()->Minimum(), -5);
    EXPECT_EQ(Bottom()->Maximum(), 45);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(AxisArrowToolTest, TheOtherAxisOfAPairThatASeriesUsesBothOfScrollsAlong) {
    app.chart->TopAxis->SetMinMax(100, 150);
    Click(AtEnd());
    EXPECT_EQ(app.chart->TopAxis->Minimum(), 100);
    app.series->SetHorizAxis(aBothHorizAxis);
    app.chart->TopAxis->SetMinMax(100, 150);
    app.Paint();
    Click(AtEnd());
    EXPECT_EQ(app.chart->TopAxis->Minimum(), 95);
    EXPECT_EQ(app.chart->TopAxis->Maximum(), 145);
}

TEST_F(AxisArrowToolTest, ArrowsAreDrawnAtTheChosenEnds) {
    tool->Brush()->SetColor(clRed);
    tool->Brush()->SetStyle(bsSolid);
    const struct {
        TAxisArrowToolPosition position;
        bool start, end;
    } cases[] = {{aaBoth, true, true}, {aaStart, true, false}, {aaEnd, false, true}};
    for (const auto& c : cases) {
        tool->SetPosition(c.position);
        std::unique_ptr<TBitmap> bitmap = FilledBitmap(640, 420, clWhite);
        app.chart->Draw(bitmap->Canvas(), Rect(0, 0, 640, 420));
        const int line = Bottom()->AxisLinePos;
        // Inside each arrow head, 5 pixels from its tip.
        EXPECT_EQ(PixelOf(bitmap.get(), Bottom()->StartPixel + 5, line) == clRed, c.start)
            << c.position;
        EXPECT_EQ(PixelOf(bitmap.get(), Bottom()->EndPixel - 5, line) == clRed, c.end)
            << c.position;
    }
}

// ---------------------------------------------------------------------------------------------

class AxisScrollToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = new TAxisScrollTool(app.owner);
        tool->SetParentChart(app.chart);
        app.Paint();
    }
    // A point on the axis' labels, off its centre.
    TPoint OnAxis(TChartAxis* axis) const {
        const int p = axis->CenterPixel;
        const int across = axis->AxisLinePos + (axis->LabelsPos - axis->AxisLinePos) / 2;
        return axis->Horizontal() ? TPoint(p, across) : TPoint(across, p);
    }
    static double PixelShift(TChartAxis* axis, int pixels) {
        return (axis->Maximum() - axis->Minimum()) * pixels / axis->AxisPixels;
    }

    ToolChart app;
    TAxisScrollTool* tool = nullptr;
};

struct AxisDragCase {
    bool horizontal;
    bool axisInverted;
    bool scrollInverted;
    int pixels;
    // The content follows the mouse by default: the range moves against the drag.
    int sign;
};

TEST_F(AxisScrollToolTest, DraggingAnAxisScrollsItByTheDraggedDistance) {
    const AxisDragCase cases[] = {
        {true, false, false, 10, -1}, {true, false, false, -10, 1}, {true, true, false, 10, 1},
        {true, false, true, 10, 1},   {false, false, false, 10, 1}, {false, false, true, 10, -1},
        {false, true, false, 10, -1},
    };
    for (const AxisDragCase& c : cases) {
        TChartAxis* axis = c.horizontal ? app.chart->BottomAxis : app.chart->LeftAxis;
        axis->SetMinMax(0, 100);
        axis->SetInverted(c.axisInverted);
        tool->SetScrollInverted(c.scrollInverted);
        app.Paint();
        const double shift = PixelShift(axis, 10);
        const TPoint from = OnAxis(axis);
        const TPoint to = c.horizontal ? TPoint(from.X + c.pixels, from.Y)
                                       : TPoint(from.X, from.Y + c.pixels);
        app.Drag(from, to);
        EXPECT_NEAR(axis->Minimum(), c.sign * shift, 1e-9) << c.horizontal << c.axisInverted
                                                            << c.scrollInverted << c.pixels;
        EXPECT_NEAR(axis->Maximum(), 100 + c.sign * shift, 1e-9);
        EXPECT_EQ(tool->DraggedAxis(), nullptr);
        axis->SetInverted(false);
    }
}

TEST_F(AxisScrollToolTest, AxesSharingASeriesFollowAndTheDragStartsNoZoom) {
    app.series->SetHorizAxis(aBothHorizAxis);
    app.chart->TopAxis->SetMinMax(0, 10);
    // A press that reached the chart would start a zoom that only the width decides.
    app.chart->Zoom()->Direction = tzdHorizontal;
    app.Paint();
    TChartAxis* bottom = app.chart->BottomAxis;
    const double bottomShift = PixelShift(bottom, 60);
    const double topShift = PixelShift(app.chart->TopAxis, 60);
    const TPoint from = OnAxis(bottom);
    app.Drag(from, TPoint(from.X + 60, from.Y));
    EXPECT_NEAR(bottom->Minimum(), -bottomShift, 1e-9);
    EXPECT_NEAR(app.chart->TopAxis->Minimum(), -topShift, 1e-9);
    EXPECT_NEAR(app.chart->LeftAxis->Minimum(), 0, 1e-9);
    EXPECT_FALSE(app.chart->IsZoomed);
}

TEST_F(AxisScrollToolTest, AToolBoundToAnAxisDragsOnlyThatAxis) {
    tool->SetAxis(app.chart->LeftAxis);
    app.Paint();
    const TPoint from = OnAxis(app.chart->BottomAxis);
    app.Drag(from, TPoint(from.X + 30, from.Y));
    EXPECT_EQ(app.chart->BottomAxis->Minimum(), 0);
    EXPECT_EQ(tool->DraggedAxis(), nullptr);
}

TEST_F(AxisScrollToolTest, AMoveWithoutTheButtonEndsADragWhoseReleaseWasLost) {
    TChartAxis* bottom = app.chart->BottomAxis;
    const TPoint from = OnAxis(bottom);
    app.Down(from);
    EXPECT_EQ(tool->DraggedAxis(), bottom);
    app.Move(TPoint(from.X + 10, from.Y));
    const double minimum = bottom->Minimum();
    app.Move(TPoint(from.X + 40, from.Y), false);
    EXPECT_EQ(tool->DraggedAxis(), nullptr);
    EXPECT_EQ(bottom->Minimum(), minimum);
}

}  // namespace
