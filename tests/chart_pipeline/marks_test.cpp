// Series marks: pinned and automatic positions, the click test, overlap avoidance, the text
// lines of a mark, the DrawEvery check, the callout's arrow length and copying.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotMarks.h"
#include "chart_test_support.h"

namespace {

TSeriesMarkPosition Box(int x, int y, int width, int height) {
    TSeriesMarkPosition p;
    p.BoxOrigin = {x, y};
    p.BoxWidth = width;
    p.BoxHeight = height;
    p.MarkPoint = {x + width / 2, y + height};
    p.DataPoint = p.MarkPoint;
    return p;
}

class MarksTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->SetInternalCanvas(canvas);
        canvas->SetUseBuffer(false);
        canvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false, Rect(0, 0, 300, 200));
        panel->AddSeries(series);
        marks->SetVisible(true);
    }
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(300, 200, clWhite);
    CallLog log;
    CallLogCanvas* canvas = new CallLogCanvas(&log);
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
    TSeriesMarks* marks = series->Marks();
};

TEST_F(MarksTest, DefaultsOfTheMarks) {
    EXPECT_EQ(marks->Style(), smsLabel);
    EXPECT_EQ(marks->DrawEvery(), 1);
    EXPECT_EQ(marks->Color(), clInfoBk);
    EXPECT_EQ(marks->Shadow()->Color(), clGray);
    EXPECT_EQ(marks->Shadow()->GetSize(), 1);
    EXPECT_EQ(marks->GetGradient()->Direction(), gdRightLeft);
    EXPECT_EQ(marks->GetGradient()->StartColor(), clSilver);
    EXPECT_EQ(marks->GetGradient()->EndColor(), clWhite);
    EXPECT_EQ(marks->CalloutIfAny(), nullptr);
    EXPECT_EQ(marks->GetArrowLength(), 8);
    EXPECT_NE(marks->CalloutIfAny(), nullptr);
    EXPECT_EQ(marks->Parent(), panel.get());
}

TEST_F(MarksTest, DrawEveryBelowOneIsRefused) {
    EXPECT_THROW(marks->SetDrawEvery(0), ChartException);
    EXPECT_THROW(marks->SetDrawEvery(-3), ChartException);
    EXPECT_EQ(marks->DrawEvery(), 1);
    marks->SetDrawEvery(3);
    EXPECT_EQ(marks->DrawEvery(), 3);
}

TEST_F(MarksTest, ClickFindsOnlyMarksThatAreDrawn) {
    marks->SetDrawEvery(3);
    for (int i = 0; i < 7; ++i) {
        TSeriesMarkPosition p = Box(i * 30, 10, 20, 10);
        marks->UsePosition(i, p);
    }
    EXPECT_EQ(marks->Clicked(95, 15), 3);
    EXPECT_EQ(marks->Clicked(125, 15), -1);
    EXPECT_EQ(marks->Clicked(5, 15), 0);
    EXPECT_EQ(marks->Clicked(5, 40), -1);
}

TEST_F(MarksTest, PinnedPositionWinsUntilReset) {
    TSeriesMarkPosition pinned = Box(100, 100, 30, 12);
    marks->Positions().Put(2, pinned);
    EXPECT_TRUE(marks->Positions().ExistCustom());
    TSeriesMarkPosition computed = Box(10, 10, 20, 10);
    computed.DataPointFixed = true;
    const TPoint dataPoint = computed.DataPoint;
    marks->UsePosition(2, computed);
    EXPECT_EQ(computed.BoxOrigin, TPoint(100, 100));
    EXPECT_EQ(computed.BoxWidth, 30);
    EXPECT_EQ(computed.MarkPoint, pinned.MarkPoint);
    EXPECT_EQ(computed.DataPoint, dataPoint);
    marks->ResetPositions();
    EXPECT_FALSE(marks->Positions().ExistCustom());
    TSeriesMarkPosition again = Box(10, 10, 20, 10);
    marks->UsePosition(2, again);
    EXPECT_EQ(again.BoxOrigin, TPoint(10, 10));
    EXPECT_EQ(marks->Positions().Get(2)->BoxOrigin, TPoint(10, 10));
    EXPECT_EQ(marks->Positions().Get(1), nullptr);
    EXPECT_EQ(marks->Positions().Get(9), nullptr);
}

TEST_F(MarksTest, AntiOverlapMovesVerticallyByTheOverlaps) {
    // The default frame and shadow add 2 pixels to the right and the bottom of each box.
    marks->Positions().Put(0, Box(0, 10, 20, 10));
    TSeriesMarkPosition same = Box(0, 10, 20, 10);
    marks->AntiOverlap(0, 1, same);
    EXPECT_EQ(same.BoxOrigin.Y, 22);
    EXPECT_EQ(same.MarkPoint.Y, 32);
    marks->Positions().Put(1, Box(0, 16, 20, 10));
    TSeriesMarkPosition between = Box(0, 14, 20, 10);
    marks->AntiOverlap(0, 2, between);
    EXPECT_EQ(between.BoxOrigin.Y, 12);
    EXPECT_EQ(between.BoxOrigin.X, 0);
}

TEST_F(MarksTest, ShadowToTheLeftWidensTheCoveredBox) {
    marks->Positions().Put(0, Box(0, 10, 20, 10));
    TSeriesMarkPosition beside = Box(24, 10, 20, 10);
    marks->AntiOverlap(0, 1, beside);
    EXPECT_EQ(beside.BoxOrigin.Y, 10);
    marks->GetItem(1)->Shadow()->SetHorizSize(-3);
    marks->AntiOverlap(0, 1, beside);
    EXPECT_EQ(beside.BoxOrigin.Y, 22);
}

TEST_F(MarksTest, TextLinesStackOrTurnWithTheAngle) {
    canvas->AssignFont(marks->Font());
    const int h = canvas->FontHeight();
    const TRect r(100, 50, 160, 50 + 2 * h);
    marks->DrawText(r, "A\rB");
    EXPECT_EQ(CallsStartingWith(log, "TextOut"),
              (CallLog{"TextOut(130,51,A)", "TextOut(130," + std::to_string(51 + h) + ",B)"}));
    log.clear();
    marks->DrawText(r, "A\r");
    EXPECT_EQ(CallsStartingWith(log, "TextOut"), (CallLog{"TextOut(130,51,A)"}));
    const int cy = 50 + h;
    for (int angle : {90, 89}) {
        log.clear();
        marks->SetAngle(angle);
        marks->DrawText(r, "A");
        const int a = -(r.Bottom - cy);
        const double t = angle * PlotPiStep;
        const int x = 130 + PlotRound(a * std::sin(t)) + (angle == 90 ? 2 : 0);
        const int y = cy + PlotRound(a * std::cos(t));
        EXPECT_EQ(CallsStartingWith(log, "RotateLabel"),
                  (CallLog{"RotateLabel(" + std::to_string(x) + "," + std::to_string(y) + "," +
                           std::to_string(angle) + ",A)"}));
    }
    EXPECT_EQ(SplitMarkLines(AnsiString("x\r\ry")).size(), 3u);
}

TEST_F(MarksTest, TextWidthIsTheWidestLine) {
    series->AddXY(0, 1, "short\rmuch longer");
    canvas->AssignFont(marks->Font());
    EXPECT_EQ(marks->TextWidth(0), canvas->TextWidth("much longer"));
}

TEST_F(MarksTest, CalloutArrowLengthMovesThePositionUp) {
    marks->SetArrowLength(8);
    marks->GetCallout()->SetDistance(2);
    TSeriesMarkPosition p = Box(10, 50, 20, 10);
    marks->ApplyArrowLength(&p);
    EXPECT_EQ(p.DataPoint.Y, 58);
    EXPECT_EQ(p.MarkPoint.Y, 50);
    EXPECT_EQ(p.BoxOrigin.Y, 40);
    marks->SetCallout(nullptr);
    TSeriesMarkPosition q = Box(10, 50, 20, 10);
    marks->ApplyArrowLength(&q);
    EXPECT_EQ(q.BoxOrigin.Y, 50);
}

TEST_F(MarksTest, AssignCopiesSettingsItemsAndCallout) {
    auto* other = new TestLineSeries(panel.get());
    TSeriesMarks* source = other->Marks();
    source->SetStyle(smsXY);
    source->SetDrawEvery(4);
    source->SetAngle(45);
    source->SetArrowLength(12);
    source->GetItem(2)->SetColor(clRed);
    marks->Assign(source);
    EXPECT_EQ(marks->Style(), smsXY);
    EXPECT_EQ(marks->DrawEvery(), 4);
    EXPECT_EQ(marks->Angle(), 45);
    EXPECT_EQ(marks->GetArrowLength(), 12);
    ASSERT_EQ(marks->Items().Count(), 3);
    EXPECT_EQ(marks->GetItem(2)->Color(), clRed);
    EXPECT_EQ(marks->GetItem(0)->Color(), clInfoBk);
    EXPECT_EQ(marks->SymbolIfAny(), nullptr);
}

TEST_F(MarksTest, ClearingPointsEmptiesPositionsAndItems) {
    series->AddXY(0, 1);
    marks->Positions().Put(0, Box(0, 0, 5, 5));
    marks->GetItem(0);
    series->Clear();
    EXPECT_EQ(marks->Positions().Count(), 0);
    EXPECT_EQ(marks->Items().Count(), 0);
    marks->GetItem(0);
    marks->Items().ItemsLoaded = true;
    series->Clear();
    EXPECT_EQ(marks->Items().Count(), 1);
}

}  // namespace
