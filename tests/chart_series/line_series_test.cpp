// Line and point series: segments around null points, the start at the chart's edge, symbols,
// clicks on lines and symbols, stacking, and the state the extra drawing passes leave.
#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

// Logs polylines too.
class PolylineCanvas : public CallLogCanvas {
public:
    using CallLogCanvas::Polyline;
    explicit PolylineCanvas(CallLog* log) : CallLogCanvas(log) {}
    void Polyline(const TPoint* points, int count) override {
        std::string text = "Polyline(";
        for (int i = 0; i < count; ++i)
            text += (i ? "," : "") + std::to_string(points[i].X) + "," + std::to_string(points[i].Y);
        Log->push_back(text + ")");
        CallLogCanvas::Polyline(points, count);
    }
};

std::string PolylineText(std::initializer_list<int> values) {
    std::string text = "Polyline(";
    bool first = true;
    for (int v : values) {
        text += (first ? "" : ",") + std::to_string(v);
        first = false;
    }
    return text + ")";
}

class LineSeriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawn.chart->Legend()->SetVisible(false);
        drawn.chart->SetInternalCanvas(new PolylineCanvas(&log));
    }
    template <class T>
    T* Add(std::initializer_list<double> values) {
        auto* series = new T(drawn.owner);
        int x = 0;
        for (double v : values) series->AddXY(x++, v);
        drawn.chart->AddSeries(series);
        return series;
    }
    void Render() {
        log.clear();
        drawn.Render();
    }
    CallLog Lines() { return CallsStartingWith(log, "Polyline("); }

    BitmapChart drawn{400, 300};
    CallLog log;
};

TEST_F(LineSeriesTest, NullPointBreaksTheLineOnBothSides) {
    TLineSeries* series = Add<TLineSeries>({1, 2, 3, 4, 5});
    series->SetNull(2);
    series->Pointer()->SetVisible(true);
    Render();
    const CallLog lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], PolylineText({series->CalcXPos(0), series->CalcYPos(0),
                                      series->CalcXPos(1), series->CalcYPos(1)}));
    EXPECT_EQ(lines[1], PolylineText({series->CalcXPos(3), series->CalcYPos(3),
                                      series->CalcXPos(4), series->CalcYPos(4)}));
}

TEST_F(LineSeriesTest, LineStartsAtTheChartEdgeWhenTheEarlierPointIsHidden) {
    TLineSeries* series = Add<TLineSeries>({0, 10, 20, 30});
    drawn.chart->BottomAxis->SetMinMax(1.5, 3);
    Render();
    const int edge = drawn.chart->ChartRect.Left;
    const std::string start = "Polyline(" + std::to_string(edge) + "," +
                              std::to_string(series->CalcYPosValue(15)) + "," +
                              std::to_string(series->CalcXPos(2)) + "," +
                              std::to_string(series->CalcYPos(2)) + ",";
    EXPECT_EQ(Lines().front().compare(0, start.size(), start), 0) << Lines().front();
    series->SetStairs(true);
    Render();
    const std::string step = "Polyline(" + std::to_string(edge) + "," +
                             std::to_string(series->CalcYPos(1)) + "," +
                             std::to_string(series->CalcXPos(2)) + "," +
                             std::to_string(series->CalcYPos(1)) + "," +
                             std::to_string(series->CalcXPos(2)) + "," +
                             std::to_string(series->CalcYPos(2)) + ",";
    EXPECT_EQ(Lines().front().compare(0, step.size(), step), 0) << Lines().front();
}

TEST_F(LineSeriesTest, SinglePointShowsOnlyItsSymbol) {
    TLineSeries* series = Add<TLineSeries>({5});
    series->Pointer()->SetVisible(true);
    Render();
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(CallsStartingWith(log, "Rectangle(").size() >= 1, true);
}

TEST_F(LineSeriesTest, ClicksHitSegmentsOfLinesAndOnlySymbolsOfPoints) {
    TLineSeries* line = Add<TLineSeries>({10, 20, 10, 20, 10});
    Render();
    const TPoint a{line->CalcXPos(3), line->CalcYPos(3)}, b{line->CalcXPos(4), line->CalcYPos(4)};
    const TPoint mid{(a.X + b.X) / 2, (a.Y + b.Y) / 2 + 1};
    EXPECT_EQ(line->Clicked(mid.X, mid.Y), 3);
    EXPECT_EQ(line->Clicked(a.X, a.Y), 3);
    line->SetActive(false);
    TPointSeries* points = Add<TPointSeries>({10, 20, 10, 20, 10});
    Render();
    EXPECT_FALSE(points->ClickableLine());
    EXPECT_EQ(points->Clicked(mid.X, mid.Y), -1);
    const TPoint p{points->CalcXPos(1), points->CalcYPos(1)};
    EXPECT_EQ(points->Clicked(p.X + 3, p.Y), 1);
    EXPECT_EQ(points->Clicked(p.X + 4, p.Y), -1) << "half size 4 is strict";
}

TEST_F(LineSeriesTest, StackingSpreadsAndAddsTheSeriesBelow) {
    TLineSeries* lower = Add<TLineSeries>({2, 2});
    TLineSeries* upper = Add<TLineSeries>({3, 3});
    upper->SetStacked(cssStack);
    EXPECT_EQ(lower->Stacked(), cssStack);
    Render();
    EXPECT_EQ(upper->CalcYPos(0), upper->CalcYPosValue(5));
    upper->SetStacked(cssStack100);
    Render();
    EXPECT_EQ(upper->CalcYPos(0), upper->CalcYPosValue(100));
    EXPECT_DOUBLE_EQ(upper->MaxYValue(), 100);
}

TEST_F(LineSeriesTest, ShadowAndOutlinePassesRestoreTheSeries) {
    TLineSeries* series = Add<TLineSeries>({1, 3, 2});
    series->SetSeriesColor(clBlue);
    series->LinePen()->SetWidth(2);
    series->OutLine()->SetVisible(true);
    series->OutLine()->SetWidth(1);
    series->Shadow()->SetSize(3);
    series->Pointer()->SetVisible(true);
    Render();
    // One polyline for the shadow, and two each for the outline and the line, broken by the
    // symbols drawn over them.
    EXPECT_EQ(Lines().size(), 5u);
    EXPECT_EQ(series->LinePen()->Width(), 2);
    EXPECT_EQ(series->GetSeriesColor(), clBlue);
    EXPECT_TRUE(series->Pointer()->Visible());
    const int start = drawn.chart->BottomAxis->StartPixel;
    Render();
    EXPECT_EQ(drawn.chart->BottomAxis->StartPixel, start);
}

TEST_F(LineSeriesTest, LegendShapeOfALineIsAHorizontalStroke) {
    drawn.chart->Legend()->SetVisible(true);
    Add<TLineSeries>({1, 2});
    Add<TLineSeries>({2, 1});
    Render();
    EXPECT_FALSE(CallsStartingWith(log, "DoHorizLine(").empty());
}

}  // namespace
