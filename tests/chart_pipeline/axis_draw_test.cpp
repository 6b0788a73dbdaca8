// Axis drawing: layout in the chart rectangle, axis line, outer, inner and minor ticks, grids,
// label placement (alternating, aligned to the band, multi-line, exponents, from series texts),
// custom labels and the hit test.
#include <gtest/gtest.h>

#include "PlotAxes.h"
#include "chart_test_support.h"

namespace {

class AxisDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->SetInternalCanvas(canvas);
        canvas->SetUseBuffer(false);
        canvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false, Rect(0, 0, 600, 400));
        panel->ChartRect = Rect(100, 50, 500, 350);
        panel->ChartRectWidth = 400;
        panel->ChartRectHeight = 300;
        panel->AddSeries(series);
        series->AddXY(0, 0);
        series->AddXY(100, 100);
        for (TChartAxis* axis : {bottom, left}) {
            axis->SetMinMax(0, 100);
            axis->SetDesiredIncrement(50);
            axis->VisibleInDrawing = true;
        }
    }
    void Draw(TChartAxis* axis) {
        axis->AdjustMaxMin();
        axis->InternalCalcPositions();
        TRect r = panel->ChartRect;
        axis->CalcRect(r, false);
        log.clear();
        axis->Draw(true);
    }
    int FontHeight(TChartAxis* axis) {
        canvas->AssignFont(axis->LabelsFont());
        return canvas->FontHeight();
    }

    std::unique_ptr<TBitmap> bitmap = FilledBitmap(600, 400, clWhite);
    CallLog log;
    CallLogCanvas* canvas = new CallLogCanvas(&log);
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
    TChartAxis* bottom = panel->BottomAxis;
    TChartAxis* left = panel->LeftAxis;
};

TEST_F(AxisDrawTest, BottomAxisLineTicksAndGridGeometry) {
    EXPECT_EQ(bottom->SizeTickAxis(), 7);
    bottom->SetTickInnerLength(3);
    bottom->MinorTicks()->Hide();
    Draw(bottom);
    EXPECT_EQ(bottom->AxisLinePos, 350);
    EXPECT_EQ(bottom->LabelsPos, 357);
    EXPECT_EQ(bottom->TickPixels, (std::vector<int>{500, 300, 100}));
    const CallLog expected = {
        CallText("HorizLine3D", {100, 500, 350, 0}), CallText("DoVertLine", {500, 351, 355}),
        CallText("DoVertLine", {300, 351, 355}),     CallText("DoVertLine", {100, 351, 355}),
        CallText("DoVertLine", {300, 51, 350}),      CallText("DoVertLine", {500, 349, 346}),
        CallText("DoVertLine", {300, 349, 346}),     CallText("DoVertLine", {100, 349, 346})};
    const int first = FirstCall(log, "HorizLine3D");
    ASSERT_GE(first, 0);
    EXPECT_EQ(CallLog(log.begin() + first, log.end()), expected);
}

TEST_F(AxisDrawTest, LeftAxisTicksPointLeftAndItsGridRunsAcross) {
    left->MinorTicks()->Hide();
    left->TicksInner()->Hide();
    Draw(left);
    EXPECT_EQ(left->AxisLinePos, 100);
    EXPECT_EQ(left->TickPixels, (std::vector<int>{50, 200, 350}));
    EXPECT_EQ(CallsStartingWith(log, "VertLine3D"),
              (CallLog{CallText("VertLine3D", {100, 50, 350, 0})}));
    EXPECT_EQ(
        CallsStartingWith(log, "DoHorizLine"),
        (CallLog{CallText("DoHorizLine", {99, 95, 50}), CallText("DoHorizLine", {99, 95, 200}),
                 CallText("DoHorizLine", {99, 95, 350}),
                 CallText("DoHorizLine", {101, 500, 200})}));
}

TEST_F(AxisDrawTest, MinorTicksFillBetweenTheTicks) {
    bottom->TicksInner()->Hide();
    bottom->Grid()->Hide();
    Draw(bottom);
    const CallLog minor = CallsStartingWith(log, "DoVertLine");
    CallLog expected;
    for (int p : {500, 300, 100}) expected.push_back(CallText("DoVertLine", {p, 351, 355}));
    for (int p : {350, 400, 450, 150, 200, 250})
        expected.push_back(CallText("DoVertLine", {p, 351, 353}));
    EXPECT_EQ(minor, expected);
}

TEST_F(AxisDrawTest, CenteredGridRunsBetweenTicksAndDefaultColourIsGrey) {
    bottom->SetDesiredIncrement(25);
    bottom->SetGridCentered(true);
    bottom->Grid()->SetStyle(psSolid);
    bottom->Grid()->SetColor(clDefault);
    bottom->Ticks()->Hide();
    bottom->TicksInner()->Hide();
    bottom->MinorTicks()->Hide();
    int hookCalls = 0;
    bottom->GridsHook = [&](TChartAxis*) { ++hookCalls; };
    Draw(bottom);
    ASSERT_EQ(bottom->TickPixels.size(), 5u);
    EXPECT_EQ(
        CallsStartingWith(log, "DoVertLine"),
        (CallLog{CallText("DoVertLine", {450, 51, 350}), CallText("DoVertLine", {350, 51, 350}),
                 CallText("DoVertLine", {250, 51, 350}), CallText("DoVertLine", {150, 51, 350})}));
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(PixelOf(bitmap.get(), 450, 200), clGray);
    bottom->Grid()->Hide();
    Draw(bottom);
    EXPECT_EQ(hookCalls, 2);
}

TEST_F(AxisDrawTest, LayoutShrinksTheRectangleByTitleLabelsAndTicks) {
    bottom->Title()->SetCaption("Time");
    canvas->AssignFont(bottom->Title()->Font());
    const int titleHeight = canvas->FontHeight();
    const int labelsHeight = FontHeight(bottom);
    bottom->AdjustMaxMin();
    bottom->InternalCalcPositions();
    TRect r = panel->ChartRect;
    bottom->CalcRect(r, true);
    EXPECT_EQ(bottom->TitlePos, 350 - titleHeight);
    EXPECT_EQ(bottom->LabelsPos, 350 - titleHeight - labelsHeight);
    EXPECT_EQ(r, Rect(100, 50, 500, 350 - titleHeight - labelsHeight - 7));
    // A positive position moves the labels into the chart.
    bottom->SetPositionUnits(muPixels);
    bottom->SetPositionPercent(10);
    r = panel->ChartRect;
    bottom->CalcRect(r, true);
    EXPECT_EQ(bottom->LabelsPos, 350 - titleHeight - labelsHeight - 10);
}

TEST_F(AxisDrawTest, AlternatingLabelsUseTwoRows) {
    bottom->SetLabelsAlternate(true);
    const int h = FontHeight(bottom);
    EXPECT_EQ(bottom->SizeLabels(), 2 * h);
    std::vector<int> ys;
    bottom->OnDrawLabel = [&](TChartAxis*, int&, int& y, int&, AnsiString&, bool&) {
        ys.push_back(y);
    };
    Draw(bottom);
    // Two rows make room for labels twice as dense.
    const int row = bottom->LabelsPos - h;
    EXPECT_EQ(ys, (std::vector<int>{row, row + h, row, row + h, row}));
}

TEST_F(AxisDrawTest, OppositeAlignedLabelsStartAtTheBandsOuterEdge) {
    left->SetLabelsAlign(alOpposite);
    std::vector<int> xs;
    left->OnDrawLabel = [&](TChartAxis*, int& x, int&, int&, AnsiString&, bool&) {
        xs.push_back(x);
    };
    Draw(left);
    canvas->AssignFont(left->LabelsFont());
    ASSERT_FALSE(xs.empty());
    for (int x : xs) EXPECT_EQ(x, left->LabelsPos - left->SizeLabels());
}

TEST_F(AxisDrawTest, TwoLineLabelOnTheLeftAxisIsCentredOnItsPixel) {
    left->LabelItems->Add(50, "A\rB");
    Draw(left);
    const int h = FontHeight(left);
    const int top = 200 - h / 2 - PlotRound(h * 0.5 * 3);
    const CallLog texts = CallsStartingWith(log, "TextOut3D");
    ASSERT_EQ(texts.size(), 2u);
    const int x = left->LabelsPos;
    EXPECT_EQ(texts[0], "TextOut3D(" + std::to_string(x) + "," + std::to_string(top + h) + ",0,A)");
    EXPECT_EQ(texts[1],
              "TextOut3D(" + std::to_string(x) + "," + std::to_string(top + 2 * h) + ",0,B)");
}

TEST_F(AxisDrawTest, ExponentIsRaisedAndSmaller) {
    bottom->LabelItems->Add(50, "1.5E3");
    bottom->SetLabelsExponent(true);
    const int h = FontHeight(bottom);
    int size = 0;
    bottom->OnDrawLabel = [&](TChartAxis*, int&, int&, int&, AnsiString&, bool&) {
        size = canvas->Font()->Size();
    };
    Draw(bottom);
    const CallLog texts = CallsStartingWith(log, "TextOut3D");
    ASSERT_EQ(texts.size(), 2u);
    const int y = bottom->LabelsPos;
    EXPECT_EQ(texts[0].substr(0, 10), "TextOut3D(");
    EXPECT_NE(texts[0].find("," + std::to_string(y - (h - 1) / 2 + 2) + ",0,3)"),
              std::string::npos);
    EXPECT_NE(texts[1].find("," + std::to_string(y) + ",0,1.5)"), std::string::npos);
    EXPECT_EQ(canvas->Font()->Size(), size);
}

TEST_F(AxisDrawTest, CustomLabelsOutsideTheRangeDrawNothing) {
    bottom->LabelItems->Add(150, "out");
    bottom->LabelItems->Add(50, "in");
    bottom->SetTickOnLabelsOnly(false);
    Draw(bottom);
    EXPECT_EQ(bottom->TickPixels, (std::vector<int>{300}));
    const CallLog texts = CallsStartingWith(log, "TextOut3D");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(",in)"), std::string::npos);
}

TEST_F(AxisDrawTest, SeriesTextLabelsKeepTheirSeparation) {
    canvas->AssignFont(bottom->LabelsFont());
    const int w = canvas->TextWidth("W");
    const int firstHalf = w / 2;
    const int laterHalf = (w + static_cast<int>(w * 0.02 * 10)) / 2;
    const int gap = firstHalf + laterHalf;
    // One unit per pixel; points at 10, 10 + gap - 1 (too close), 10 + gap (far enough).
    bottom->SetMinMax(0, 400);
    series->Clear();
    for (int x : {10, 10 + gap - 1, 10 + gap}) series->AddXY(x, 1, "W");
    Draw(bottom);
    const CallLog texts = CallsStartingWith(log, "TextOut3D");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].substr(0, 14), "TextOut3D(110,");
    EXPECT_EQ(texts[1].substr(0, 10 + std::to_string(110 + gap).size() + 1),
              "TextOut3D(" + std::to_string(110 + gap) + ",");
}

TEST_F(AxisDrawTest, CustomDrawUsesTheGivenRangeAndRestoresTheAxis) {
    bottom->SetAutomatic(true);
    bottom->SetDesiredIncrement(0);
    std::vector<std::string> texts;
    bool fail = false;
    bottom->OnDrawLabel = [&](TChartAxis*, int&, int&, int&, AnsiString& text, bool&) {
        if (fail) throw Exception("drawing failed");
        texts.push_back(text.str());
    };
    bottom->AdjustMaxMin();
    bottom->InternalCalcPositions();
    const double scaleMaximum = bottom->ScaleMaximum;
    bottom->CustomDrawMinMax(380, 395, 370, false, 0, 10, 5);
    EXPECT_EQ(texts, (std::vector<std::string>{"10", "5", "0"}));
    EXPECT_EQ(bottom->AxisLinePos, 370);
    EXPECT_TRUE(bottom->Automatic());
    EXPECT_EQ(bottom->Increment(), 0);
    EXPECT_EQ(bottom->ScaleMaximum, scaleMaximum);
    EXPECT_TRUE(bottom->Grid()->Visible());
    fail = true;
    EXPECT_THROW(bottom->CustomDrawMinMax(380, 395, 370, false, 0, 10, 5), Exception);
    EXPECT_TRUE(bottom->Automatic());
    EXPECT_EQ(bottom->ScaleMaximum, scaleMaximum);
    EXPECT_TRUE(bottom->Grid()->Visible());
}

TEST_F(AxisDrawTest, ClickBandReachesThreePixelsIntoTheChart) {
    Draw(bottom);
    panel->BottomAxis->VisibleInDrawing = true;
    EXPECT_TRUE(bottom->Clicked(300, 348));
    EXPECT_FALSE(bottom->Clicked(300, 346));
    EXPECT_TRUE(bottom->Clicked(300, bottom->LabelsPos));
    EXPECT_FALSE(bottom->Clicked(600, 352));
    bottom->VisibleInDrawing = false;
    EXPECT_FALSE(bottom->Clicked(300, 352));
}

}  // namespace
