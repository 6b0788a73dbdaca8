// The legend: resolved style, placement beside the chart rectangle, rows and columns, item
// texts, hit tests and the application's chart drawn with its check-box legend.
#include <gtest/gtest.h>

#include <cstdlib>

#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

class LegendTest : public ::testing::Test {
protected:
    TLineSeries* AddSeries(const char* title, int points = 3) {
        auto* series = new TLineSeries(drawn.owner);
        series->SetTitle(title);
        for (int i = 0; i < points; ++i) series->AddXY(i, i * i);
        drawn.chart->AddSeries(series);
        return series;
    }
    BitmapChart drawn{500, 400};
    TChartLegend* legend = drawn.chart->Legend();
};

TEST_F(LegendTest, AutomaticStyleListsValuesOfOneSeriesAndSeriesOtherwise) {
    TLineSeries* first = AddSeries("first");
    drawn.Render();
    EXPECT_EQ(legend->ResolvedStyle, lsValues);
    EXPECT_EQ(legend->ItemCount, 3);
    AddSeries("second");
    drawn.Render();
    EXPECT_EQ(legend->ResolvedStyle, lsSeries);
    EXPECT_EQ(legend->ItemCount, 2);
    first->SetActive(false);
    legend->SetCheckBoxes(true);
    drawn.Render();
    EXPECT_EQ(legend->ResolvedStyle, lsSeries);
    EXPECT_EQ(legend->ItemCount, 2) << "inactive series stay listed with check boxes";
}

TEST_F(LegendTest, BottomLegendIsCentredAndKeepsItsMarginToTheChart) {
    AddSeries("one");
    AddSeries("two");
    legend->SetAlignment(laBottom);
    legend->SetTopPos(0);
    int centre = 0;
    drawn.chart->OnGetLegendRect = [&](TCustomChart* chart, TRect&) {
        centre = chart->ChartRectCenterX;
    };
    for (int margin : {35, 0}) {
        legend->SetVertMargin(margin);
        drawn.Render();
        const TRect r = legend->ShapeBounds;
        EXPECT_LE(std::abs((r.Left + r.Right) / 2 - centre), 1);
        const int gap = r.Top - drawn.chart->RectBeforeWalls.Bottom;
        if (margin)
            EXPECT_EQ(gap, 35);
        else
            EXPECT_NEAR(gap, 4 * (r.Bottom - drawn.chart->RectBeforeWalls.Top) / 100, 3);
    }
}

TEST_F(LegendTest, HorizontalLegendFillsColumnsAndStopsAtTheRowLimit) {
    for (int i = 0; i < 7; ++i) AddSeries(("S" + std::to_string(i)).c_str());
    legend->SetAlignment(laTop);
    int width = 120;
    for (; width < 900; width += 4) {
        drawn.chart->SetBounds(0, 0, width, 300);
        drawn.bitmap = FilledBitmap(width, 300, clWhite);
        drawn.Render();
        if (legend->ColumnCount == 3) break;
    }
    ASSERT_EQ(legend->ColumnCount, 3);
    EXPECT_EQ(legend->RowCount, 3);
    EXPECT_EQ(legend->LastIndex, 6);
    legend->SetMaxNumRows(2);
    drawn.Render();
    EXPECT_EQ(legend->RowCount, 2);
    EXPECT_EQ(legend->LastIndex, 5) << "six items listed";
}

TEST_F(LegendTest, CheckBoxRowsAreAtLeastSeventeenPixels) {
    AddSeries("one");
    legend->Font()->SetHeight(10);
    int height = 0;
    drawn.chart->OnAfterDraw = [&](TObject*) {
        drawn.chart->InternalCanvas->AssignFont(legend->Font());
        height = legend->CalcItemHeight();
    };
    drawn.Render();
    EXPECT_LT(height, 17);
    legend->SetCheckBoxes(true);
    drawn.Render();
    EXPECT_EQ(height, 17);
}

TEST_F(LegendTest, FirstValueBelowZeroIsRefused) {
    EXPECT_NO_THROW(legend->SetFirstValue(0));
    try {
        legend->SetFirstValue(-1);
        FAIL();
    } catch (const LegendException& e) {
        EXPECT_STREQ(e.Message().c_str(), "First Legend Value must be > 0");
    }
    EXPECT_EQ(legend->FirstValue(), 0);
}

TEST_F(LegendTest, VerticalHitTestSkipsTheTitleAndFollowsInversion) {
    for (int i = 0; i < 5; ++i) AddSeries(("S" + std::to_string(i)).c_str());
    legend->Title()->SetCaption("Series");
    // Hit tests run while the chart canvas is bound, as they do on a window.
    std::function<void()> probe;
    drawn.chart->OnAfterDraw = [&](TObject*) { probe(); };
    int title = 0, first = 0, outside = 0;
    probe = [&] {
        const TRect r = legend->ShapeBounds;
        const int x = (r.Left + r.Right) / 2;
        title = legend->Clicked(x, r.Top + 2);
        first = legend->Clicked(x, legend->FirstItemTop() + 2);
        outside = legend->Clicked(r.Right + 5, legend->FirstItemTop() + 2);
    };
    drawn.Render();
    ASSERT_EQ(legend->RowCount, 5);
    EXPECT_EQ(title, -1) << "title area";
    EXPECT_EQ(first, 0);
    EXPECT_EQ(outside, -1);
    legend->SetInverted(true);
    drawn.Render();
    EXPECT_EQ(first, 4);
    legend->SetInverted(false);
    legend->SetFirstValue(1);
    drawn.Render();
    EXPECT_EQ(title, -1) << "title area with a first value";
    EXPECT_EQ(first, 1);
}

TEST_F(LegendTest, ColumnSeparatorSplitsAnItemIntoTwoColumns) {
    AddSeries("one");
    AddSeries("two");
    drawn.chart->OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle, int index,
                                      AnsiString& text) {
        if (index == 0) text = AnsiString("Temp F") + PlotColumnSeparator + "25" +
                               PlotColumnSeparator + "dropped";
    };
    drawn.Render();
    ASSERT_EQ(legend->Items.size(), 2u);
    EXPECT_STREQ(legend->Items[0].Columns[0].c_str(), "Temp F");
    EXPECT_STREQ(legend->Items[0].Columns[1].c_str(), "25");
    EXPECT_GT(legend->TextColumnWidths[1], 0);
}

TEST_F(LegendTest, RadioStyleLeavesOneActiveSeries) {
    TLineSeries* a = AddSeries("a");
    TLineSeries* b = AddSeries("b");
    TLineSeries* c = AddSeries("c");
    legend->SetCheckBoxes(true);
    legend->SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());
    EXPECT_FALSE(c->Active());
    drawn.Render();
    EXPECT_TRUE(legend->DoMouseDown(0, 0, 2));
    EXPECT_FALSE(a->Active());
    EXPECT_TRUE(c->Active());
    EXPECT_FALSE(legend->DoMouseDown(0, 0, 7)) << "no series at that position";
    EXPECT_TRUE(c->Active());
}

// The application's chart, drawn and saved for a look when CHART_SHOT names a file.
TEST(AppChartLegend, DrawsTheTestChartWithItsCheckBoxLegend) {
    AppChart app;
    TChartLegend* legend = app.chart->Legend();
    EXPECT_TRUE(legend->HasCheckBoxes());
    EXPECT_EQ(legend->ItemCount, 6);
    EXPECT_EQ(legend->LastIndex, 5);
    EXPECT_GT(legend->GetTop(), app.chart->ChartRect.Bottom);
    EXPECT_EQ(legend->GetTop() - app.chart->RectBeforeWalls.Bottom, 35);
    EXPECT_EQ(app.chart->Title()->ShapeBounds.Top, app.chart->DrawBounds.Top +
                                                       4 * app.chart->DrawBounds.Height() / 100);
    if (const char* file = std::getenv("CHART_SHOT")) app.chart->SaveToBitmapFile(file);
}

}  // namespace
