// The draw-line tool: lines drawn, hit, selected, dragged whole or by an end and deleted through
// the chart window's mouse messages; pens and clipping.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DrawLineTool.h"
#include "chart_test_support.h"
#include "tool_chart.h"

namespace {

class DrawLineToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = new TDrawLineTool(app.owner);
        tool->SetParentChart(app.chart);
        tool->OnNewLine = [this](TObject*) { ++newLines; };
        tool->OnSelect = [this](TObject*) { ++selects; };
        tool->OnDraggedLine = [this](TObject*) { ++drags; };
        app.Paint();
    }
    TDrawLine* AddLine(TPoint from, TPoint to, TDrawLineStyle style = dlLine) {
        const TFloatPoint a = tool->ScreenPoint(from), b = tool->ScreenPoint(to);
        auto* line = new TDrawLine(tool->Lines(), a.X, a.Y, b.X, b.Y);
        line->SetStyle(style);
        return line;
    }
    TPoint Start(TDrawLine* line) const { return tool->AxisPoint(line->StartPos()); }
    TPoint End(TDrawLine* line) const { return tool->AxisPoint(line->EndPos()); }
    void Click(TPoint at) {
        app.Down(at);
        app.Up(at);
    }

    ToolChart app;
    TDrawLineTool* tool = nullptr;
    int newLines = 0, selects = 0, drags = 0;
};

struct DrawCase {
    bool enableDraw;
    TPoint from, to;
    int lines;
};

TEST_F(DrawLineToolTest, APressAndReleaseAtDifferentPixelsAddsALine) {
    const DrawCase cases[] = {
        {true, {150, 120}, {350, 260}, 1},
        {true, {200, 200}, {200, 200}, 0},
        {false, {150, 120}, {350, 260}, 0},
    };
    for (const DrawCase& c : cases) {
        tool->Lines()->Clear();
        tool->SetEnableDraw(c.enableDraw);
        newLines = 0;
        app.Drag(c.from, c.to);
        ASSERT_EQ(tool->Lines()->Count(), c.lines) << c.enableDraw;
        EXPECT_EQ(newLines, c.lines);
        EXPECT_FALSE(tool->Drawing());
        if (c.lines == 0) continue;
        TDrawLine* line = tool->Lines()->Last();
        EXPECT_DOUBLE_EQ(line->X0(), tool->ScreenPoint(c.from).X);
        EXPECT_DOUBLE_EQ(line->Y0(), tool->ScreenPoint(c.from).Y);
        EXPECT_DOUBLE_EQ(line->X1(), tool->ScreenPoint(c.to).X);
        EXPECT_DOUBLE_EQ(line->Y1(), tool->ScreenPoint(c.to).Y);
    }
}

struct HitCase {
    TDrawLineStyle style;
    int tolerance;
    int dx, dy;  // from the middle of the start-to-end box
    bool hit;
};

TEST_F(DrawLineToolTest, APressWithinTheToleranceOfADrawnSegmentSelectsTheLine) {
    const HitCase cases[] = {
        {dlLine, 0, 0, 1, true},           {dlLine, 0, 0, 2, false},
        {dlLine, 3, 0, 4, true},           {dlLine, 3, 0, 5, false},
        {dlHorizParallel, 0, 0, 60, true}, {dlHorizParallel, 0, 0, 58, false},
        {dlHorizParallel, 0, 0, -60, true}, {dlVertParallel, 0, 100, 0, true},
        {dlVertParallel, 0, 0, 0, false},
    };
    for (const HitCase& c : cases) {
        tool->Lines()->Clear();
        tool->SetClickTolerance(c.tolerance);
        // Horizontal for dlLine; a 200 x 120 box for the parallel styles.
        TDrawLine* line = c.style == dlLine ? AddLine({200, 200}, {400, 200})
                                            : AddLine({200, 140}, {400, 260}, c.style);
        app.Paint();
        const TPoint s = Start(line), e = End(line);
        const TPoint middle((s.X + e.X) / 2, (s.Y + e.Y) / 2);
        selects = 0;
        Click(TPoint(middle.X + c.dx, middle.Y + c.dy));
        EXPECT_EQ(tool->Selected() == line, c.hit) << c.style << " " << c.dx << "," << c.dy;
        EXPECT_EQ(selects, c.hit ? 1 : 0);
        EXPECT_EQ(tool->Lines()->Count(), 1);
    }
}

TEST_F(DrawLineToolTest, HandlesAreHitWithinTheirSevenPixelSquare) {
    TDrawLine* line = AddLine({200, 300}, {400, 150});
    app.Paint();
    const TPoint e = End(line);
    const struct {
        int dx, dy;
        bool hit;
    } cases[] = {{3, 3, true}, {-3, 3, true}, {3, -3, true}, {4, 0, false}, {0, -4, false}};
    for (const auto& c : cases)
        EXPECT_EQ(line->Clicked(e.X + c.dx, e.Y + c.dy, chEnd, 0), c.hit) << c.dx << "," << c.dy;
    EXPECT_TRUE(line->Clicked(Start(line).X - 3, Start(line).Y + 3, chStart, 0));
}

struct DragCase {
    const char* part;
    bool startMoves, endMoves;
};

TEST_F(DrawLineToolTest, DraggingTheSelectedLineMovesTheGrabbedPart) {
    const DragCase cases[] = {{"body", true, true}, {"start", true, false}, {"end", false, true}};
    for (const DragCase& c : cases) {
        tool->Lines()->Clear();
        TDrawLine* line = AddLine({200, 300}, {400, 150});
        app.Paint();
        const TPoint s = Start(line), e = End(line);
        Click(TPoint((s.X + e.X) / 2, (s.Y + e.Y) / 2));
        ASSERT_EQ(tool->Selected(), line);
        const std::string part = c.part;
        const TPoint middle((s.X + e.X) / 2, (s.Y + e.Y) / 2);
        const TPoint grab = part == "start" ? s : part == "end" ? e : middle;
        drags = 0;
        app.Drag(grab, TPoint(grab.X + 40, grab.Y + 30));
        EXPECT_EQ(drags, 1) << c.part;
        const TPoint offset(c.startMoves ? 40 : 0, c.startMoves ? 30 : 0);
        EXPECT_NEAR(Start(line).X, s.X + offset.X, 1) << c.part;
        EXPECT_NEAR(Start(line).Y, s.Y + offset.Y, 1) << c.part;
        EXPECT_NEAR(End(line).X, e.X + (c.endMoves ? 40 : 0), 1) << c.part;
        EXPECT_NEAR(End(line).Y, e.Y + (c.endMoves ? 30 : 0), 1) << c.part;
    }
}

TEST_F(DrawLineToolTest, OnALogarithmicAxisTheSamePixelOffsetGivesDifferentValueOffsets) {
    app.chart->LeftAxis->SetMinMax(1, 1000);
    app.chart->LeftAxis->SetLogarithmic(true);
    app.Paint();
    auto* line = new TDrawLine(tool->Lines(), 20, 10, 80, 100);
    app.Paint();
    const TPoint s = Start(line), e = End(line);
    const TPoint middle((s.X + e.X) / 2, (s.Y + e.Y) / 2);
    Click(middle);
    app.Drag(middle, TPoint(middle.X, middle.Y - 50));
    EXPECT_NEAR(Start(line).Y, s.Y - 50, 1);
    EXPECT_NEAR(End(line).Y, e.Y - 50, 1);
    // Both values grow by one factor, so the larger one moves further.
    EXPECT_NEAR(line->Y1() / line->Y0(), 10, 0.5);
    EXPECT_GT(line->Y1() - 100, 5 * (line->Y0() - 10));
}

TEST_F(DrawLineToolTest, AClickOnTheSelectedLineLeavesItsValuesAlone) {
    auto* line = new TDrawLine(tool->Lines(), 12.345, 17.891, 77.777, 33.333);
    app.Paint();
    const TPoint s = Start(line), e = End(line);
    const TPoint middle((s.X + e.X) / 2, (s.Y + e.Y) / 2);
    Click(middle);
    Click(middle);
    Click(Start(line));
    EXPECT_EQ(tool->Selected(), line);
    EXPECT_EQ(line->X0(), 12.345);
    EXPECT_EQ(line->Y0(), 17.891);
    EXPECT_EQ(line->X1(), 77.777);
    EXPECT_EQ(line->Y1(), 33.333);
    EXPECT_EQ(drags, 0);
}

TEST_F(DrawLineToolTest, ALineWhoseSelectionIsRefusedIsNeitherSelectedNorMoved) {
    TDrawLine* first = AddLine({150, 100}, {300, 100});
    TDrawLine* second = AddLine({150, 250}, {300, 250});
    app.Paint();
    Click(TPoint(200, Start(first).Y));
    ASSERT_EQ(tool->Selected(), first);
    tool->OnSelecting = [&](TDrawLineTool*, TDrawLine* line, bool& allow) {
        allow = line != second;
    };
    const double firstY = first->Y0(), secondY = second->Y0();
    app.Drag(TPoint(200, Start(second).Y), TPoint(200, Start(second).Y + 40));
    EXPECT_EQ(tool->Selected(), first);
    EXPECT_EQ(first->Y0(), firstY);
    EXPECT_EQ(second->Y0(), secondY);
    EXPECT_EQ(tool->Lines()->Count(), 2);
}

TEST_F(DrawLineToolTest, DeletingOrFreeingTheSelectedLineClearsTheSelection) {
    AddLine({150, 100}, {300, 100});
    TDrawLine* second = AddLine({150, 250}, {300, 250});
    tool->SetSelected(second);
    tool->DeleteSelected();
    EXPECT_EQ(tool->Selected(), nullptr);
    EXPECT_EQ(tool->Lines()->Count(), 1);
    tool->SetSelected(tool->Lines()->Get(0));
    tool->Lines()->Delete(0);
    EXPECT_EQ(tool->Selected(), nullptr);
    tool->SetSelected(AddLine({150, 100}, {300, 100}));
    tool->SetEnableSelect(false);
    EXPECT_EQ(tool->Selected(), nullptr);
}

TEST_F(DrawLineToolTest, AMoveWithoutTheButtonEndsADrawingWhoseReleaseWasLost) {
    app.Down(TPoint(150, 150));
    app.Move(TPoint(250, 200));
    app.Move(TPoint(300, 260), false);
    EXPECT_FALSE(tool->Drawing());
    ASSERT_EQ(tool->Lines()->Count(), 1);
    EXPECT_NEAR(End(tool->Lines()->Get(0)).X, 250, 1);
    app.Move(TPoint(350, 300), false);
    EXPECT_EQ(tool->Lines()->Count(), 1);
}

TEST_F(DrawLineToolTest, ALineFollowsTheToolPenUntilItsOwnPenIsRead) {
    TDrawLine* line = AddLine({150, 100}, {300, 100});
    EXPECT_EQ(line->DrawingPen(), tool->Pen());
    tool->Pen()->SetColor(clRed);
    EXPECT_EQ(line->DrawingPen()->Color(), clRed);
    EXPECT_EQ(line->Pen()->Color(), clRed);
    tool->Pen()->SetColor(clBlue);
    EXPECT_EQ(line->DrawingPen()->Color(), clRed);

    TDrawLine* copy = AddLine({0, 0}, {1, 1});
    copy->Assign(line);
    EXPECT_EQ(copy->X0(), line->X0());
    ASSERT_NE(copy->PenIfAny(), nullptr);
    EXPECT_EQ(copy->PenIfAny()->Color(), clRed);
    copy->Assign(AddLine({0, 0}, {1, 1}));
    EXPECT_EQ(copy->PenIfAny(), nullptr);
    line->SetPen(nullptr);
    EXPECT_EQ(line->DrawingPen(), tool->Pen());
}

TEST_F(DrawLineToolTest, WithASeriesLinesAreClippedToItsAxes) {
    app.chart->BottomAxis->SetEndPosition(50);
    app.series->SetSeriesColor(clGreen);
    tool->Pen()->SetColor(clRed);
    tool->Pen()->SetWidth(3);
    app.Paint();
    TChartAxis* bottom = app.chart->BottomAxis;
    const int y = app.chart->ChartRect.Top + 40;
    const int inside = bottom->StartPixel + 20, outside = app.chart->ChartRect.Right - 20;
    AddLine({inside - 10, y}, {outside + 10, y});
    for (bool withSeries : {false, true}) {
        tool->SetSeries(withSeries ? app.series : nullptr);
        std::unique_ptr<TBitmap> bitmap = FilledBitmap(640, 420, clWhite);
        app.chart->Draw(bitmap->Canvas(), Rect(0, 0, 640, 420));
        EXPECT_EQ(PixelOf(bitmap.get(), inside, y), clRed) << withSeries;
        EXPECT_EQ(PixelOf(bitmap.get(), outside, y) == clRed, !withSeries) << withSeries;
    }
}

}  // namespace
