// The series types' gallery sub-styles and thumbnails, the horizontal line series' marks and
// copying a series with its function.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AreaSeries.h"
#include "BarSeries.h"
#include "ChartRegistry.h"
#include "FastLineSeries.h"
#include "PlotMarks.h"
#include "PlotSources.h"
#include "chart_fixture.h"

namespace {

std::vector<std::string> SubGalleryNames(const TChartSeries* series) {
    std::vector<std::string> names;
    series->CreateSubGallery([&](const AnsiString& name) { names.push_back(name.str()); });
    return names;
}

template <class T>
T* AddTo(BitmapChart& drawn) {
    auto* series = new T(drawn.owner);
    series->SetName(GetNewSeriesName(drawn.owner));
    drawn.chart->AddSeries(series);
    return series;
}

TEST(SubGallery, EachSeriesTypeOffersItsSubStylesInIndexOrder) {
    BitmapChart drawn;
    using Names = std::vector<std::string>;
    EXPECT_EQ(SubGalleryNames(AddTo<TLineSeries>(drawn)),
              (Names{"Normal", "Stairs", "Points", "Height", "Hollow", "Colors", "Marks",
                     "No Border", "Outline"}));
    EXPECT_EQ(SubGalleryNames(AddTo<THorizLineSeries>(drawn)),
              SubGalleryNames(AddTo<TLineSeries>(drawn)));
    EXPECT_EQ(SubGalleryNames(AddTo<TPointSeries>(drawn)),
              (Names{"Normal", "Colors", "Marks", "Hollow", "No Border", "Gradient", "Point 2D",
                     "Triangle", "Star", "Circle", "Down Tri.", "Cross", "Diamond"}));
    EXPECT_EQ(SubGalleryNames(AddTo<TAreaSeries>(drawn)),
              (Names{"Normal", "Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack",
                     "Stack 100%", "Points", "Gradient"}));
    EXPECT_EQ(SubGalleryNames(AddTo<TFastLineSeries>(drawn)),
              (Names{"Normal", "Marks", "Dotted", "Stairs"}));
    EXPECT_EQ(SubGalleryNames(AddTo<TBarSeries>(drawn)),
              (Names{"Normal", "Colors", "Pyramid", "Ellipse", "Inv. Pyramid", "Gradient",
                     "Stack", "Stack 100%", "Self Stacked", "Sides", "Side All"}));
}

// One sub-style applied to a fresh series of the type, and what it must have changed.
template <class T>
struct SubStyleCase {
    int index;
    bool (*applied)(T*);
};

template <class T>
void ExpectSubStyles(std::initializer_list<SubStyleCase<T>> cases) {
    for (const SubStyleCase<T>& c : cases) {
        BitmapChart drawn;
        T* series = AddTo<T>(drawn);
        EXPECT_FALSE(c.applied(series)) << T::StaticClass()->ClassName().c_str() << " " << c.index;
        series->SetSubGallery(c.index);
        EXPECT_TRUE(c.applied(series)) << T::StaticClass()->ClassName().c_str() << " " << c.index;
    }
}

TEST(SubGallery, LineSubStylesChangeTheirSetting) {
    using L = TLineSeries;
    ExpectSubStyles<L>({
        {1, [](L* s) { return s->Stairs(); }},
        {2, [](L* s) { return s->Pointer()->Visible(); }},
        {3, [](L* s) { return s->LineHeight() == 5; }},
        {4, [](L* s) { return s->LineBrush() == bsClear; }},
        {5, [](L* s) { return s->ColorEachPoint(); }},
        {6, [](L* s) { return s->Marks()->Visible(); }},
        {7, [](L* s) { return !s->LinePen()->Visible(); }},
        {8, [](L* s) { return s->OutLine()->Visible(); }},
    });
}

TEST(SubGallery, PointSubStylesChangeTheirSetting) {
    using P = TPointSeries;
    ExpectSubStyles<P>({
        {1, [](P* s) { return s->ColorEachPoint(); }},
        {2, [](P* s) { return s->Marks()->Visible(); }},
        {3, [](P* s) { return s->Pointer()->Brush()->Style() == bsClear; }},
        {4, [](P* s) { return !s->Pointer()->Frame()->Visible(); }},
        {5, [](P* s) { return s->Pointer()->Gradient()->Visible(); }},
        {6, [](P* s) { return !s->Pointer()->Draw3D(); }},
        {7, [](P* s) { return s->Pointer()->Style() == psTriangle; }},
        {8, [](P* s) { return s->Pointer()->Style() == psStar; }},
        {9, [](P* s) {
             return s->Pointer()->Style() == psCircle && s->Pointer()->HorizSize() == 8 &&
                    s->Pointer()->VertSize() == 8;
         }},
        {10, [](P* s) { return s->Pointer()->Style() == psDownTriangle; }},
        {11, [](P* s) { return s->Pointer()->Style() == psCross; }},
        {12, [](P* s) { return s->Pointer()->Style() == psDiamond; }},
    });
}

TEST(SubGallery, AreaAndFastLineSubStylesChangeTheirSetting) {
    using A = TAreaSeries;
    ExpectSubStyles<A>({
        {1, [](A* s) { return s->Stairs(); }},
        {2, [](A* s) { return s->Marks()->Visible(); }},
        {3, [](A* s) { return s->ColorEachPoint(); }},
        {4, [](A* s) { return s->AreaBrush() == bsClear; }},
        {5, [](A* s) { return !s->AreaLinesPen()->Visible(); }},
        {6, [](A* s) { return s->MultiArea() == maStacked; }},
        {7, [](A* s) { return s->MultiArea() == maStacked100; }},
        {8, [](A* s) { return s->Pointer()->Visible(); }},
        {9, [](A* s) { return s->Gradient()->Visible(); }},
    });
    using F = TFastLineSeries;
    ExpectSubStyles<F>({
        {1, [](F* s) { return s->Marks()->Visible(); }},
        {2, [](F* s) { return s->LinePen()->SmallDots(); }},
        {3, [](F* s) { return s->Stairs(); }},
    });
}

TEST(SubGallery, BarSubStylesSetStylesAndAddASecondSeriesForTheModes) {
    using B = TBarSeries;
    ExpectSubStyles<B>({
        {1, [](B* s) { return s->ColorEachPoint(); }},
        {2, [](B* s) { return s->BarStyle() == bsPyramid; }},
        {3, [](B* s) { return s->BarStyle() == bsEllipse; }},
        {4, [](B* s) { return s->BarStyle() == bsInvPyramid; }},
        {5, [](B* s) { return s->BarStyle() == bsRectGradient; }},
    });
    const TMultiBar modes[] = {mbStacked, mbStacked100, mbSelfStack, mbSide, mbSideAll};
    for (int index = 6; index <= 10; ++index) {
        BitmapChart drawn;
        B* bars = AddTo<B>(drawn);
        bars->SetBarWidthPercent(60);
        bars->Marks()->SetVisible(true);
        bars->SetSubGallery(index);
        ASSERT_EQ(drawn.chart->SeriesCount(), 2) << index;
        auto* second = dynamic_cast<B*>(drawn.chart->GetSeries(1));
        ASSERT_NE(second, nullptr) << index;
        EXPECT_STREQ(second->Name().c_str(), "Series2");
        EXPECT_TRUE(second->Title().IsEmpty());
        EXPECT_FALSE(second->Marks()->Visible());
        EXPECT_FALSE(bars->Marks()->Visible());
        EXPECT_EQ(second->BarWidthPercent(), 60);
        EXPECT_EQ(bars->MultiBar(), modes[index - 6]) << index;
        EXPECT_EQ(second->MultiBar(), modes[index - 6]) << index;
        bars->SetSubGallery(index);
        EXPECT_EQ(drawn.chart->SeriesCount(), 2) << "a series that is not alone adds none";
    }
}

// Bars that offer no stacked sub-styles.
class SideOnlyBars : public TBarSeries {
    CL_COMPONENT_CLASS(SideOnlyBars, TBarSeries)

    explicit SideOnlyBars(TComponent* owner) : TBarSeries(owner) {}
    bool SubGalleryStack() const override { return false; }
};

TEST(SubGallery, BarsWithoutStackEntriesMapTheFirstModesToSides) {
    BitmapChart drawn;
    SideOnlyBars* bars = AddTo<SideOnlyBars>(drawn);
    const std::vector<std::string> names = SubGalleryNames(bars);
    ASSERT_EQ(names.size(), 8u);
    EXPECT_EQ(names[6], "Sides");
    EXPECT_EQ(names[7], "Side All");
    bars->SetSubGallery(6);
    EXPECT_EQ(bars->MultiBar(), mbSide);
    bars->SetSubGallery(7);
    EXPECT_EQ(bars->MultiBar(), mbSideAll);
}

TEST(GalleryThumbnail, PointAreaAndBarSeriesPrepareTheirLook) {
    BitmapChart wide(200, 100);
    TPointSeries* first = AddTo<TPointSeries>(wide);
    TPointSeries* second = AddTo<TPointSeries>(wide);
    first->PrepareForGallery(true);
    second->PrepareForGallery(true);
    EXPECT_EQ(first->Pointer()->HorizSize(), 6);
    EXPECT_EQ(first->Pointer()->VertSize(), 6);
    EXPECT_EQ(first->Pointer()->Style(), psRectangle);
    EXPECT_EQ(second->Pointer()->Style(), psTriangle);
    EXPECT_EQ(first->Count(), 4);

    BitmapChart narrow(40, 40);
    TPointSeries* small = AddTo<TPointSeries>(narrow);
    small->PrepareForGallery(true);
    EXPECT_EQ(small->Pointer()->HorizSize(), 4);

    TAreaSeries* area = AddTo<TAreaSeries>(wide);
    area->PrepareForGallery(true);
    EXPECT_TRUE(area->Gradient()->Visible());
    EXPECT_EQ(area->Gradient()->EndColor(), area->GetSeriesColor());
    EXPECT_EQ(AddTo<THorizAreaSeries>(wide)->NumSampleValues(), 10);

    BitmapChart barChart;
    TBarSeries* bars = AddTo<TBarSeries>(barChart);
    bars->SetMultiBar(mbStacked);
    bars->PrepareForGallery(true);
    EXPECT_EQ(bars->BarWidthPercent(), 85);
    EXPECT_EQ(bars->BarStyle(), bsRectGradient);
    EXPECT_TRUE(bars->Gradient()->Visible());
    EXPECT_EQ(bars->MultiBar(), mbNone);
}

TEST(GalleryThumbnail, BarSamplesFollowAnotherBarSeriesExplicitX) {
    BitmapChart drawn;
    TBarSeries* plain = AddTo<TBarSeries>(drawn);
    plain->AddSampleValues(5);
    EXPECT_EQ(plain->Count(), 5) << "Y values only";
    EXPECT_DOUBLE_EQ(plain->XValues->GetValue(4), 4);

    TBarSeries* spaced = AddTo<TBarSeries>(drawn);
    for (double x : {10, 20, 30}) spaced->AddXY(x, 1);
    TBarSeries* follower = AddTo<TBarSeries>(drawn);
    follower->AddSampleValues(3);
    EXPECT_EQ(follower->Count(), 6) << "a run with X values, then one with Y values only";
}

// Records where each mark of a series was put.
class MarkProbe : public THorizLineSeries {
    CL_COMPONENT_CLASS(MarkProbe, THorizLineSeries)

    explicit MarkProbe(TComponent* owner) : THorizLineSeries(owner) {}
    void DrawMark(int valueIndex, const AnsiString& text,
                  TSeriesMarkPosition* position) override {
        Before.push_back(*position);
        THorizLineSeries::DrawMark(valueIndex, text, position);
        After.push_back(*position);
        MarkLength = CalcMarkLength();
        WidestMark = MaxMarkWidth();
    }
    std::vector<TSeriesMarkPosition> Before, After;
    int MarkLength = 0, WidestMark = 0;
};

TEST(HorizontalLineMarks, StandBesideThePointOnTheSideAwayFromTheOrigin) {
    for (bool inverted : {false, true}) {
        BitmapChart drawn;
        auto* series = AddTo<MarkProbe>(drawn);
        series->AddXY(5, 0);
        series->AddXY(8, 1);
        drawn.chart->BottomAxis->SetMinMax(0, 10);
        drawn.chart->BottomAxis->SetInverted(inverted);
        series->Marks()->SetVisible(true);
        TMarksCallout* callout = series->Marks()->GetCallout();
        callout->SetLength(7);
        callout->SetDistance(3);
        drawn.Render();
        ASSERT_EQ(series->After.size(), 2u);
        // The origin is the axis' start, or its end when inverted: the marks go to the right,
        // or to the left of an inverted axis' points.
        for (int i = 0; i < 2; ++i) {
            const TSeriesMarkPosition& before = series->Before[i];
            const TSeriesMarkPosition& after = series->After[i];
            EXPECT_EQ(before.DataPoint.X < series->GetOriginPos(i), inverted);
            const int length = inverted ? -10 - before.BoxWidth : 10;
            EXPECT_EQ(after.BoxOrigin.X, before.BoxOrigin.X + length + before.BoxWidth / 2) << i;
            EXPECT_EQ(after.BoxOrigin.Y, before.BoxOrigin.Y + before.BoxHeight / 2) << i;
            EXPECT_EQ(after.MarkPoint.X, before.MarkPoint.X + length) << i;
            EXPECT_EQ(after.DataPoint.X, before.DataPoint.X + (inverted ? -3 : 3)) << i;
        }
        EXPECT_EQ(series->MarkLength, series->WidestMark);
        EXPECT_GT(series->MarkLength, 0);
        EXPECT_NE(series->MarkLength, 10) << "not the callout length and distance";
    }
}

// Sums each window of Period points of the source.
class WindowSum : public TPlotFunction {
    CL_COMPONENT_CLASS(WindowSum, TPlotFunction)

    explicit WindowSum(TComponent* owner) : TPlotFunction(owner) { InternalSetPeriod(2); }
    double Calculate(TChartSeries* source, int first, int last) override {
        double sum = 0;
        for (int i = first; i <= last; ++i) sum += ValueList(source)->GetValue(i);
        return sum;
    }
};

TEST(SeriesCopies, AssignAndCloneCopyTheFunctionWithItsSettingsAndLeaveTheSourceIntact) {
    RegisterClass(WindowSum::StaticClass());
    BitmapChart drawn;
    TLineSeries* source = AddTo<TLineSeries>(drawn);
    for (double y : {1, 2, 3, 4, 5, 6}) source->Add(y);
    TChartSeries* sums = CreateNewSeries(drawn.owner, drawn.chart, TLineSeries::StaticClass(),
                                         WindowSum::StaticClass());
    sums->SeriesFunction->SetPeriod(3);
    sums->SeriesFunction->SetPeriodAlign(TFunctionPeriodAlign::paLast);
    sums->SetDataSource(source);
    ASSERT_EQ(sums->Count(), 2);
    TPlotFunction* original = sums->SeriesFunction;

    TLineSeries* target = AddTo<TLineSeries>(drawn);
    target->Assign(sums);
    TChartSeries* clone = CloneChartSeries(sums);
    for (TChartSeries* copy : {static_cast<TChartSeries*>(target), clone}) {
        EXPECT_EQ(sums->SeriesFunction, original);
        EXPECT_EQ(original->ParentSeries(), sums);
        ASSERT_TRUE(dynamic_cast<WindowSum*>(copy->SeriesFunction));
        EXPECT_NE(copy->SeriesFunction, original);
        EXPECT_EQ(copy->SeriesFunction->ParentSeries(), copy);
        EXPECT_EQ(copy->SeriesFunction->Period(), 3);
        EXPECT_EQ(copy->SeriesFunction->PeriodAlign(), TFunctionPeriodAlign::paLast);
        ASSERT_EQ(copy->Count(), 2);
        EXPECT_EQ(copy->YValues->GetValue(1), 15);
    }
    EXPECT_EQ(sums->Count(), 2);
    EXPECT_EQ(sums->YValues->GetValue(0), 6);
}

}  // namespace
