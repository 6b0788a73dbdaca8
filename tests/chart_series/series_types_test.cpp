// Area and fast line series, colour palettes and theme, and the series type registry with the
// series operations.
#include <gtest/gtest.h>

#include "AreaSeries.h"
#include "ChartPalettes.h"
#include "ChartRegistry.h"
#include "FastLineSeries.h"
#include "PlotSources.h"
#include "chart_fixture.h"
#include "chart_test_support.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

// Logs pen moves and line ends too, while Recording is set.
class PathCanvas : public CallLogCanvas {
public:
    explicit PathCanvas(CallLog* log) : CallLogCanvas(log) {}
    void MoveTo(int x, int y) override {
        if (Recording) Log->push_back(CallText("MoveTo", {x, y}));
        CallLogCanvas::MoveTo(x, y);
    }
    void LineTo(int x, int y) override {
        if (Recording) Log->push_back(CallText("LineTo", {x, y}));
        CallLogCanvas::LineTo(x, y);
    }
    bool Recording = false;
};

class SeriesTypesTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawn.chart->Legend()->SetVisible(false);
        drawn.chart->SetInternalCanvas(canvas);
    }
    template <class T>
    T* Add(std::initializer_list<double> values, double step = 1) {
        auto* series = new T(drawn.owner);
        double x = 0;
        for (double v : values) {
            series->AddXY(x, v);
            x += step;
        }
        drawn.chart->AddSeries(series);
        series->BeforeDrawValues = [this](TObject*) { canvas->Recording = true; };
        series->AfterDrawValues = [this](TObject*) { canvas->Recording = false; };
        return series;
    }
    void Render() {
        log.clear();
        drawn.Render();
    }
    BitmapChart drawn{400, 300};
    CallLog log;
    PathCanvas* canvas = new PathCanvas(&log);
};

TEST_F(SeriesTypesTest, AreaReachesDownToItsOwnOrigin) {
    TAreaSeries* area = Add<TAreaSeries>({20, 25, 30});
    area->SetUseOrigin(true);
    area->SetOrigin(10);
    EXPECT_DOUBLE_EQ(area->MinYValue(), 10);
    Render();
    const CallLog polygons = CallsStartingWith(log, "Polygon(");
    ASSERT_EQ(polygons.size(), 2u);
    const int origin = area->CalcYPosValue(10);
    EXPECT_NE(polygons[0].find("," + std::to_string(origin) + ")"), std::string::npos)
        << polygons[0];
}

TEST_F(SeriesTypesTest, HorizontalAreaFillsFromTheLeftEdgeToItsPoints) {
    auto* area = new THorizAreaSeries(drawn.owner);
    area->AddXY(2, 0);
    area->AddXY(4, 1);
    drawn.chart->AddSeries(area);
    area->BeforeDrawValues = [this](TObject*) { canvas->Recording = true; };
    area->AfterDrawValues = [this](TObject*) { canvas->Recording = false; };
    Render();
    const CallLog polygons = CallsStartingWith(log, "Polygon(");
    ASSERT_EQ(polygons.size(), 1u);
    const int origin = area->GetOriginPos(0);
    auto at = [&](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    const std::string expected = "Polygon(" + at(origin, area->CalcYPos(0)) + "," +
                                 at(area->CalcXPos(0), area->CalcYPos(0)) + "," +
                                 at(area->CalcXPos(1), area->CalcYPos(1)) + "," +
                                 at(origin, area->CalcYPos(1)) + ")";
    EXPECT_EQ(polygons[0], expected);
}

TEST_F(SeriesTypesTest, StackedHundredPercentAreasShareTheHeight) {
    TAreaSeries* lower = Add<TAreaSeries>({1, 1});
    TAreaSeries* upper = Add<TAreaSeries>({3, 3});
    upper->SetMultiArea(maStacked100);
    EXPECT_EQ(lower->MultiArea(), maStacked100);
    Render();
    EXPECT_EQ(lower->CalcYPos(0), lower->CalcYPosValue(25));
    EXPECT_EQ(upper->GetOriginPos(0), upper->CalcYPosValue(25));
    EXPECT_EQ(upper->CalcYPos(0), upper->CalcYPosValue(100));
}

TEST_F(SeriesTypesTest, NullPointLeavesAGapInTheArea) {
    TAreaSeries* area = Add<TAreaSeries>({1, 2, 3, 4, 5});
    area->SetNull(2);
    Render();
    EXPECT_EQ(CallsStartingWith(log, "Polygon(").size(), 2u);
}

TEST_F(SeriesTypesTest, FastLineSkipsPointsOnTheSamePixelColumnOnlyWhenAsked) {
    TFastLineSeries* fast = Add<TFastLineSeries>({1, 5, 9}, 1e-9);
    drawn.chart->BottomAxis->SetMinMax(0, 10);
    fast->SetDrawAllPoints(false);
    Render();
    EXPECT_TRUE(CallsStartingWith(log, "LineTo(").empty());
    fast->SetDrawAllPoints(true);
    Render();
    EXPECT_EQ(CallsStartingWith(log, "LineTo(").size(), 2u) << "a vertical line through all";
}

TEST_F(SeriesTypesTest, FastLineBreaksAtNullsOnlyWhenNotIgnoringThem) {
    TFastLineSeries* fast = Add<TFastLineSeries>({1, 2, 3, 4});
    fast->SetNull(2);
    Render();
    EXPECT_EQ(CallsStartingWith(log, "LineTo(").size(), 3u);
    fast->SetIgnoreNulls(false);
    Render();
    EXPECT_EQ(CallsStartingWith(log, "LineTo(").size(), 2u);
    EXPECT_EQ(CallsStartingWith(log, "MoveTo(").size(), 2u);
}

TEST_F(SeriesTypesTest, FastLinePenFollowsTheColourAndWidensTheMargins) {
    TFastLineSeries* fast = Add<TFastLineSeries>({1, 2});
    fast->SetSeriesColor(clMaroon);
    EXPECT_EQ(fast->LinePen()->Color(), clMaroon);
    const int expected[] = {1, 2, 3, 3, 4, 4};
    for (int w = 1; w <= 6; ++w) {
        fast->LinePen()->SetWidth(w);
        int left = 0, right = 0;
        fast->CalcHorizMargins(left, right);
        EXPECT_EQ(left, expected[w - 1]) << w;
        EXPECT_EQ(right, expected[w - 1]) << w;
    }
}

TEST_F(SeriesTypesTest, PalettesRecolourOnlyAutomaticSeries) {
    TLineSeries* automatic = Add<TLineSeries>({1, 2});
    TLineSeries* fixed = Add<TLineSeries>({2, 1});
    fixed->SetSeriesColor(clOlive);
    ASSERT_EQ(ColorPalettes->Count(), 10);
    EXPECT_STREQ(ColorPalettes->Strings(1).c_str(), "Excel");
    EXPECT_STREQ(ColorPalettes->Strings(9).c_str(), "Win. XP");
    TColorPalettes::ApplyPalette(drawn.chart, 4);
    EXPECT_EQ(drawn.chart->ColorPaletteIndex, 4);
    ASSERT_EQ(drawn.chart->SeriesPalette.size(), 8u);
    EXPECT_EQ(drawn.chart->SeriesPalette[0], static_cast<TColor>(RGB(0, 0, 255)));
    EXPECT_EQ(automatic->GetSeriesColor(), static_cast<TColor>(RGB(0, 0, 255)));
    EXPECT_EQ(fixed->GetSeriesColor(), clOlive);
    for (int index : {0, 10}) {
        TColorPalettes::ApplyPalette(drawn.chart, index);
        EXPECT_TRUE(drawn.chart->SeriesPalette.empty()) << index;
    }
    TChartTheme theme(drawn.chart);
    EXPECT_STREQ(theme.Description().c_str(), "Default");
}

TEST(ChartStream, PaletteIndexIsWrittenOnlyWhenAPaletteIsApplied) {
    for (int index : {0, 8}) {
        BitmapChart source;
        if (index) TColorPalettes::ApplyPalette(source.chart, index);
        TMemoryStream stream;
        WriteComponentToStream(&stream, source.chart);
        const std::string bytes(static_cast<const char*>(stream.Memory()),
                                static_cast<size_t>(stream.Size()));
        EXPECT_EQ(bytes.find("ColorPaletteIndex") != std::string::npos, index > 0) << index;
    }
}

TEST(SeriesRegistry, KeepsOneEntryPerSeriesAndFunctionClass) {
    const int before = PlotSeriesTypes->Count();
    AnsiString name = "Test";
    RegisterPlotSeries(TAreaSeries::StaticClass(), &name);
    RegisterPlotSeries(TAreaSeries::StaticClass(), &name);
    EXPECT_EQ(PlotSeriesTypes->Count(), before + 1);
    RegisterPlotSeriesFunction(TAreaSeries::StaticClass(), TLineSeries::StaticClass(), &name,
                               &name, 1);
    EXPECT_EQ(PlotSeriesTypes->Count(), before + 2);
    BitmapChart drawn;
    auto* area = new TAreaSeries(drawn.owner);
    auto* point = new THorizAreaSeries(drawn.owner);
    EXPECT_STREQ(GetGallerySeriesName(area).c_str(), "Test");
    EXPECT_STREQ(GetGallerySeriesName(point).c_str(), "THorizAreaSeries");
    const TMetaClass* classes[] = {TAreaSeries::StaticClass()};
    UnRegisterPlotSeries(classes, 0);
    EXPECT_EQ(PlotSeriesTypes->Count(), before);
}

TEST(SeriesOperations, NewSeriesAreNumberedAfterTheOwnersNames) {
    BitmapChart drawn;
    auto* first = new TLineSeries(drawn.owner);
    first->SetName("Series1");
    drawn.chart->AddSeries(first);
    TChartSeries* a = CreateNewSeries(drawn.owner, drawn.chart, TLineSeries::StaticClass());
    TChartSeries* b = CreateNewSeries(drawn.owner, drawn.chart, TLineSeries::StaticClass());
    EXPECT_STREQ(a->Name().c_str(), "Series2");
    EXPECT_STREQ(b->Name().c_str(), "Series3");
    EXPECT_EQ(drawn.chart->SeriesCount(), 3);
}

// Sums each pair of points of the source.
class PairSum : public TPlotFunction {
    CL_COMPONENT_CLASS(PairSum, TPlotFunction)

    explicit PairSum(TComponent* owner) : TPlotFunction(owner) { InternalSetPeriod(2); }
    double Calculate(TChartSeries* source, int first, int last) override {
        double sum = 0;
        for (int i = first; i <= last; ++i) sum += ValueList(source)->GetValue(i);
        return sum;
    }
};

TEST(SeriesOperations, SeriesWithAFunctionComputeTheirPointsAndCloneTheFunction) {
    BitmapChart drawn;
    auto* source = new TLineSeries(drawn.owner);
    source->SetName("Source");
    drawn.chart->AddSeries(source);
    for (double y : {1, 2, 3, 4}) source->Add(y);
    TChartSeries* sums = CreateNewSeries(drawn.owner, drawn.chart, TLineSeries::StaticClass(),
                                         PairSum::StaticClass());
    ASSERT_TRUE(dynamic_cast<PairSum*>(sums->SeriesFunction));
    EXPECT_EQ(sums->SeriesFunction->Owner(), drawn.owner);
    EXPECT_STREQ(sums->SeriesFunction->Name().c_str(), "PlotFunction1");
    sums->SetDataSource(source);
    ASSERT_EQ(sums->Count(), 2);
    EXPECT_EQ(sums->YValues->GetValue(0), 3);
    EXPECT_EQ(sums->YValues->GetValue(1), 7);

    TPlotFunction* original = sums->SeriesFunction;
    TChartSeries* clone = CloneChartSeries(sums);
    EXPECT_EQ(sums->SeriesFunction, original);
    ASSERT_TRUE(dynamic_cast<PairSum*>(clone->SeriesFunction));
    EXPECT_NE(clone->SeriesFunction, original);
    EXPECT_STREQ(clone->SeriesFunction->Name().c_str(), "PlotFunction2");
    ASSERT_EQ(clone->Count(), 2);
    EXPECT_EQ(clone->YValues->GetValue(1), 7);
}

TEST(SeriesOperations, ChangingTheTypeKeepsNamePlaceValuesAndHandlers) {
    BitmapChart drawn;
    std::vector<TChartSeries*> series;
    for (int i = 0; i < 3; ++i) {
        TChartSeries* s = CreateNewSeries(drawn.owner, drawn.chart, TLineSeries::StaticClass());
        s->AddXY(0, i);
        s->AddXY(1, i + 1);
        series.push_back(s);
    }
    int clicks = 0;
    series[1]->OnClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++clicks; };
    TChartSeries* changed = series[1];
    ChangeSeriesType(changed, TAreaSeries::StaticClass());
    ASSERT_TRUE(dynamic_cast<TAreaSeries*>(changed));
    EXPECT_STREQ(changed->Name().c_str(), "Series2");
    EXPECT_EQ(drawn.chart->GetSeries(1), changed);
    EXPECT_EQ(changed->Count(), 2);
    EXPECT_DOUBLE_EQ(changed->YValues->GetValue(1), 2);
    changed->OnClick(changed, 0, mbLeft, {}, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST(SeriesOperations, LegendPaintedForAChartlessSeriesLeavesItChartless) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* series = new TLineSeries(owner.get());
    std::unique_ptr<TBitmap> bitmap = FilledBitmap(40, 20, clWhite);
    PaintSeriesLegend(series, bitmap->Canvas(), Rect(2, 2, 38, 18));
    EXPECT_EQ(series->ParentChart(), nullptr);
    EXPECT_GT(40 * 20 - CountPixels(bitmap.get(), Rect(0, 0, 40, 20), clWhite), 0);
}

}  // namespace
