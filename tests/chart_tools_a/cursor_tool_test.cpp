// The cursor tool: placed in the middle of the axes, snapping by distance in axis values, and
// grabbed, dragged and followed through the chart window's mouse messages.
#include <gtest/gtest.h>

#include <vector>

#include "CursorTool.h"
#include "tool_chart.h"

namespace {

class CursorToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.chart->Zoom()->Allow = false;
        tool = new TCursorTool(app.owner);
        tool->SetParentChart(app.chart);
        tool->OnChange = [this](TCursorTool*, int, int, double, double, TChartSeries*,
                                int index) { changes.push_back(index); };
        app.Paint();
    }
    TPoint Cursor() const { return TPoint(tool->ScreenX(), tool->ScreenY()); }
    TPoint Off(int dx, int dy) const { return TPoint(tool->ScreenX() + dx, tool->ScreenY() + dy); }

    ToolChart app;
    TCursorTool* tool = nullptr;
    std::vector<int> changes;
};

TEST_F(CursorToolTest, ANewCursorSitsInTheMiddleOfTheAxesAndReportsIt) {
    TChartAxis* bottom = app.chart->BottomAxis;
    TChartAxis* left = app.chart->LeftAxis;
    EXPECT_EQ(tool->ScreenX(), (bottom->StartPixel + bottom->EndPixel) / 2);
    EXPECT_EQ(tool->ScreenY(), (left->StartPixel + left->EndPixel) / 2);
    EXPECT_NEAR(tool->XValue(), 50, 0.5);
    EXPECT_NEAR(tool->YValue(), 25, 0.5);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front(), -1);
}

TEST_F(CursorToolTest, ASnappingCursorStartsOnTheNearestPoint) {
    auto* snapping = new TCursorTool(app.owner);
    snapping->SetSnap(true);
    snapping->SetSeries(app.series);
    snapping->SetParentChart(app.chart);
    int reported = -2;
    snapping->OnChange = [&](TCursorTool*, int, int, double, double, TChartSeries*, int index) {
        reported = index;
    };
    app.Paint();
    // The middle (50, 25) is nearest to (50, 40) of the points (x, 10 or 40).
    EXPECT_EQ(reported, 5);
    EXPECT_EQ(snapping->XValue(), 50);
    EXPECT_EQ(snapping->YValue(), 40);
}

struct NearestCase {
    const char* name;
    std::vector<TFloatPoint> points;
    TCursorToolStyle style;
    double x, y;
    int expected;
};

TEST_F(CursorToolTest, TheNearestPointIsMeasuredInAxisValuesAndTiesGoToTheLowerIndex) {
    const NearestCase cases[] = {
        {"horizontal tie", {{0, 10}, {10, 20}, {20, 10}}, cssHorizontal, 100, 15, 0},
        {"vertical tie", {{0, 10}, {10, 20}, {20, 10}}, cssVertical, 15, 100, 1},
        {"both", {{0, 10}, {10, 20}, {20, 10}, {30, 40}}, cssBoth, 18, 35, 3},
        // 400 units away along x outweigh 1 unit along y.
        {"larger scale dominates", {{0, 0}, {1000, 1}}, cssBoth, 400, 1, 0},
        {"empty series", {}, cssBoth, 0, 0, -1},
    };
    tool->SetSeries(app.series);
    for (const NearestCase& c : cases) {
        app.series->Clear();
        for (const TFloatPoint& p : c.points) app.series->AddXY(p.X, p.Y);
        app.series->FirstValueIndex = app.series->LastValueIndex = -1;
        tool->SetXValue(c.x);
        tool->SetYValue(c.y);
        double difference = 0;
        EXPECT_EQ(tool->NearestPoint(c.style, difference), c.expected) << c.name;
        if (c.expected == -1) EXPECT_EQ(difference, -1) << c.name;
    }
}

struct GrabCase {
    TCursorToolStyle style;
    int dx, dy;
    TCursorClicked expected;
};

TEST_F(CursorToolTest, APressGrabsTheLinesWithinTheToleranceAndTheDragMovesThem) {
    const GrabCase cases[] = {
        {cssBoth, 60, 2, ccHorizontal},   {cssBoth, 60, 3, ccNone},
        {cssBoth, -2, 60, ccVertical},    {cssBoth, -3, 60, ccNone},
        {cssBoth, 1, -2, ccBoth},         {cssHorizontal, 1, -2, ccHorizontal},
        {cssVertical, 60, 0, ccNone},     {cssVertical, 2, 60, ccVertical},
    };
    for (const GrabCase& c : cases) {
        tool->SetStyle(c.style);
        app.Paint();
        const TPoint before = Cursor();
        const TPoint press = Off(c.dx, c.dy);
        const TPoint release(press.X + 20, press.Y + 15);
        app.Down(press);
        EXPECT_EQ(tool->Dragged(), c.expected) << c.style << " " << c.dx << "," << c.dy;
        app.Move(TPoint(press.X + 10, press.Y + 7));
        app.Move(release);
        app.Up(release);
        EXPECT_EQ(tool->Dragged(), ccNone);
        const bool movesX = c.expected == ccVertical || c.expected == ccBoth;
        const bool movesY = c.expected == ccHorizontal || c.expected == ccBoth;
        EXPECT_EQ(tool->ScreenX(), movesX ? release.X : before.X) << c.dx << "," << c.dy;
        EXPECT_EQ(tool->ScreenY(), movesY ? release.Y : before.Y) << c.dx << "," << c.dy;
        tool->SetXValue(50);
        tool->SetYValue(25);
    }
}

TEST_F(CursorToolTest, MovingOutsideTheAxisRectangleWhileDraggingLeavesTheCursor) {
    const TRect r = tool->GetAxisRect();
    app.Down(Off(0, 40));
    app.Move(Off(30, 40));
    const double x = tool->XValue();
    app.Move(TPoint(r.Right + 15, tool->ScreenY() + 40));
    app.Up(TPoint(r.Right + 15, tool->ScreenY() + 40));
    EXPECT_EQ(tool->XValue(), x);
}

TEST_F(CursorToolTest, AFollowingCursorSnapsAndReportsEachNewPointOnce) {
    tool->SetFollowMouse(true);
    tool->SetSnap(true);
    tool->SetStyle(cssVertical);
    tool->SetSeries(app.series);
    std::vector<int> snaps;
    tool->OnSnapChange = [&](TCursorTool*, int, int, double, double, TChartSeries*, int index) {
        snaps.push_back(index);
    };
    TChartAxis* bottom = app.chart->BottomAxis;
    const int y = tool->ScreenY() + 30;
    for (double x : {21.0, 22.0, 28.0, 29.0})
        app.Move(TPoint(bottom->CalcPosValue(x), y), false);
    EXPECT_EQ(snaps, (std::vector<int>{2, 3}));
    EXPECT_EQ(tool->XValue(), 30);
}

TEST_F(CursorToolTest, AMoveWithoutTheButtonEndsADragWhoseReleaseWasLost) {
    app.Down(Off(0, 40));
    app.Move(Off(10, 40));
    const int x = tool->ScreenX();
    app.Move(Off(25, 40), false);
    EXPECT_EQ(tool->Dragged(), ccNone);
    EXPECT_EQ(tool->ScreenX(), x);
}

}  // namespace
