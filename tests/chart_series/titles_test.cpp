// Title blocks and walls: where a block goes, how it shrinks the chart rectangle, the order of a
// foot's lines, and the walls' defaults.
#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

class TitlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TCustomChart* chart = drawn.chart;
        chart->Legend()->SetVisible(false);
        chart->SetMarginUnits(muPixels);
        chart->SetMargin(1, 10);
        auto* series = new TLineSeries(drawn.owner);
        series->AddXY(0, 1);
        series->AddXY(1, 2);
        chart->AddSeries(series);
    }
    BitmapChart drawn{400, 300};
};

TEST_F(TitlesTest, TopTitleTakesItsLinesAndTheDistanceFromTheChartRectangle) {
    TChartTitle* title = drawn.chart->Title();
    title->Font()->SetHeight(16);
    title->Pen()->SetVisible(false);
    title->Text()->Add("first");
    title->Text()->Add("second");
    int fontHeight = 0;
    drawn.chart->OnAfterDraw = [&](TObject*) {
        drawn.chart->InternalCanvas->AssignFont(title->Font());
        fontHeight = drawn.chart->InternalCanvas->FontHeight();
    };
    drawn.Render();
    ASSERT_GE(fontHeight, 16);
    EXPECT_EQ(title->ShapeBounds.Top, 10);
    EXPECT_EQ(title->ShapeBounds.Bottom, 10 + 2 * fontHeight);
    EXPECT_EQ(drawn.chart->RectBeforeWalls.Top, 10 + 2 * fontHeight + 5);
}

TEST_F(TitlesTest, HiddenOrEmptyTitleLeavesTheRectangle) {
    drawn.Render();
    const TRect plain = drawn.chart->RectBeforeWalls;
    drawn.chart->Title()->SetCaption("shown");
    drawn.chart->Title()->SetVisible(false);
    drawn.Render();
    EXPECT_EQ(drawn.chart->RectBeforeWalls, plain);
}

TEST_F(TitlesTest, FrameAdjustsToTheTextUnlessAskedForTheFullWidth) {
    TChartTitle* title = drawn.chart->Title();
    title->SetCaption("narrow");
    drawn.Render();
    const int chartWidth = drawn.chart->RectBeforeWalls.Width();
    EXPECT_LT(title->ShapeBounds.Width(), chartWidth / 2);
    title->SetAdjustFrame(false);
    drawn.Render();
    // The block takes the chart rectangle's width, grown by its one-pixel frame.
    EXPECT_EQ(title->ShapeBounds.Left, drawn.chart->RectBeforeWalls.Left - 1);
    EXPECT_EQ(title->ShapeBounds.Right, drawn.chart->RectBeforeWalls.Right + 1);
}

TEST_F(TitlesTest, FootDrawsItsFirstLineLowest) {
    CallLog log;
    drawn.chart->SetInternalCanvas(new CallLogCanvas(&log));
    drawn.chart->Foot()->Text()->Add("foot one");
    drawn.chart->Foot()->Text()->Add("foot two");
    drawn.Render();
    const CallLog one = CallsStartingWith(log, "TextOut(");
    int yOne = -1, yTwo = -1;
    for (const std::string& call : one) {
        if (call.find("foot one") != std::string::npos) yOne = std::stoi(call.substr(call.find(',') + 1));
        if (call.find("foot two") != std::string::npos) yTwo = std::stoi(call.substr(call.find(',') + 1));
    }
    ASSERT_GE(yOne, 0);
    EXPECT_GT(yOne, yTwo);
    EXPECT_LT(drawn.chart->RectBeforeWalls.Bottom, yTwo);
}

TEST_F(TitlesTest, WallsDefaultsAndSize) {
    TCustomChart* chart = drawn.chart;
    EXPECT_TRUE(chart->BackWall()->Transparent());
    EXPECT_EQ(chart->BackWall()->Color(), clSilver);
    EXPECT_EQ(chart->LeftWall()->Color(), static_cast<TColor>(RGB(255, 255, 128)));
    EXPECT_EQ(chart->BottomWall()->Color(), clWhite);
    EXPECT_FALSE(chart->RightWall()->Visible());
    chart->Walls()->SetSize(5);
    for (TCustomChartWall* wall : {static_cast<TCustomChartWall*>(chart->BackWall()),
                                   static_cast<TCustomChartWall*>(chart->LeftWall()),
                                   static_cast<TCustomChartWall*>(chart->BottomWall()),
                                   static_cast<TCustomChartWall*>(chart->RightWall())})
        EXPECT_EQ(wall->Size(), 5);
}

TEST_F(TitlesTest, TwoDimensionalBackWallShowsOnlyItsFrame) {
    drawn.chart->SetColor(clWhite);
    drawn.Render();
    const TRect r = drawn.chart->ChartRect;
    EXPECT_EQ(PixelOf(drawn.bitmap.get(), r.Left + 5, r.Top + 5), clWhite);
    EXPECT_EQ(PixelOf(drawn.bitmap.get(), r.Left, r.Top + 5), clBlack);
    drawn.chart->BackWall()->SetTransparent(false);
    drawn.Render();
    EXPECT_EQ(PixelOf(drawn.bitmap.get(), r.Left + 5, r.Top + 5), clSilver);
}

TEST_F(TitlesTest, WritingTheLegendLeftFixesItsPosition) {
    TChartLegend* legend = drawn.chart->Legend();
    legend->SetVisible(true);
    auto* second = new TLineSeries(drawn.owner);
    second->AddXY(0, 3);
    drawn.chart->AddSeries(second);
    drawn.Render();
    const TRect shrunk = drawn.chart->RectBeforeWalls;
    legend->SetLeft(20);
    EXPECT_TRUE(legend->CustomPosition());
    drawn.Render();
    EXPECT_EQ(legend->GetLeft(), 20);
    EXPECT_GT(drawn.chart->RectBeforeWalls.Right, shrunk.Right) << "no room taken any more";
}

}  // namespace
