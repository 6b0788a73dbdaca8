// Series axes and geometry: the axis choice and its fallbacks, value-to-pixel conversion, the
// visible range, pages, depth positions and mouse tracking.
#include <gtest/gtest.h>

#include "PlotMarks.h"
#include "chart_test_support.h"

namespace {

class ClickCountingSeries : public TestLineSeries {
public:
    explicit ClickCountingSeries(TComponent* owner) : TestLineSeries(owner) {}
    int Clicked(int, int) override {
        ++clicks;
        return hit;
    }
    int clicks = 0;
    int hit = -1;
};

class SeriesGeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->ChartRect = Rect(100, 50, 500, 350);
        panel->ChartRectWidth = 400;
        panel->ChartRectHeight = 300;
        panel->AddSeries(series);
        for (int i = 0; i < 10; ++i) series->AddXY(i, i * i);
    }
    void ShowRange(double low, double high) {
        TChartAxis* axis = panel->BottomAxis;
        axis->SetMinMax(low, high);
        axis->AdjustMaxMin();
        axis->InternalCalcPositions();
    }
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
};

TEST_F(SeriesGeometryTest, AxisChoiceResolvesToTheAxesInUse) {
    EXPECT_EQ(series->GetHorizAxis(), panel->BottomAxis);
    EXPECT_EQ(series->GetVertAxis(), panel->LeftAxis);
    series->SetHorizAxis(aTopAxis);
    series->SetVertAxis(aRightAxis);
    EXPECT_EQ(series->GetHorizAxis(), panel->TopAxis);
    EXPECT_EQ(series->GetVertAxis(), panel->RightAxis);
    series->SetHorizAxis(aCustomHorizAxis);
    EXPECT_EQ(series->GetHorizAxis(), panel->BottomAxis);
    series->SetHorizAxis(aBothHorizAxis);
    EXPECT_TRUE(series->AssociatedToAxis(panel->TopAxis));
    EXPECT_TRUE(series->AssociatedToAxis(panel->BottomAxis));
    EXPECT_EQ(series->GetHorizAxis(), panel->BottomAxis);
    EXPECT_FALSE(series->AssociatedToAxis(panel->LeftAxis));
    EXPECT_EQ(series->ValueListOfAxis(panel->TopAxis), series->XValues);
    EXPECT_EQ(series->ValueListOfAxis(panel->RightAxis), series->YValues);
    EXPECT_EQ(series->ValueListOfAxis(panel->LeftAxis), nullptr);
}

TEST_F(SeriesGeometryTest, CustomAxesAndTheirRemoval) {
    auto* custom = new TChartAxis(panel.get());
    series->SetCustomVertAxis(custom);
    EXPECT_EQ(series->VertAxis(), aCustomVertAxis);
    EXPECT_EQ(series->GetVertAxis(), custom);
    series->SetCustomVertAxis(nullptr);
    EXPECT_EQ(series->VertAxis(), aLeftAxis);
    EXPECT_EQ(series->GetVertAxis(), panel->LeftAxis);
    series->SetCustomHorizAxis(custom);
    EXPECT_EQ(series->GetHorizAxis(), custom);
    panel->CustomAxes->Delete(0);
    EXPECT_EQ(series->HorizAxis(), aBottomAxis);
    EXPECT_EQ(series->CustomHorizAxis(), nullptr);
    EXPECT_EQ(series->GetHorizAxis(), panel->BottomAxis);
}

TEST_F(SeriesGeometryTest, PixelsComeFromTheAxesInUse) {
    ShowRange(0, 10);
    panel->LeftAxis->SetMinMax(0, 100);
    panel->LeftAxis->AdjustMaxMin();
    panel->LeftAxis->InternalCalcPositions();
    EXPECT_EQ(series->CalcXPos(5), 300);
    EXPECT_EQ(series->CalcYPos(5), 275);
    EXPECT_EQ(series->CalcPosValue(50), 200);
    EXPECT_DOUBLE_EQ(series->XScreenToValue(140), 1);
    EXPECT_EQ(series->CalcXSizeValue(2), 80);
    series->SetHorizontal();
    EXPECT_EQ(series->MandatoryList, series->XValues);
    EXPECT_EQ(series->CalcPosValue(5), 300);
    EXPECT_EQ(series->MandatoryAxis(), panel->BottomAxis);
}

TEST_F(SeriesGeometryTest, VisibleRangeFollowsTheAxis) {
    const struct {
        double low, high;
        bool keepOuter, inverted;
        int first, last;
    } cases[] = {
        {2.5, 6.5, false, false, 3, 6}, {2.5, 6.5, true, false, 3, 7},
        {2.5, 6.5, false, true, 3, 6},  {-5, 20, false, false, 0, 9},
        {20, 30, false, false, -1, -1}, {3, 3.5, false, false, 3, 3},
    };
    for (const auto& c : cases) {
        series->KeepOuterPoint = c.keepOuter;
        panel->BottomAxis->InternalSetInverted(c.inverted);
        ShowRange(c.low, c.high);
        series->CalcFirstLastVisibleIndex();
        EXPECT_EQ(series->FirstValueIndex, c.first) << c.low << ".." << c.high;
        EXPECT_EQ(series->LastValueIndex, c.last) << c.low << ".." << c.high;
    }
    series->XValues->SetOrder(loNone);
    ShowRange(2.5, 6.5);
    series->CalcFirstLastVisibleIndex();
    EXPECT_EQ(series->FirstValueIndex, 0);
    EXPECT_EQ(series->LastValueIndex, 9);
    series->Clear();
    series->CalcFirstLastVisibleIndex();
    EXPECT_EQ(series->FirstValueIndex, -1);
    EXPECT_EQ(series->VisibleCount(), 0);
}

TEST_F(SeriesGeometryTest, PagesSplitThePoints) {
    auto* longer = new TestLineSeries(panel.get());
    panel->AddSeries(longer);
    for (int i = 0; i < 20; ++i) longer->AddXY(i, 1);
    int first = 0, last = 0;
    series->CalcFirstLastPage(first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 9);
    panel->SetMaxPointsPerPage(4);
    EXPECT_EQ(panel->NumPages(), 5);
    const struct { int page, first, last; } cases[] = {{1, 0, 3}, {2, 4, 7}, {3, 8, 9}, {5, 4, 7}};
    for (const auto& c : cases) {
        panel->SetPage(c.page);
        series->CalcFirstLastPage(first, last);
        EXPECT_EQ(first, c.first) << c.page;
        EXPECT_EQ(last, c.last) << c.page;
    }
    series->Clear();
    series->CalcFirstLastPage(first, last);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(last, -1);
}

TEST_F(SeriesGeometryTest, DepthPositions) {
    auto* second = new TestLineSeries(panel.get());
    panel->AddSeries(second);
    panel->SetView3D(true);
    panel->MaxZOrder = -1;
    series->CalcZOrder();
    second->CalcZOrder();
    EXPECT_EQ(series->ComputedZOrder, 0);
    EXPECT_EQ(second->ComputedZOrder, 1);
    EXPECT_EQ(panel->MaxZOrder, 1);
    panel->SeriesDepthWidth = 10;
    second->CalcDepthPositions();
    EXPECT_EQ(second->StartZ, 10);
    EXPECT_EQ(second->EndZ, 20);
    EXPECT_EQ(second->MiddleZ, 15);
    EXPECT_EQ(second->Marks()->ZPosition, 15);
    second->SetDepth(5);
    second->CalcDepthPositions();
    EXPECT_EQ(second->EndZ, 15);
    panel->SetView3D(false);
    panel->MaxZOrder = -1;
    series->CalcZOrder();
    second->CalcZOrder();
    EXPECT_EQ(series->ComputedZOrder, 0);
    EXPECT_EQ(second->ComputedZOrder, 0);
    series->SetZOrder(2);
    second->SetZOrder(2);
    EXPECT_TRUE(series->MoreSameZOrder());
    EXPECT_TRUE(series->FirstInZOrder());
    EXPECT_FALSE(second->FirstInZOrder());
    second->SetZOrder(3);
    EXPECT_FALSE(series->MoreSameZOrder());
}

TEST_F(SeriesGeometryTest, MouseTrackingNeedsACursorOrAHandler) {
    auto* hover = new ClickCountingSeries(panel.get());
    panel->AddSeries(hover);
    EXPECT_FALSE(hover->CheckMouse(1, 1));
    EXPECT_EQ(hover->clicks, 0);
    int enters = 0, leaves = 0;
    hover->OnMouseEnter = [&](TObject*) { ++enters; };
    hover->OnMouseLeave = [&](TObject*) { ++leaves; };
    hover->hit = 0;
    EXPECT_TRUE(hover->CheckMouse(1, 1));
    EXPECT_TRUE(hover->CheckMouse(1, 1));
    EXPECT_EQ(enters, 1);
    EXPECT_TRUE(hover->MouseInside);
    hover->hit = -1;
    EXPECT_FALSE(hover->CheckMouse(1, 1));
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(hover->MouseInside);
    hover->hit = 2;
    EXPECT_TRUE(panel->CheckMouseSeries(1, 1));
}

}  // namespace
