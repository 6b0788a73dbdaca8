// Axis labels: the increment search (1-2-5 steps, desired increments, logarithmic and date-time
// steps), the label style, the value sequences (linear, logarithmic, calendar, event-driven) and
// the label texts and sizes.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotAxes.h"
#include "chart_test_support.h"
#include "cl_datetime.h"
#include "cl_locale.h"
#include "cl_number.h"

namespace {

struct Label {
    int x, y;
    std::string text;
};

class AxisLabelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->InternalCanvas->SetUseBuffer(false);
        panel->InternalCanvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false,
                                          Rect(0, 0, 600, 400));
        SetChartRect(Rect(100, 50, 500, 350));
        panel->AddSeries(series);
        series->AddXY(0, 0);
        series->AddXY(100, 100);
    }
    void SetChartRect(const TRect& r) {
        panel->ChartRect = r;
        panel->ChartRectWidth = r.Width();
        panel->ChartRectHeight = r.Height();
    }
    // The labels the axis draws over its current range, as the label event sees them.
    std::vector<Label> DrawLabels(TChartAxis* axis) {
        std::vector<Label> labels;
        axis->OnDrawLabel = [&labels](TChartAxis*, int& x, int& y, int&, AnsiString& text, bool&) {
            labels.push_back({x, y, text.str()});
        };
        axis->AdjustMaxMin();
        axis->InternalCalcPositions();
        axis->Draw(true);
        axis->OnDrawLabel = nullptr;
        return labels;
    }
    static std::vector<std::string> Texts(const std::vector<Label>& labels) {
        std::vector<std::string> texts;
        for (const Label& l : labels) texts.push_back(l.text);
        return texts;
    }
    static std::string Number(double v) { return FormatFloat("#,##0.###", v).str(); }

    std::unique_ptr<TBitmap> bitmap = FilledBitmap(600, 400, clWhite);
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
    TChartAxis* bottom = panel->BottomAxis;
    TChartAxis* left = panel->LeftAxis;
};

TEST(AxisIncrementSteps, NextIncrementStepFollowsOneTwoFive) {
    const struct {
        double from, to;
    } cases[] = {{1, 2}, {1.5, 2}, {2, 5}, {5, 10}, {0.3, 0.5}, {70, 100}, {10, 20}, {0.07, 0.1}};
    for (const auto& c : cases)
        EXPECT_NEAR(TChartAxis::NextIncrementStep(c.from), c.to, 1e-12) << c.from;
}

TEST_F(AxisLabelsTest, IncrementSearch) {
    bottom->SetMinMax(0, 100);
    bottom->AdjustMaxMin();
    bottom->InternalCalcPositions();
    ASSERT_EQ(bottom->AxisPixels, 400);
    // Labels 30 wide with 10 % separation: 12 fit, 100 / 13 grows to 10.
    EXPECT_DOUBLE_EQ(bottom->CalcXYIncrement(30), 10);
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(12), 10);
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(0), MinAxisIncrement);
    bottom->SetLabelsSeparation(0);
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(12), 100.0 / 13);
    bottom->SetLabelsSeparation(10);
    bottom->SetDesiredIncrement(7);
    bottom->SetMinMax(0, 10);
    bottom->AdjustMaxMin();
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(12), 7);
    bottom->SetDesiredIncrement(0);
    // A zero range gives 1.
    bottom->ScaleMaximum = bottom->ScaleMinimum = 5;
    bottom->InternalCalcRange();
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(12), 1);
}

TEST_F(AxisLabelsTest, IncrementIsAtLeastOneWhenASeriesHasFewerPointsThanLabels) {
    bottom->SetMinMax(0, 5);
    bottom->AdjustMaxMin();
    bottom->InternalCalcPositions();
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(12), 1);
    series->SetActive(false);
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(12), 0.5);
}

TEST_F(AxisLabelsTest, DateTimeIncrementWalksTheStepTable) {
    bottom->SetMinMax(0, 10);
    bottom->AdjustMaxMin();
    bottom->InternalCalcPositions();
    bottom->IsDateTimeScale = true;
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(5), 2);
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(10), 1);
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(0), DateTimeStep[dtOneMicroSecond]);
    bottom->SetMinMax(0, 3650);
    bottom->AdjustMaxMin();
    // Past one year the step doubles.
    EXPECT_DOUBLE_EQ(bottom->CalcLabelsIncrement(4), 1460);
}

TEST_F(AxisLabelsTest, LogarithmicIncrementIsAPowerOfTheBase) {
    left->SetMinMax(1, 1000);
    left->SetLogarithmic(true);
    left->AdjustMaxMin();
    left->InternalCalcPositions();
    EXPECT_DOUBLE_EQ(left->RoundLogPower(76.8), 100);
    EXPECT_DOUBLE_EQ(left->CalcLabelsIncrement(12), 100);
}

TEST_F(AxisLabelsTest, LinearLabelsRunFromTheTopDownAtTheirPixels) {
    bottom->SetMinMax(0, 100);
    bottom->SetDesiredIncrement(10);
    const std::vector<Label> labels = DrawLabels(bottom);
    ASSERT_EQ(labels.size(), 11u);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(labels[i].text, Number(100 - 10 * i));
        EXPECT_EQ(labels[i].x, bottom->CalcXPosValue(100 - 10 * i));
    }
    EXPECT_EQ(bottom->TickPixels.size(), 11u);
}

TEST_F(AxisLabelsTest, RoundFirstLabelStartsAtAMultipleOfTheIncrement) {
    bottom->SetMinMax(0, 10);
    bottom->SetDesiredIncrement(7);
    EXPECT_EQ(Texts(DrawLabels(bottom)), (std::vector<std::string>{"7", "0"}));
    bottom->SetRoundFirstLabel(false);
    EXPECT_EQ(Texts(DrawLabels(bottom)), (std::vector<std::string>{"10", "3"}));
}

TEST_F(AxisLabelsTest, ZeroRangeGivesOneLabelInTheMiddle) {
    series->Clear();
    series->AddXY(5, 1);
    const std::vector<Label> labels = DrawLabels(bottom);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "5");
    EXPECT_EQ(labels[0].x, bottom->CenterPixel);
    EXPECT_EQ(bottom->CenterPixel, 300);
}

TEST_F(AxisLabelsTest, AxisTooShortForOneLabelShowsNone) {
    SetChartRect(Rect(100, 50, 102, 350));
    bottom->SetMinMax(0, 100);
    EXPECT_TRUE(DrawLabels(bottom).empty());
}

TEST_F(AxisLabelsTest, LogarithmicLabelsArePowersOrTenthsInsideOneDecade) {
    left->SetMinMax(1, 1000);
    left->SetLogarithmic(true);
    EXPECT_EQ(Texts(DrawLabels(left)),
              (std::vector<std::string>{Number(1), Number(10), Number(100), Number(1000)}));
    left->SetMinMax(2, 8);
    const std::vector<std::string> texts = Texts(DrawLabels(left));
    ASSERT_EQ(texts.size(), 61u);
    EXPECT_EQ(texts.front(), Number(2));
    EXPECT_EQ(texts[1], Number(2.1));
    EXPECT_EQ(texts.back(), Number(8));
}

TEST_F(AxisLabelsTest, DateTimeLabelsUseTheFormatAndTheCalendar) {
    series->Clear();
    series->XValues->SetDateTime(true);
    const TDateTime first = EncodeDate(2000, 1, 1), last = EncodeDate(2010, 1, 1);
    series->AddXY(first, 1);
    series->AddXY(last, 2);
    SetChartRect(Rect(100, 50, 200, 350));
    bottom->SetDateTimeFormat("yyyy");
    bottom->SetDesiredIncrement(DateTimeStep[dtOneYear]);
    bottom->AdjustMaxMin();
    bottom->InternalCalcPositions();
    bottom->IsDateTimeScale = true;
    panel->InternalCanvas->AssignFont(bottom->LabelsFont());
    const int years = static_cast<int>(std::lround(bottom->CalcIncrement() / 365));
    ASSERT_GE(years, 2);
    std::vector<std::string> expected;
    for (int year = 2010; year >= 2000; year -= years) expected.push_back(std::to_string(year));
    EXPECT_EQ(Texts(DrawLabels(bottom)), expected);
}

TEST_F(AxisLabelsTest, DateTimeTextsComeFromTheDefaultFormatOfTheRange) {
    series->Clear();
    series->XValues->SetDateTime(true);
    const TDateTime day = EncodeDate(2021, 3, 4);
    series->AddXY(day, 1);
    series->AddXY(day + 10, 2);
    bottom->AdjustMaxMin();
    bottom->IsDateTimeScale = true;
    AnsiString expected;
    DateTimeToString(expected, ShortDateFormat, day + 2);
    EXPECT_EQ(bottom->LabelValue(day + 2), expected);
    EXPECT_EQ(bottom->LabelValue(-1), "");
    bottom->ScaleMaximum = day + 0.5;
    bottom->InternalCalcRange();
    DateTimeToString(expected, ShortTimeFormat, day + 0.25);
    EXPECT_EQ(bottom->LabelValue(day + 0.25), expected);
}

TEST_F(AxisLabelsTest, LabelTextsGoThroughTheFormatAndTheLabelEvent) {
    EXPECT_EQ(left->LabelValue(1234.5678), FormatFloat("#,##0.###", 1234.5678));
    left->SetAxisValuesFormat("0.0");
    EXPECT_EQ(left->LabelValue(2.25), FormatFloat("0.0", 2.25));
    panel->OnGetAxisLabel = [](TChartAxis*, TChartSeries* s, int index, AnsiString& text) {
        if (!s && index == -1) text = "<" + text + ">";
    };
    EXPECT_EQ(left->LabelValue(3), "<" + FormatFloat("0.0", 3) + ">");
    panel->OnGetAxisLabel = nullptr;
    left->SetAxisValuesFormat("0 0");
    left->SetLabelsMultiLine(true);
    EXPECT_EQ(left->LabelValue(12), AnsiString("1\r2"));
}

TEST_F(AxisLabelsTest, MultiLineLabelsMeasureByTheirLines) {
    TPlotCanvas3D* canvas = panel->InternalCanvas;
    canvas->AssignFont(left->LabelsFont());
    left->SetAxisValuesFormat("0 0");
    EXPECT_EQ(left->LabelHeight(12), canvas->FontHeight());
    left->SetLabelsMultiLine(true);
    EXPECT_EQ(left->LabelHeight(12), 2 * canvas->FontHeight());
    EXPECT_EQ(left->LabelWidth(12), Max(canvas->TextWidth("1"), canvas->TextWidth("2")));
    left->SetLabelsAngle(90);
    EXPECT_EQ(left->LabelWidth(12), 2 * canvas->FontHeight());
}

TEST_F(AxisLabelsTest, MaxLabelsWidthMeasuresTheRoundedEnds) {
    TPlotCanvas3D* canvas = panel->InternalCanvas;
    left->SetMinMax(0, 1234);
    left->AdjustMaxMin();
    left->InternalCalcPositions();
    canvas->AssignFont(left->LabelsFont());
    const double increment = left->CalcIncrement();
    const double top = std::trunc(1234 / increment) * increment;
    EXPECT_EQ(left->MaxLabelsWidth(),
              canvas->TextWidth(FormatFloat("#,##0.###", top)) + canvas->TextWidth(" "));
    left->LabelItems->Add(5, "a much longer custom text");
    EXPECT_EQ(left->MaxLabelsWidth(), canvas->TextWidth("a much longer custom text"));
}

TEST_F(AxisLabelsTest, LabelStyleFollowsTheSeries) {
    EXPECT_EQ(bottom->CalcLabelStyle(), talValue);
    series->SetXLabel(0, "first");
    EXPECT_EQ(bottom->CalcLabelStyle(), talText);
    EXPECT_EQ(left->CalcLabelStyle(), talValue);
    series->SetActive(false);
    EXPECT_EQ(bottom->CalcLabelStyle(), talNone);
    bottom->SetLabelStyle(talMark);
    EXPECT_EQ(bottom->CalcLabelStyle(), talMark);
}

TEST_F(AxisLabelsTest, LabelEventSuppliesTheValues) {
    bottom->SetMinMax(0, 100);
    std::vector<int> indexes;
    panel->OnGetNextAxisLabel = [&](TChartAxis*, int index, double& value, bool& stop) {
        indexes.push_back(index);
        const double values[] = {10, 20, 200};
        value = values[index];
        stop = false;
    };
    EXPECT_EQ(Texts(DrawLabels(bottom)), (std::vector<std::string>{"10", "20"}));
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
    // Stopping at once falls back to the value sequence.
    panel->OnGetNextAxisLabel = [](TChartAxis*, int, double&, bool&) {};
    bottom->SetDesiredIncrement(50);
    EXPECT_EQ(Texts(DrawLabels(bottom)), (std::vector<std::string>{"100", "50", "0"}));
}

}  // namespace
