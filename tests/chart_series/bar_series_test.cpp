// Bar series layout (sizes, margins, side-by-side and stacked places), drawing into a bitmap,
// click tests, and the line-point and bar-join series.
#include <gtest/gtest.h>

#include "BarSeries.h"
#include "ChartRegistry.h"
#include "MyPoint.h"
#include "PlotMarks.h"
#include "chart_fixture.h"

namespace {

class BarSeriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawn.chart->Legend()->SetVisible(false);
        drawn.chart->Title()->SetVisible(false);
    }
    template <class T = TBarSeries>
    T* Add(std::initializer_list<double> values, TColor color = clRed) {
        auto* series = new T(drawn.owner);
        for (double v : values) series->Add(v);
        series->SetSeriesColor(color);
        series->Marks()->SetVisible(false);
        drawn.chart->AddSeries(series);
        return series;
    }
    COLORREF Pixel(int x, int y) { return GetPixel(drawn.bitmap->Canvas()->Handle(), x, y); }
    TChartAxis* Bottom() { return drawn.chart->BottomAxis; }
    TChartAxis* Left() { return drawn.chart->LeftAxis; }

    BitmapChart drawn{400, 300};
};

TEST_F(BarSeriesTest, SideBySideBarsShareTheSlotOfA600PixelAxis) {
    TBarSeries* first = Add({1, 2, 3, 4, 5});
    TBarSeries* second = Add({5, 4, 3, 2, 1});
    drawn.Render();
    EXPECT_EQ(first->MaxBarPoints(), 6);
    EXPECT_EQ(first->BarCount(), 2);
    EXPECT_EQ(first->OrderPosition(), 1);
    EXPECT_EQ(second->OrderPosition(), 2);
    Bottom()->AxisPixels = 600;
    int left = 0, right = 0;
    first->CalcHorizMargins(left, right);
    EXPECT_EQ(first->BarSize(), 36);  // round(70) div 2 = 35, odd, so 36
    EXPECT_EQ(left, 72);
    EXPECT_EQ(right, 72);
    second->CalcHorizMargins(left, right);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(first->CalcXPos(i), Bottom()->CalcPosValue(i) - 36);
        EXPECT_EQ(second->CalcXPos(i), Bottom()->CalcPosValue(i));
    }
}

TEST_F(BarSeriesTest, MaximumBarPointsGrowsOnlyForALargerSeries) {
    TBarSeries* first = Add({1, 2, 3, 4, 5});
    Add({1, 2, 3, 4, 5, 6});
    drawn.Render();
    EXPECT_EQ(first->MaxBarPoints(), 6);
}

TEST_F(BarSeriesTest, WithoutCountedBarsTheSizeIsZero) {
    TBarSeries* bars = Add({1, 2});
    int left = -1, right = -1;
    bars->CalcHorizMargins(left, right);  // before any drawing counted the bars
    EXPECT_EQ(bars->BarSize(), 0);
    EXPECT_EQ(left, 0);
    bars->SetActive(false);
    drawn.Render();
    bars->CalcHorizMargins(left, right);
    EXPECT_EQ(bars->BarSize(), 0);
}

TEST_F(BarSeriesTest, NegativeValuesStackOnlyOnNegativeOnes) {
    TBarSeries* up = Add({3});
    TBarSeries* down = Add({-2}, clBlue);
    up->SetMultiBar(mbStacked);
    EXPECT_EQ(down->MultiBar(), mbStacked);
    drawn.Render();
    EXPECT_EQ(down->PointOrigin(0, false), 0);
    EXPECT_EQ(down->GetOriginPos(0), Left()->CalcPosValue(0));
    EXPECT_EQ(down->CalcYPos(0), Left()->CalcPosValue(-2));
    EXPECT_EQ(up->CalcYPos(0), Left()->CalcPosValue(3));
}

TEST_F(BarSeriesTest, StackedToHundredWithAZeroTotalSitsAtPixelZero) {
    TBarSeries* a = Add({0, 1});
    Add({0, 3});
    a->SetMultiBar(mbStacked100);
    drawn.Render();
    EXPECT_EQ(a->CalcYPos(0), 0);
    EXPECT_EQ(a->GetOriginPos(0), 0);
    EXPECT_EQ(a->CalcYPos(1), Left()->CalcPosValue(25));
}

TEST_F(BarSeriesTest, FullWidthBarsTouchTheirNeighbours) {
    TBarSeries* bars = Add({1, 2, 3});
    bars->SetBarWidthPercent(100);
    drawn.Render();
    for (int i = 0; i < 2; ++i) {
        bars->CalcBarBounds(i);
        EXPECT_EQ(bars->BarBounds().Right, bars->CalcXPos(i + 1));
    }
    bars->CalcBarBounds(2);
    EXPECT_EQ(bars->BarBounds().Right - bars->BarBounds().Left, bars->BarSize() + 1);
}

TEST_F(BarSeriesTest, BarsAreFilledAndANullPointLeavesAGap) {
    TBarSeries* bars = Add({4, 4, 4});
    bars->SetNull(1);
    drawn.Render();
    const int y = Left()->CalcPosValue(2) + 2;
    for (int i = 0; i < 3; ++i) {
        const int x = Bottom()->CalcPosValue(i) + 3;
        EXPECT_EQ(Pixel(x, y), i == 1 ? RGB(255, 255, 255) : RGB(255, 0, 0)) << i;
    }
}

TEST_F(BarSeriesTest, HorizontalBarsRunFromTheOriginAlongX) {
    auto* bars = Add<THorizBarSeries>({2, 4});
    drawn.Render();
    const int y = Left()->CalcPosValue(1) + 2;
    EXPECT_EQ(Pixel(Bottom()->CalcPosValue(3.3), y), RGB(255, 0, 0));
    const int y0 = Left()->CalcPosValue(0) + 2;
    EXPECT_EQ(Pixel(Bottom()->CalcPosValue(1.3), y0), RGB(255, 0, 0));
    int lastRed = -1;
    for (int x = 0; x < 400; ++x)
        if (Pixel(x, y0) == RGB(255, 0, 0)) lastRed = x;
    EXPECT_EQ(lastRed, bars->CalcXPos(0) - 2);  // the outline takes the last column
    EXPECT_GT(bars->BarSize(), 0);
}

TEST_F(BarSeriesTest, ClicksHitTheBarShape) {
    TBarSeries* bars = Add({4, 8});
    drawn.Render();
    const int x1 = Bottom()->CalcPosValue(1);
    EXPECT_EQ(bars->Clicked(x1, Left()->CalcPosValue(7)), 1);
    EXPECT_EQ(bars->Clicked(x1, Left()->CalcPosValue(8.5)), -1);
    EXPECT_EQ(bars->Clicked(Bottom()->CalcPosValue(0), Left()->CalcPosValue(5)), -1);
    bars->SetBarStyle(bsPyramid);
    // Near the top, only the middle of a pyramid is inside.
    EXPECT_EQ(bars->Clicked(x1, Left()->CalcPosValue(7.5)), 1);
    EXPECT_EQ(bars->Clicked(bars->CalcXPos(1) + 1, Left()->CalcPosValue(7.5)), -1);
}

TEST_F(BarSeriesTest, OnePointPerPageShowsTheCurrentPageBar) {
    TBarSeries* bars = Add({1, 2, 3});
    drawn.chart->SetMaxPointsPerPage(1);
    drawn.chart->SetPage(2);
    drawn.Render();
    EXPECT_EQ(bars->FirstValueIndex, 1);
    EXPECT_EQ(bars->LastValueIndex, 1);
}

TEST_F(BarSeriesTest, RelativeGradientOfEqualValuesTakesTheBarColour) {
    TBarSeries* bars = Add({0, 0}, clBlue);
    bars->SetBarStyle(bsRectGradient);
    bars->Gradient()->SetRelative(true);
    bars->Gradient()->SetDirection(gdTopBottom);
    drawn.Render();  // must not divide by zero
    Add({5, 5});
    bars->SetYOrigin(5);
    drawn.Render();
    EXPECT_EQ(bars->Gradient()->EndColor(), clBlue);
}

TEST_F(BarSeriesTest, BarJoinLinksTheTopsOfNeighbouringBars) {
    auto* bars = Add<TBarJoinSeries>({3, 3, 4}, clRed);
    bars->JoinPen()->SetColor(clBlue);
    drawn.Render();
    bars->CalcBarBounds(0);
    const TRect first = bars->BarBounds();
    bars->CalcBarBounds(1);
    const int gapMiddle = (first.Right + bars->BarBounds().Left) / 2;
    EXPECT_EQ(Pixel(gapMiddle, first.Top), RGB(0, 0, 255));

    BitmapChart single{400, 300};
    auto* one = new TBarJoinSeries(single.owner);
    one->Add(4);
    one->JoinPen()->SetColor(clBlue);
    single.chart->AddSeries(one);
    single.Render();
    int blue = 0;
    for (int x = 0; x < 400; ++x)
        for (int y = 0; y < 300; y += 3)
            blue += GetPixel(single.bitmap->Canvas()->Handle(), x, y) == RGB(0, 0, 255);
    EXPECT_EQ(blue, 0);
}

TEST_F(BarSeriesTest, LinePointDrawsDropLinesToBothAxes) {
    auto* points = Add<TMyPointSeries>({});
    points->AddXY(2, 5);
    points->AddXY(0, 0);
    points->AddXY(4, 10);
    drawn.Render();
    const int x = Bottom()->CalcPosValue(2), y = Left()->CalcPosValue(5);
    const int axisX = Left()->AxisLinePos, axisY = Bottom()->AxisLinePos;
    EXPECT_EQ(Pixel((axisX + x) / 2 - 10, y), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(x, (y + axisY) / 2 + 10), RGB(255, 0, 0));
}

TEST(MyPointRegistration, BothSeriesAreInTheGallery) {
    ASSERT_NE(PlotSeriesTypes, nullptr);
    EXPECT_NE(PlotSeriesTypes->Find(TMyPointSeries::StaticClass()), nullptr);
    EXPECT_NE(PlotSeriesTypes->Find(TBarJoinSeries::StaticClass()), nullptr);
    EXPECT_EQ(PlotSeriesTypes->Find(TBarSeries::StaticClass()), nullptr);
}

}  // namespace
