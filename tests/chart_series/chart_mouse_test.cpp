// The chart's mouse handling driven by window messages: zoom and undo by left drags, scrolling
// by right drags, the wheel, legend check boxes, click events, and hit tests after the chart was
// drawn elsewhere.
#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

class ChartMouseTest : public ::testing::Test {
protected:
    TPoint Centre() const {
        const TRect r = app.chart->ChartRect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    AppChart app;
    TChartAxis* bottom = app.chart->BottomAxis;
    TChartAxis* left = app.chart->LeftAxis;
};

TEST_F(ChartMouseTest, LeftDragZoomsOnlyBeyondSixteenPixels) {
    const TPoint c = Centre();
    app.Drag(mbLeft, c, {c.X + 16, c.Y + 40});
    EXPECT_TRUE(bottom->Automatic());
    EXPECT_FALSE(app.chart->IsZoomed);
    app.Paint();
    const double min = bottom->Minimum(), max = bottom->Maximum();
    app.Drag(mbLeft, c, {c.X + 17, c.Y + 40});
    EXPECT_TRUE(app.chart->IsZoomed);
    EXPECT_FALSE(bottom->Automatic());
    EXPECT_GT(bottom->Minimum(), min);
    EXPECT_LT(bottom->Maximum(), max);
    EXPECT_FALSE(app.chart->Zoom()->Active);
}

TEST_F(ChartMouseTest, ReverseDragUndoesEveryZoomAtOnce) {
    int undos = 0;
    app.chart->OnUndoZoom = [&](TObject*) { ++undos; };
    const double min = bottom->Minimum(), max = bottom->Maximum();
    const TPoint c = Centre();
    app.Drag(mbLeft, {c.X - 100, c.Y - 80}, {c.X + 100, c.Y + 80});
    app.Paint();
    app.Drag(mbLeft, {c.X - 50, c.Y - 40}, {c.X + 50, c.Y + 40});
    app.Paint();
    EXPECT_LT(bottom->Maximum() - bottom->Minimum(), (max - min) / 2);
    app.Drag(mbLeft, {c.X + 50, c.Y + 40}, {c.X - 50, c.Y - 40});
    EXPECT_EQ(undos, 1);
    EXPECT_TRUE(bottom->Automatic());
    EXPECT_TRUE(left->AutomaticMinimum());
    app.Paint();
    EXPECT_DOUBLE_EQ(bottom->Minimum(), min);
    EXPECT_DOUBLE_EQ(bottom->Maximum(), max);
}

TEST_F(ChartMouseTest, ANewFeedForgetsTheScalesOfTheLastOne) {
    const TPoint c = Centre();
    app.Drag(mbLeft, {c.X - 100, c.Y - 80}, {c.X + 100, c.Y + 80});
    ASSERT_TRUE(app.chart->ScalesSaved);
    for (TLineSeries* series : app.lines) series->Clear();
    EXPECT_FALSE(app.chart->ScalesSaved);
    EXPECT_TRUE(app.chart->SavedScales.empty());
}

TEST_F(ChartMouseTest, RightDragScrollsAndReportsOnlyRealMoves) {
    int scrolls = 0;
    app.chart->OnScroll = [&](TObject*) { ++scrolls; };
    const TPoint c = Centre();
    const double min = bottom->Minimum();
    app.Drag(mbRight, c, {c.X - 40, c.Y});
    EXPECT_GT(bottom->Minimum(), min) << "dragging left shows later times";
    EXPECT_GT(scrolls, 0);
    app.Paint();

    scrolls = 0;
    app.chart->OnAllowScroll = [](TChartAxis*, double&, double&, bool& allow) { allow = false; };
    const double held = bottom->Minimum();
    app.Drag(mbRight, c, {c.X - 40, c.Y + 20});
    EXPECT_EQ(scrolls, 0) << "refused moves are not reported";
    EXPECT_DOUBLE_EQ(bottom->Minimum(), held);
}

TEST_F(ChartMouseTest, ScrollingStopsWhenThePointerLeavesTheChartRectangle) {
    const TPoint c = Centre();
    const TRect r = app.chart->ChartRect;
    SendMessageA(app.Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(c.X, c.Y));
    SendMessageA(app.Window(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(c.X - 20, c.Y));
    const double afterMove = bottom->Minimum();
    SendMessageA(app.Window(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(r.Left - 5, c.Y));
    EXPECT_FALSE(app.chart->Panning->Active);
    SendMessageA(app.Window(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(c.X - 60, c.Y));
    SendMessageA(app.Window(), WM_RBUTTONUP, 0, MAKELPARAM(c.X - 60, c.Y));
    EXPECT_DOUBLE_EQ(bottom->Minimum(), afterMove);
}

TEST_F(ChartMouseTest, WheelScrollsTheVerticalAxesByThreePercent) {
    const double min = left->Minimum(), max = left->Maximum();
    const double step = (max - min) * 3 / 100;
    SendMessageA(app.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_NEAR(left->Minimum(), min + step, 1e-9);
    EXPECT_NEAR(left->Maximum(), max + step, 1e-9);
    PlotUseMouseWheel = false;
    SendMessageA(app.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    PlotUseMouseWheel = true;
    EXPECT_NEAR(left->Minimum(), min + step, 1e-9);
}

TEST_F(ChartMouseTest, LegendCheckBoxTogglesTheSeriesWithoutZooming) {
    int clicks = 0;
    app.chart->OnClickLegend = [&](TCustomChart*, TMouseButton, TShiftState, int, int) { ++clicks; };
    const TPoint box = app.CheckBoxCentre(2);
    ASSERT_GE(box.X, 0);
    app.Click(box);
    EXPECT_FALSE(app.lines[2]->Active());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(app.chart->Zoom()->Active);
    EXPECT_FALSE(app.chart->IsZoomed);
    app.Paint();
    EXPECT_EQ(app.chart->Legend()->ItemCount, 6) << "the item stays, unchecked";
    app.Click(app.CheckBoxCentre(2));
    EXPECT_TRUE(app.lines[2]->Active());
    EXPECT_EQ(clicks, 2);
}

TEST_F(ChartMouseTest, ClicksAfterDrawingElsewhereUseTheScreenLayout) {
    const TPoint box = app.CheckBoxCentre(4);
    ASSERT_GE(box.X, 0);
    std::unique_ptr<TBitmap> report = FilledBitmap(1400, 900, clWhite);
    app.chart->Draw(report->Canvas(), Rect(0, 0, 1400, 900));
    app.Click(box);
    EXPECT_FALSE(app.lines[4]->Active());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(app.lines[i]->Active()) << i;
}

TEST_F(ChartMouseTest, BackgroundHearsOfAClickOnce) {
    int backgrounds = 0;
    app.chart->OnClickBackground = [&](TCustomChart* chart, TMouseButton, TShiftState, int, int) {
        ++backgrounds;
        chart->MouseHandled = false;
    };
    app.Click(Centre());
    EXPECT_EQ(backgrounds, 1);
}

TEST_F(ChartMouseTest, TitleClickStartsAZoomUnlessItsHandlerKeepsIt) {
    const TRect t = app.chart->Title()->ShapeBounds;
    const TPoint p{(t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2};
    SendMessageA(app.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    EXPECT_TRUE(app.chart->Zoom()->Active);
    SendMessageA(app.Window(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    int titles = 0;
    app.chart->OnClickTitle = [&](TCustomChart*, TChartTitle* title, TMouseButton, TShiftState,
                                  int, int) { titles += title == app.chart->Title(); };
    SendMessageA(app.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    EXPECT_FALSE(app.chart->Zoom()->Active);
    SendMessageA(app.Window(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    EXPECT_EQ(titles, 1);
}

TEST(ChartNames, UntitledAxesAreNamedBySide) {
    BitmapChart drawn;
    EXPECT_STREQ(drawn.chart->AxisTitleOrName(drawn.chart->RightAxis).c_str(), "Right Axis");
    EXPECT_STREQ(drawn.chart->AxisTitleOrName(drawn.chart->BottomAxis).c_str(), "Bottom Axis");
    drawn.chart->LeftAxis->Title()->SetCaption("Bq/m3");
    EXPECT_STREQ(drawn.chart->AxisTitleOrName(drawn.chart->LeftAxis).c_str(), "Bq/m3");
}

}  // namespace
