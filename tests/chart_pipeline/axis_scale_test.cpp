// Axis scale: manual and automatic ranges, the checks of the range setters, value-to-pixel and
// pixel-to-value conversions (linear, clamped, inverted, logarithmic), margins and scrolling.
#include <gtest/gtest.h>

#include "Plotconst.h"
#include "chart_test_support.h"

namespace {

class AxisScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->ChartRect = Rect(100, 50, 500, 350);
        panel->ChartRectWidth = 400;
        panel->ChartRectHeight = 300;
    }
    // A manual range and the pixel span of the chart rectangle.
    void Place(TChartAxis* axis, double low, double high) {
        axis->SetMinMax(low, high);
        axis->AdjustMaxMin();
        axis->InternalCalcPositions();
    }
    std::string ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const AxisException& e) {
            return e.Message().str();
        }
        return "";
    }
    AxisPanelPtr panel{new TestAxisPanel};
    TChartAxis* bottom = panel->BottomAxis;
    TChartAxis* left = panel->LeftAxis;
};

TEST_F(AxisScaleTest, PanelHasSixStandardAxesThenCustomOnes) {
    ASSERT_EQ(panel->Axes->Count(), 6);
    const TChartAxis* expected[] = {panel->BottomAxis, panel->TopAxis,   panel->LeftAxis,
                                    panel->RightAxis,  panel->DepthAxis, panel->DepthTopAxis};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(panel->Axes->Get(i), expected[i]);
        EXPECT_FALSE(panel->Axes->Get(i)->IsCustom());
    }
    EXPECT_EQ(panel->CustomAxes->Count(), 0);
    auto* custom = new TChartAxis(panel.get());
    EXPECT_EQ(panel->Axes->Count(), 7);
    EXPECT_EQ(panel->CustomAxes->Count(), 1);
    EXPECT_TRUE(custom->IsCustom());
    EXPECT_TRUE(panel->TopAxis->OtherSide() && panel->TopAxis->Horizontal());
    EXPECT_EQ(panel->LeftAxis->Title()->Angle(), 90);
    EXPECT_EQ(panel->RightAxis->Title()->Angle(), 270);
    EXPECT_FALSE(panel->DepthAxis->Visible());
    EXPECT_TRUE(panel->DepthAxis->IsDepthAxis);
    panel->CustomAxes->Delete(0);
    EXPECT_EQ(panel->Axes->Count(), 6);
}

TEST_F(AxisScaleTest, SetMinMaxStoresAManualRange) {
    const struct {
        double low, high, minimum, maximum;
    } cases[] = {{0, 100, 0, 100}, {9, 3, 3, 9}, {5, 5, 5, 5 + 1e-10}, {-2, -2, -2, -2 + 1e-10}};
    for (const auto& c : cases) {
        bottom->SetAutomatic(true);
        bottom->SetMinMax(c.low, c.high);
        EXPECT_EQ(bottom->Minimum(), c.minimum);
        EXPECT_EQ(bottom->Maximum(), c.maximum);
        EXPECT_FALSE(bottom->Automatic());
        EXPECT_FALSE(bottom->AutomaticMinimum());
        EXPECT_FALSE(bottom->AutomaticMaximum());
    }
}

TEST_F(AxisScaleTest, AutomaticFlagsFollowEachOther) {
    bottom->SetAutomaticMinimum(false);
    EXPECT_FALSE(bottom->Automatic());
    EXPECT_TRUE(bottom->AutomaticMaximum());
    bottom->SetAutomaticMinimum(true);
    EXPECT_TRUE(bottom->Automatic());
    bottom->SetAutomatic(false);
    EXPECT_FALSE(bottom->AutomaticMinimum());
    EXPECT_FALSE(bottom->AutomaticMaximum());
}

TEST_F(AxisScaleTest, RangeSettersRefuseBadValuesAndKeepTheOldOnes) {
    using namespace Plotconst;
    Place(bottom, 0, 10);
    EXPECT_EQ(ErrorOf([&] { bottom->SetMinimum(20); }), PlotMsg_AxisMinMax.str());
    EXPECT_EQ(ErrorOf([&] { bottom->SetMaximum(-1); }), PlotMsg_AxisMaxMin.str());
    EXPECT_EQ(ErrorOf([&] { bottom->SetLogarithmicBase(1); }), PlotMsg_AxisLogBase.str());
    EXPECT_EQ(ErrorOf([&] { bottom->SetLogarithmicBase(0); }), PlotMsg_AxisLogBase.str());
    EXPECT_EQ(ErrorOf([&] { bottom->SetDesiredIncrement(-1); }), PlotMsg_AxisIncrementNeg.str());
    EXPECT_EQ(ErrorOf([&] { bottom->SetLabelsSeparation(-1); }), PlotMsg_AxisLabelSep.str());
    EXPECT_EQ(bottom->Minimum(), 0);
    EXPECT_EQ(bottom->Maximum(), 10);
    EXPECT_EQ(bottom->LogarithmicBase(), 10);
    EXPECT_EQ(bottom->Increment(), 0);
    EXPECT_EQ(bottom->LabelsSeparation(), 10);
    bottom->SetLabelsSeparation(0);
    EXPECT_EQ(bottom->LabelsSeparation(), 0);
    // While a stream is read the order is not checked.
    panel->IncludeState(csLoading);
    bottom->SetMinimum(20);
    panel->ExcludeState(csLoading);
    EXPECT_EQ(bottom->Minimum(), 20);
}

TEST_F(AxisScaleTest, RefusedLogarithmicScaleLeavesTheRangeAsItWas) {
    using namespace Plotconst;
    auto* series = new TestLineSeries(panel.get());
    panel->AddSeries(series);
    series->AddXY(0, -3);
    series->AddXY(1, 4);
    EXPECT_EQ(ErrorOf([&] { left->SetLogarithmic(true); }), PlotMsg_AxisLogNotPositive.str());
    EXPECT_FALSE(left->Logarithmic());
    EXPECT_EQ(left->Minimum(), 0);
    EXPECT_EQ(left->Maximum(), 0);
    series->XValues->SetDateTime(true);
    EXPECT_EQ(ErrorOf([&] { bottom->SetLogarithmic(true); }), PlotMsg_AxisLogDateTime.str());
    EXPECT_FALSE(bottom->Logarithmic());
}

TEST_F(AxisScaleTest, LinearConversionsRoundTiesToEven) {
    Place(bottom, 0, 100);
    Place(left, 0, 300);
    const struct {
        double value;
        int x, xInverted, y, yInverted;
    } cases[] = {
        {0, 100, 500, 350, 50},     {100, 500, 100, 250, 150},  {12.5, 150, 450, 338, 62},
        {0.125, 100, 500, 350, 50}, {0.375, 102, 498, 350, 50}, {2.5, 110, 490, 348, 52},
        {3.5, 114, 486, 346, 54},   {-10, 60, 540, 360, 40},
    };
    for (const auto& c : cases) {
        bottom->InternalSetInverted(false);
        left->InternalSetInverted(false);
        EXPECT_EQ(bottom->XPosValue(c.value), c.x) << c.value;
        EXPECT_EQ(bottom->CalcXPosValue(c.value), c.x) << c.value;
        EXPECT_EQ(left->YPosValue(c.value), c.y) << c.value;
        EXPECT_EQ(left->CalcPosValue(c.value), c.y) << c.value;
        bottom->InternalSetInverted(true);
        left->InternalSetInverted(true);
        EXPECT_EQ(bottom->XPosValue(c.value), c.xInverted) << c.value;
        EXPECT_EQ(left->YPosValue(c.value), c.yInverted) << c.value;
    }
}

TEST_F(AxisScaleTest, ClampedConversionsStayInsideTheCoordinateLimit) {
    Place(bottom, 0, 100);
    const int limit = PlotGDICoordinateLimit;
    EXPECT_EQ(limit, 0x3FFFFFF);
    EXPECT_EQ(bottom->XPosValueCheck(1e6 * 100), limit);
    EXPECT_EQ(bottom->XPosValueCheck(-1e12), -limit);
    EXPECT_EQ(bottom->CalcXPosValue(1e6 * 100), limit);
    panel->Axes->SetFastCalc(true);
    EXPECT_EQ(bottom->CalcXPosValue(1e6 * 100), 400000100);
    panel->Axes->SetFastCalc(false);
    EXPECT_EQ(bottom->CalcXPosValue(1e6 * 100), limit);
}

TEST_F(AxisScaleTest, ZeroRangeAndZeroSizeNeverDivide) {
    bottom->SetMinMax(5, 5);
    bottom->AdjustMaxMin();
    bottom->ScaleMaximum = 5;
    bottom->InternalCalcPositions();
    EXPECT_TRUE(bottom->RangeIsZero);
    EXPECT_EQ(bottom->XPosValue(5), 300);
    EXPECT_EQ(bottom->CalcSizeValue(3), 0);
    panel->ChartRectWidth = 0;
    Place(bottom, 0, 10);
    EXPECT_EQ(bottom->CalcPosPoint(100), 0);
}

TEST_F(AxisScaleTest, PixelToValueIsTheInverse) {
    Place(bottom, 0, 100);
    Place(left, 0, 300);
    EXPECT_DOUBLE_EQ(bottom->CalcPosPoint(150), 12.5);
    EXPECT_DOUBLE_EQ(left->CalcPosPoint(50), 300);
    EXPECT_DOUBLE_EQ(left->CalcPosPoint(200), 150);
    bottom->InternalSetInverted(true);
    EXPECT_DOUBLE_EQ(bottom->CalcPosPoint(150), 87.5);
    EXPECT_EQ(bottom->CalcSizeValue(25), 100);
    EXPECT_EQ(bottom->CalcSizeValue(-1), 0);
}

TEST_F(AxisScaleTest, LogarithmicConversions) {
    Place(left, 1, 1000);
    left->SetLogarithmic(true);
    left->AdjustMaxMin();
    left->InternalCalcPositions();
    EXPECT_EQ(left->CalcYPosValue(1), 350);
    EXPECT_EQ(left->CalcYPosValue(10), 250);
    EXPECT_EQ(left->CalcYPosValue(1000), 50);
    EXPECT_EQ(left->CalcYPosValue(0), 350);
    EXPECT_EQ(left->CalcPosPoint(50), 1000);
    EXPECT_EQ(left->CalcPosPoint(350), 1);
    EXPECT_NEAR(left->CalcPosPoint(250), 10, 1e-9);
    EXPECT_EQ(left->CalcSizeValue(10), 100);
    left->InternalSetInverted(true);
    EXPECT_EQ(left->CalcYPosValue(10), 150);
    EXPECT_EQ(left->CalcYPosValue(-1), 50);
    EXPECT_EQ(left->CalcPosPoint(50), 1);
    Place(bottom, 1, 10000);
    bottom->SetLogarithmic(true);
    bottom->AdjustMaxMin();
    EXPECT_EQ(bottom->CalcXPosValue(100), 300);
    EXPECT_EQ(bottom->CalcXPosValue(0), 100);
    EXPECT_EQ(bottom->CalcPosPoint(100), 1);
}

TEST_F(AxisScaleTest, MarginsWidenTheScale) {
    Place(bottom, 0, 100);
    bottom->AdjustMaxMinRect(Rect(40, 0, 40, 0));
    EXPECT_DOUBLE_EQ(bottom->ScaleMinimum, -12.5);
    EXPECT_DOUBLE_EQ(bottom->ScaleMaximum, 112.5);
    EXPECT_EQ(bottom->StartPixel, 100);
    EXPECT_EQ(bottom->CalcXPosValue(0), 140);
    EXPECT_EQ(bottom->CalcXPosValue(100), 460);
    Place(left, 0, 300);
    left->AdjustMaxMinRect(Rect(0, 30, 0, 0));
    EXPECT_DOUBLE_EQ(left->ScaleMaximum, 300 + 30 * 300.0 / 270);
    EXPECT_EQ(left->CalcYPosValue(300), 80);
    EXPECT_EQ(left->CalcYPosValue(0), 350);
}

TEST_F(AxisScaleTest, ScrollChecksTheSeriesExtremesWhenAsked) {
    auto* series = new TestLineSeries(panel.get());
    panel->AddSeries(series);
    series->AddXY(0, 0);
    series->AddXY(80, 1);
    bottom->SetMinMax(10, 100);
    bottom->Scroll(5, true);
    EXPECT_EQ(bottom->Minimum(), 10);
    EXPECT_EQ(bottom->Maximum(), 100);
    bottom->Scroll(0, true);
    EXPECT_EQ(bottom->Minimum(), 10);
    bottom->Scroll(-5, true);
    EXPECT_EQ(bottom->Minimum(), 5);
    EXPECT_EQ(bottom->Maximum(), 95);
    bottom->SetAutomatic(true);
    bottom->Scroll(5, false);
    EXPECT_FALSE(bottom->Automatic());
    EXPECT_EQ(bottom->Maximum(), 100);
}

TEST_F(AxisScaleTest, AutomaticRangeComesFromTheSeriesOnTheAxis) {
    auto* a = new TestLineSeries(panel.get());
    auto* b = new TestLineSeries(panel.get());
    panel->AddSeries(a);
    panel->AddSeries(b);
    a->AddXY(2, 10);
    a->AddXY(4, 30);
    b->AddXY(-1, 500);
    b->SetVertAxis(aRightAxis);
    bottom->AdjustMaxMin();
    left->AdjustMaxMin();
    panel->RightAxis->AdjustMaxMin();
    EXPECT_EQ(bottom->Minimum(), -1);
    EXPECT_EQ(bottom->Maximum(), 4);
    EXPECT_EQ(left->Minimum(), 10);
    EXPECT_EQ(left->Maximum(), 30);
    EXPECT_EQ(panel->RightAxis->Maximum(), 500);
    left->SetAutomaticMaximum(false);
    left->InternalSetMaximum(100);
    left->AdjustMaxMin();
    EXPECT_EQ(left->ScaleMinimum, 10);
    EXPECT_EQ(left->ScaleMaximum, 100);
}

TEST_F(AxisScaleTest, CustomAxesFollowTheirMasterOnSetMinMaxOnly) {
    auto* custom = new TChartAxis(panel.get());
    custom->MasterAxis = left;
    left->SetMinMax(2, 8);
    EXPECT_EQ(custom->Minimum(), 2);
    EXPECT_EQ(custom->Maximum(), 8);
    left->SetMinimum(3);
    EXPECT_EQ(custom->Minimum(), 2);
}

TEST_F(AxisScaleTest, PositionsFollowStartEndAndDepth) {
    bottom->SetStartPosition(25);
    bottom->SetEndPosition(75);
    Place(bottom, 0, 10);
    EXPECT_EQ(bottom->StartPixel, 200);
    EXPECT_EQ(bottom->EndPixel, 400);
    EXPECT_EQ(bottom->CenterPixel, 300);
    panel->DepthWidth = 30;
    panel->TopAxis->InternalCalcPositions();
    EXPECT_EQ(panel->TopAxis->DepthOffset, 30);
    bottom->SetZPosition(0);
    EXPECT_EQ(bottom->ZPosition(), 0.01);
    EXPECT_FALSE(bottom->IsZStored());
    EXPECT_FALSE(panel->TopAxis->IsZStored());
}

}  // namespace
