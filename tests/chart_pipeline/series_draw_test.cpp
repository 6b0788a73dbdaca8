// Series drawing support: the direction of the point loop, which points get marks and where
// their boxes go, mark texts in every style, legend texts and the legend symbol.
#include <gtest/gtest.h>

#include "PlotMarks.h"
#include "Plotconst.h"
#include "chart_test_support.h"
#include "cl_datetime.h"
#include "cl_locale.h"
#include "cl_number.h"

namespace {

class MarkRecordingSeries : public TestLineSeries {
public:
    explicit MarkRecordingSeries(TComponent* owner) : TestLineSeries(owner) {}
    void DrawMark(int index, const AnsiString& text, TSeriesMarkPosition* position) override {
        marks.push_back(index);
        texts.push_back(text.str());
        TestLineSeries::DrawMark(index, text, position);
    }
    std::vector<int> marks;
    std::vector<std::string> texts;
};

class SeriesDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->SetInternalCanvas(canvas);
        canvas->SetUseBuffer(false);
        canvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false, Rect(0, 0, 400, 300));
        panel->ChartRect = Rect(50, 20, 350, 260);
        panel->ChartRectWidth = 300;
        panel->ChartRectHeight = 240;
        series->SetName("S");
        panel->AddSeries(series);
        panel->Log = &log;
    }
    void Place() {
        for (TChartAxis* axis : {panel->BottomAxis, panel->LeftAxis}) {
            axis->AdjustMaxMin();
            axis->InternalCalcPositions();
        }
    }
    std::string Number(double v) { return FormatFloat("#,##0.###", v).str(); }

    std::unique_ptr<TBitmap> bitmap = FilledBitmap(400, 300, clWhite);
    CallLog log;
    CallLogCanvas* canvas = new CallLogCanvas(&log);
    AxisPanelPtr panel{new TestAxisPanel};
    MarkRecordingSeries* series = new MarkRecordingSeries(panel.get());
};

TEST_F(SeriesDrawTest, PointsAreDrawnBackwardsOnAnInvertedAxis) {
    for (int i = 0; i < 4; ++i) series->AddXY(i, i);
    series->FirstValueIndex = 1;
    series->LastValueIndex = 3;
    series->DrawAllValues();
    EXPECT_EQ(CallsStartingWith(log, "DrawValue"),
              (CallLog{"DrawValue(S,1)", "DrawValue(S,2)", "DrawValue(S,3)"}));
    log.clear();
    panel->BottomAxis->InternalSetInverted(true);
    EXPECT_FALSE(series->DrawValuesForward());
    EXPECT_EQ(series->FirstDisplayedIndex(), 3);
    series->DrawAllValues();
    EXPECT_EQ(CallsStartingWith(log, "DrawValue"),
              (CallLog{"DrawValue(S,3)", "DrawValue(S,2)", "DrawValue(S,1)"}));
    log.clear();
    series->LastValueIndex = 0;
    series->DrawAllValues();
    EXPECT_TRUE(CallsStartingWith(log, "DrawValue").empty());
}

TEST_F(SeriesDrawTest, MarksGoToEveryNthIndexWithTextAndNoNull) {
    for (int i = 0; i < 7; ++i) series->AddXY(i, i * 10);
    series->SetNull(4);
    series->OnGetMarkText = [](TChartSeries*, int index, AnsiString& text) {
        if (index == 2) text = AnsiString();
    };
    Place();
    series->Marks()->SetVisible(true);
    series->Marks()->SetDrawEvery(2);
    series->FirstValueIndex = 1;
    series->LastValueIndex = 6;
    series->DrawMarks();
    EXPECT_EQ(series->marks, (std::vector<int>{6}));
    series->marks.clear();
    series->FirstValueIndex = 0;
    series->DrawMarks();
    EXPECT_EQ(series->marks, (std::vector<int>{0, 6}));
}

TEST_F(SeriesDrawTest, MarkBoxSitsAboveItsPoint) {
    series->AddXY(0, 0);
    series->AddXY(10, 100);
    Place();
    series->Marks()->SetVisible(true);
    series->Marks()->SetStyle(smsValue);
    series->FirstValueIndex = 0;
    series->LastValueIndex = 1;
    series->DrawMarks();
    TSeriesMarkPosition* p = series->Marks()->Positions().Get(1);
    ASSERT_NE(p, nullptr);
    canvas->AssignFont(series->Marks()->Font());
    const int width = canvas->TextWidth("100") + canvas->TextWidth("W") + 2;
    const int height = canvas->FontHeight() + 2;
    EXPECT_EQ(p->MarkPoint, TPoint(350, 20));
    EXPECT_EQ(p->DataPoint, p->MarkPoint);
    EXPECT_EQ(p->BoxWidth, width);
    EXPECT_EQ(p->BoxHeight, height);
    EXPECT_EQ(p->BoxOrigin, TPoint(350 - width / 2, 20 - height + 1));
    EXPECT_EQ(series->texts, (std::vector<std::string>{"0", "100"}));
}

TEST_F(SeriesDrawTest, MarkTextsInEveryStyle) {
    series->AddXY(0, 1, "a");
    series->AddXY(1, 1);
    series->AddXY(2, -2);
    Place();
    TSeriesMarks* marks = series->Marks();
    const struct {
        TSeriesMarksStyle style;
        bool multiLine;
        int index;
        std::string text;
    } cases[] = {
        {smsValue, false, 2, Number(-2)},
        {smsPercent, false, 0, "25 %"},
        {smsPercent, false, 2, "50 %"},
        {smsLabel, false, 0, "a"},
        {smsLabel, false, 1, Number(1)},
        {smsLabelPercent, false, 0, "a 25 %"},
        {smsLabelValue, false, 0, "a " + Number(1)},
        {smsLabelValue, true, 0, "a\r" + Number(1)},
        {smsLegend, false, 0, ""},
        {smsPercentTotal, false, 0, "25 % of " + Number(4)},
        {smsPercentTotal, true, 0, "25 %\rof " + Number(4)},
        {smsLabelPercentTotal, false, 1, Number(1) + " 25 % of " + Number(4)},
        {smsXValue, false, 2, Number(2)},
        {smsXY, false, 2, Number(2) + " " + Number(-2)},
    };
    for (const auto& c : cases) {
        marks->SetStyle(c.style);
        marks->SetMultiLine(c.multiLine);
        EXPECT_EQ(series->GetMarkText(c.index).str(), c.text) << c.style;
    }
    series->OnGetMarkText = [](TChartSeries*, int, AnsiString& text) { text = "[" + text + "]"; };
    EXPECT_EQ(series->GetMarkText(2).str(), "[" + Number(2) + " " + Number(-2) + "]");
}

TEST_F(SeriesDrawTest, LegendTextsInEveryStyle) {
    series->AddXY(0, 1, "a");
    series->AddXY(1, 3);
    Place();
    const std::string S(1, PlotColumnSeparator);
    const struct {
        TLegendTextStyle style;
        int index;
        std::string text;
    } cases[] = {
        {ltsPlain, 0, "a"},
        {ltsPlain, 1, ""},
        {ltsLeftValue, 0, Number(1) + S + "a"},
        {ltsRightValue, 0, "a" + S + Number(1)},
        {ltsRightValue, 1, Number(3)},
        {ltsLeftPercent, 0, "25 %" + S + "a"},
        {ltsRightPercent, 1, "75 %"},
        {ltsXValue, 1, Number(1)},
        {ltsValue, 1, Number(3)},
        {ltsPercent, 0, "25 %"},
        {ltsXAndValue, 1, Number(1) + S + Number(3)},
        {ltsXAndPercent, 0, Number(0) + S + "25 %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(series->LegendString(c.index, c.style).str(), c.text) << c.style;
}

TEST_F(SeriesDrawTest, DateTimeValuesReadAsDatesInTheLegendButNotInMarks) {
    const TDateTime day = EncodeDate(2020, 5, 17);
    series->YValues->SetDateTime(true);
    series->AddXY(0, day);
    Place();
    AnsiString date;
    DateTimeToString(date, ShortDateFormat, day);
    EXPECT_EQ(series->LegendString(0, ltsValue), date);
    series->Marks()->SetStyle(smsValue);
    EXPECT_EQ(series->GetMarkText(0).str(), Number(day));
}

TEST_F(SeriesDrawTest, LegendSymbolOfANullPointIsNotDrawnAndRepaintComesBack) {
    series->AddNull(1.0);
    panel->RepaintEnabled = true;
    series->DrawLegend(0, Rect(10, 10, 20, 20));
    EXPECT_TRUE(CallsStartingWith(log, "Rectangle").empty());
    EXPECT_TRUE(panel->RepaintEnabled);
    series->SetColorEachPoint(true);
    series->DrawLegend(-1, Rect(10, 10, 20, 20));
    EXPECT_TRUE(CallsStartingWith(log, "Rectangle").empty());
    EXPECT_TRUE(panel->RepaintEnabled);
    series->SetColorEachPoint(false);
    series->DrawLegend(-1, Rect(10, 10, 20, 20));
    EXPECT_EQ(CallsStartingWith(log, "Rectangle"),
              (CallLog{CallText("Rectangle", {10, 10, 20, 20})}));
    EXPECT_TRUE(panel->RepaintEnabled);
}

TEST_F(SeriesDrawTest, BlackSymbolOnABlackLegendGetsAWhiteOutline) {
    series->SetSeriesColor(clBlack);
    series->Pen()->SetColor(clBlack);
    panel->LegendBackColor = clBlack;
    series->DrawLegend(-1, Rect(10, 10, 30, 30));
    EXPECT_EQ(CallsStartingWith(log, "Rectangle"),
              (CallLog{CallText("Rectangle", {10, 10, 30, 30}),
                       CallText("Rectangle", {10, 10, 30, 30})}));
    EXPECT_EQ(PixelOf(bitmap.get(), 10, 20), clWhite);
    EXPECT_EQ(PixelOf(bitmap.get(), 20, 20), clBlack);
    log.clear();
    panel->LegendBackColor = clWhite;
    series->DrawLegend(-1, Rect(40, 10, 60, 30));
    EXPECT_EQ(CallsStartingWith(log, "Rectangle").size(), 1u);
}

TEST_F(SeriesDrawTest, WidestMarkCountsVisibleItemsOnly) {
    series->AddXY(0, 1);
    series->AddXY(1, 22222);
    Place();
    series->Marks()->SetStyle(smsValue);
    canvas->AssignFont(series->Marks()->Font());
    EXPECT_EQ(series->MaxMarkWidth(), 0);
    series->Marks()->SetVisible(true);
    EXPECT_EQ(series->MaxMarkWidth(), canvas->TextWidth(FormatFloat("#,##0.###", 22222)));
    series->Marks()->GetItem(1)->SetVisible(false);
    EXPECT_EQ(series->MaxMarkWidth(), canvas->TextWidth("1"));
    EXPECT_EQ(panel->MaxMarkWidth(), canvas->TextWidth("1"));
}

}  // namespace
