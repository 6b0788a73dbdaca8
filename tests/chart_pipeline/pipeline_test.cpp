// The axis panel: the fixed drawing order of a whole chart (background, titles and legend,
// walls, axes, series with clipping and marks, after-draw), axis visibility, paging, colours,
// exchanging series, series sharing a depth position, and a whole chart drawn into a bitmap.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PlotMarks.h"
#include "Plotconst.h"
#include "chart_test_support.h"
#include "cl_datetime.h"

namespace {

const char* const kToolEvents[] = {"AfterDraw",      "BeforeDrawSeries", "BeforeDraw",
                                   "BeforeDrawAxes", "AfterDrawSeries",  "MouseLeave"};

class EventTool : public TPlotCustomTool {
public:
    explicit EventTool(TComponent* owner) : TPlotCustomTool(owner) {}
    void ChartEvent(TChartToolEvent event) override {
        static_cast<TestAxisPanel*>(ParentChart())->Note(std::string("tool:") + kToolEvents[event]);
    }
};

class PipelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->SetInternalCanvas(canvas);
        panel->Log = &log;
        for (auto* s : {a, b}) {
            panel->AddSeries(s);
            for (int i = 0; i < 3; ++i) s->AddXY(i, s == a ? i : 2 - i);
            s->BeforeDrawValues = [this](TObject* sender) {
                panel->Note("BeforeDrawValues(" + static_cast<TComponent*>(sender)->Name().str() +
                            ")");
            };
            s->AfterDrawValues = [this](TObject* sender) {
                panel->Note("AfterDrawValues(" + static_cast<TComponent*>(sender)->Name().str() +
                            ")");
            };
        }
        panel->Tools->Add(new EventTool(panel.get()));
        panel->OnBeforeDrawChart = [this](TObject*) { panel->Note("OnBeforeDrawChart"); };
        panel->OnBeforeDrawAxes = [this](TObject*) { panel->Note("OnBeforeDrawAxes"); };
        panel->OnBeforeDrawSeries = [this](TObject*) { panel->Note("OnBeforeDrawSeries"); };
        panel->OnAfterDraw = [this](TObject*) { panel->Note("OnAfterDraw"); };
    }
    TestLineSeries* NewSeries(const char* name) {
        auto* s = new TestLineSeries(panel.get());
        s->SetName(name);
        return s;
    }
    void Render() {
        log.clear();
        panel->Draw(bitmap->Canvas(), Rect(0, 0, 400, 250));
    }
    // Each entry is found after the one before it.
    void ExpectOrder(const std::vector<std::string>& entries) {
        int at = -1;
        for (const std::string& entry : entries) {
            const int found = FirstCall(log, entry, at + 1);
            ASSERT_GE(found, 0) << entry << " after " << (at >= 0 ? log[at] : "start");
            at = found;
        }
    }
    int LastCall(const std::string& prefix) {
        for (int i = static_cast<int>(log.size()) - 1; i >= 0; --i)
            if (log[i].compare(0, prefix.size(), prefix) == 0) return i;
        return -1;
    }

    std::unique_ptr<TBitmap> bitmap = FilledBitmap(400, 250, clWhite);
    CallLog log;
    CallLogCanvas* canvas = new CallLogCanvas(&log);
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* a = NewSeries("A");
    TestLineSeries* b = NewSeries("B");
};

TEST_F(PipelineTest, ChartIsDrawnInItsFixedOrder) {
    Render();
    ExpectOrder({"PanelPaint",
                 "tool:BeforeDraw",
                 "OnBeforeDrawChart",
                 "DrawTitlesAndLegend(before)",
                 "CalcWallsRect",
                 "Projection(0)",
                 "DrawWalls",
                 "tool:BeforeDrawAxes",
                 "OnBeforeDrawAxes",
                 "HorizLine3D",
                 "VertLine3D",
                 "tool:BeforeDrawSeries",
                 "OnBeforeDrawSeries",
                 "BeforeDrawValues(A)",
                 "ClipCube",
                 "DrawValue(A,0)",
                 "DrawValue(A,1)",
                 "DrawValue(A,2)",
                 "UnClipRectangle()",
                 "AfterDrawValues(A)",
                 "BeforeDrawValues(B)",
                 "ClipCube",
                 "DrawValue(B,0)",
                 "DrawValue(B,2)",
                 "UnClipRectangle()",
                 "AfterDrawValues(B)",
                 "tool:AfterDrawSeries",
                 "DrawTitlesAndLegend(after)",
                 "tool:AfterDraw",
                 "OnAfterDraw"});
    EXPECT_LT(LastCall("HorizLine3D"), FirstCall(log, "tool:BeforeDrawSeries"));
    EXPECT_TRUE(panel->RepaintEnabled);
}

TEST_F(PipelineTest, AFailingHandlerLeavesRepaintingOn) {
    panel->OnBeforeDrawSeries = [](TObject*) { throw Exception("handler failed"); };
    EXPECT_THROW(panel->InternalDraw(Rect(0, 0, 400, 250)), Exception);
    EXPECT_TRUE(panel->RepaintEnabled);
    EXPECT_THROW(Render(), Exception);
    EXPECT_TRUE(panel->RepaintEnabled);
}

TEST_F(PipelineTest, AxesInFrontAreDrawnAfterTheSeries) {
    panel->SetAxisBehind(false);
    Render();
    ExpectOrder({"tool:BeforeDrawSeries", "DrawValue(B,2)", "tool:AfterDrawSeries",
                 "tool:BeforeDrawAxes", "OnBeforeDrawAxes", "HorizLine3D",
                 "DrawTitlesAndLegend(after)"});
    EXPECT_GT(FirstCall(log, "HorizLine3D"), LastCall("DrawValue"));
}

TEST_F(PipelineTest, InactiveSeriesAndHiddenAxesAreLeftOut) {
    b->SetActive(false);
    panel->SetClipPoints(false);
    Render();
    EXPECT_EQ(FirstCall(log, "DrawValue(B"), -1);
    EXPECT_EQ(FirstCall(log, "ClipCube"), -1);
    EXPECT_TRUE(panel->IsAxisVisible(panel->BottomAxis));
    EXPECT_TRUE(panel->IsAxisVisible(panel->LeftAxis));
    EXPECT_FALSE(panel->IsAxisVisible(panel->RightAxis));
    EXPECT_FALSE(panel->IsAxisVisible(panel->TopAxis));
    EXPECT_FALSE(panel->IsAxisVisible(panel->DepthAxis));
    panel->SetAxisVisible(false);
    Render();
    EXPECT_FALSE(panel->IsAxisVisible(panel->BottomAxis));
    EXPECT_EQ(FirstCall(log, "OnBeforeDrawAxes"), -1);
    EXPECT_EQ(FirstCall(log, "HorizLine3D"), -1);
}

TEST_F(PipelineTest, WithoutActiveSeriesAxesShowAndScaleToAllSeries) {
    a->SetActive(false);
    b->SetActive(false);
    a->Clear();
    a->AddXY(3, 5);
    a->AddXY(7, 9);
    b->Clear();
    Render();
    for (TChartAxis* axis : {panel->BottomAxis, panel->TopAxis, panel->LeftAxis, panel->RightAxis})
        EXPECT_TRUE(panel->IsAxisVisible(axis));
    EXPECT_EQ(panel->BottomAxis->Minimum(), 3);
    EXPECT_EQ(panel->BottomAxis->Maximum(), 7);
    EXPECT_EQ(panel->LeftAxis->Maximum(), 9);
}

TEST_F(PipelineTest, MarksAreDrawnAfterTheirSeriesValues) {
    a->Marks()->SetVisible(true);
    Render();
    const int lastValue = FirstCall(log, "DrawValue(A,2)");
    const int mark = FirstCall(log, "Rectangle", lastValue);
    ASSERT_GE(mark, 0);
    EXPECT_LT(mark, FirstCall(log, "AfterDrawValues(A)"));
    EXPECT_GT(mark, FirstCall(log, "UnClipRectangle()", lastValue));
    EXPECT_EQ(a->Marks()->Positions().Count(), 3);
}

TEST_F(PipelineTest, SeriesSharingADepthPositionAreDrawnValueByValue) {
    panel->SetView3D(true);
    a->SetZOrder(0);
    b->SetZOrder(0);
    Render();
    EXPECT_EQ(CallsStartingWith(log, "DrawValue"),
              (CallLog{"DrawValue(A,0)", "DrawValue(B,0)", "DrawValue(A,1)", "DrawValue(B,1)",
                       "DrawValue(A,2)", "DrawValue(B,2)"}));
    a->SetZOrder(-1);
    b->SetZOrder(-1);
    Render();
    EXPECT_EQ(a->ComputedZOrder, 1);
    EXPECT_EQ(b->ComputedZOrder, 0);
    EXPECT_EQ(panel->MaxZOrder, 1);
    EXPECT_GT(panel->DepthWidth, 0);
}

TEST_F(PipelineTest, PagesAndTheScaleOfAShortLastPage) {
    a->Clear();
    b->Clear();
    for (int i = 0; i < 250; ++i) a->AddXY(i, 1);
    int changes = 0;
    panel->OnPageChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(panel->NumPages(), 1);
    panel->SetMaxPointsPerPage(100);
    EXPECT_EQ(panel->NumPages(), 3);
    panel->SetPage(7);
    EXPECT_EQ(panel->Page(), 3);
    EXPECT_EQ(changes, 1);
    panel->SetScaleLastPage(false);
    EXPECT_EQ(panel->InternalMinMax(panel->BottomAxis, true, true), 200);
    EXPECT_EQ(panel->InternalMinMax(panel->BottomAxis, false, true), 298);
    panel->SetScaleLastPage(true);
    EXPECT_EQ(panel->InternalMinMax(panel->BottomAxis, false, true), 249);
    EXPECT_EQ(panel->InternalMinMax(panel->LeftAxis, false, false), 1);
    panel->SetPage(0);
    EXPECT_EQ(panel->Page(), 1);
    EXPECT_EQ(panel->InternalMinMax(panel->BottomAxis, false, true), 99);
    EXPECT_THROW(panel->SetMaxPointsPerPage(-1), ChartException);
    EXPECT_EQ(panel->MaxPointsPerPage(), 100);
    panel->SetMaxPointsPerPage(200);
    EXPECT_EQ(panel->NumPages(), 2);
}

TEST_F(PipelineTest, DepthPercentIsChecked) {
    try {
        panel->Set3DPercent(0);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "3D effect percent must be between 1 and 100");
    }
    EXPECT_THROW(panel->Set3DPercent(101), Exception);
    panel->Set3DPercent(100);
    EXPECT_EQ(panel->Chart3DPercent(), 100);
}

TEST_F(PipelineTest, FreeColoursComeFromThePanelsPalette) {
    panel->SeriesPalette = {clRed, clGreen};
    panel->ColorPaletteChanged();
    EXPECT_EQ(a->GetSeriesColor(), clRed);
    EXPECT_EQ(b->GetSeriesColor(), clGreen);
    EXPECT_EQ(panel->GetFreeSeriesColor(true, nullptr), clGreen);
    EXPECT_EQ(panel->GetDefaultColor(3), clGreen);
}

TEST_F(PipelineTest, ExchangingSeriesSwapsListComponentsAndGroup) {
    TSeriesGroup* group = panel->SeriesList->AddGroup("Pair");
    group->Add(a);
    group->Add(b);
    const int ia = a->ComponentIndex(), ib = b->ComponentIndex();
    panel->ExchangeSeries(a, b);
    EXPECT_EQ(panel->GetSeries(0), b);
    EXPECT_EQ(panel->GetSeries(1), a);
    EXPECT_EQ(group->Series()->Get(0), b);
    EXPECT_EQ(a->ComponentIndex(), ib);
    EXPECT_EQ(b->ComponentIndex(), ia);
    Render();
    EXPECT_LT(FirstCall(log, "DrawValue(B"), FirstCall(log, "DrawValue(A"));
}

TEST_F(PipelineTest, LegendQueriesCountShownSeries) {
    a->SetTitle("Radon");
    b->SetShowInLegend(false);
    auto* c = NewSeries("C");
    panel->AddSeries(c);
    c->SetActive(false);
    EXPECT_EQ(panel->SeriesLegend(0, false), a);
    EXPECT_EQ(panel->SeriesLegend(1, false), c);
    EXPECT_EQ(panel->ActiveSeriesLegend(1), nullptr);
    EXPECT_EQ(panel->SeriesTitleLegend(0), "Radon");
    EXPECT_EQ(panel->SeriesTitleLegend(1), "C");
    EXPECT_EQ(panel->CountActiveSeries(), 2);
    EXPECT_EQ(panel->GetMaxValuesCount(), 3);
    panel->RemoveSeries(c);
    EXPECT_EQ(c->ParentChart(), nullptr);
    EXPECT_EQ(panel->SeriesCount(), 2);
    panel->FreeAllSeries();
    EXPECT_EQ(panel->SeriesCount(), 0);
}

TEST_F(PipelineTest, ToolsFollowTheirAxesAndSeries) {
    auto* axisTool = new TPlotCustomToolAxis(panel.get());
    axisTool->SetAxis(panel->LeftAxis);
    EXPECT_EQ(axisTool->ParentChart(), panel.get());
    EXPECT_EQ(axisTool->AxisID(), 2);
    axisTool->SetAxis(new TChartAxis(panel.get()));
    EXPECT_EQ(axisTool->AxisID(), 6);
    auto* seriesTool = new TPlotCustomToolSeries(panel.get());
    panel->Tools->Add(seriesTool);
    EXPECT_EQ(panel->Tools->Count(), 3);
    seriesTool->SetSeries(b);
    b->SetVertAxis(aRightAxis);
    EXPECT_EQ(seriesTool->GetVertAxis(), panel->RightAxis);
    b->Free();
    EXPECT_EQ(seriesTool->Series(), nullptr);
    EXPECT_EQ(seriesTool->GetVertAxis(), panel->LeftAxis);
    EXPECT_EQ(seriesTool->GetHorizAxis(), panel->BottomAxis);
    seriesTool->SetParentChart(nullptr);
    EXPECT_EQ(panel->Tools->Count(), 2);
}

// Two readings an hour over two days, as the radon chart shows them.
TEST(WholeChart, TwoLineSeriesOnADateTimeAxisDrawIntoABitmap) {
    AxisPanelPtr panel(new TestAxisPanel);
    panel->SetBounds(0, 0, 480, 300);
    auto* radon = new TestLineSeries(panel.get());
    auto* humidity = new TestLineSeries(panel.get());
    radon->SetSeriesColor(clRed);
    humidity->SetSeriesColor(clBlue);
    humidity->SetVertAxis(aRightAxis);
    radon->Pointer->SetVisible(true);
    radon->Pointer->SetSize(2);
    radon->XValues->SetDateTime(true);
    humidity->XValues->SetDateTime(true);
    panel->AddSeries(radon);
    panel->AddSeries(humidity);
    const TDateTime start = EncodeDate(2024, 3, 1);
    for (int i = 0; i < 48; ++i) {
        const double hours = i * 0.0416666666642414;
        radon->AddXY(start + hours, 40 + 30 * ((i * 7) % 11) / 10.0);
        humidity->AddXY(start + hours, 55 + (i % 12));
    }
    panel->LeftAxis->SetAutomaticMaximum(false);
    panel->LeftAxis->InternalSetMaximum(100);
    panel->LeftAxis->Title()->SetCaption("pCi/l");
    panel->BottomAxis->Title()->SetCaption("Time");
    auto bitmap = FilledBitmap(480, 300, clWhite);
    panel->Draw(bitmap->Canvas(), Rect(0, 0, 480, 300));
    if (const char* dir = std::getenv("CHART_SNAPSHOT_DIR"))
        bitmap->SaveToFile(AnsiString(dir) + "\\whole_chart.bmp");
    const TRect& r = panel->ChartRect;
    EXPECT_GT(r.Left, 20);
    EXPECT_LT(r.Right, 460);
    EXPECT_GT(CountPixels(bitmap.get(), r, clRed), 100);
    EXPECT_GT(CountPixels(bitmap.get(), r, clBlue), 100);
    // Axis lines, labels and titles outside the plot area.
    const TRect below(r.Left, r.Bottom + 2, r.Right, 300);
    EXPECT_LT(CountPixels(bitmap.get(), below, clWhite), below.Width() * below.Height());
    // Labels of the second vertical axis are drawn on the background, not on boxes.
    const TRect rightBand(r.Right + 9, r.Top, 480, r.Bottom);
    EXPECT_GT(CountPixels(bitmap.get(), rightBand, clWhite),
              rightBand.Width() * rightBand.Height() * 3 / 4);
    EXPECT_EQ(PixelOf(bitmap.get(), (r.Left + r.Right) / 2, r.Bottom), clBlack);
    EXPECT_EQ(PixelOf(bitmap.get(), r.Left, (r.Top + r.Bottom) / 2), clBlack);
    EXPECT_EQ(panel->LeftAxis->ScaleMaximum, 100);
    EXPECT_TRUE(panel->BottomAxis->IsDateTimeScale);
}

}  // namespace
