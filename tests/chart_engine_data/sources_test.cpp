// Data sources and functions: attaching sources with their errors, linked series following a
// source, circular dependences, functions over all points, by number of points, by range and
// over a sliding window, several sources, series-source components and the series-list helpers.
#include <gtest/gtest.h>

#include "PlotSources.h"
#include "Plotconst.h"
#include "chart_test_support.h"
#include "cl_filer.h"

namespace {

std::vector<double> Values(TChartValueList* list) {
    std::vector<double> values;
    for (int i = 0; i < list->Count(); ++i) values.push_back(list->GetValue(i));
    return values;
}

// The mean of the source's Y values over the range; the sum over several sources.
class TestAverage : public TPlotFunction {
    CL_COMPONENT_CLASS(TestAverage, TPlotFunction)

    explicit TestAverage(TComponent* owner) : TPlotFunction(owner) {}
    double Calculate(TChartSeries* source, int first, int last) override {
        if (first == -1) {
            first = 0;
            last = source->Count() - 1;
        }
        double sum = 0;
        for (int i = first; i <= last; ++i) sum += ValueList(source)->GetValue(i);
        return sum / (last - first + 1);
    }
    double CalculateMany(TList* sources, int index) override {
        double sum = 0;
        for (int i = 0; i < sources->Count(); ++i) {
            auto* source = static_cast<TChartSeries*>(sources->Items(i));
            if (index < source->Count()) sum += source->YValues->GetValue(index);
        }
        return sum;
    }
};

class TestMovingSum : public TPlotMovingFunction {
    CL_COMPONENT_CLASS(TestMovingSum, TPlotMovingFunction)

    explicit TestMovingSum(TComponent* owner) : TPlotMovingFunction(owner) {}
    double Calculate(TChartSeries* source, int first, int last) override {
        double sum = 0;
        for (int i = first; i <= last; ++i) sum += source->YValues->GetValue(i);
        return sum;
    }
};

// Loads three fixed points.
class TestSource : public TPlotSeriesSource {
    CL_COMPONENT_CLASS(TestSource, TPlotSeriesSource)

    explicit TestSource(TComponent* owner) : TPlotSeriesSource(owner) {}
    void Load() override {
        ++loads;
        Series()->Clear();
        for (int i = 0; i < 3; ++i) Series()->AddXY(i, 10 * i);
    }
    int loads = 0;
};

class SourcesTest : public ::testing::Test {
protected:
    TestLineSeries* NewSeries(const char* name = "") {
        auto* series = new TestLineSeries(panel.get());
        if (*name) series->SetName(name);
        panel->AddSeries(series);
        return series;
    }
    // Y 1..5 on X `xs`.
    void Fill(std::vector<double> xs) {
        for (size_t i = 0; i < xs.size(); ++i) source->AddXY(xs[i], static_cast<double>(i + 1));
    }
    // A function of `target` over `source`.
    template <class F>
    F* Attach(double period, TFunctionPeriodStyle style = psNumPoints,
              TFunctionPeriodAlign align = TFunctionPeriodAlign::paCenter) {
        auto* function = new F(panel.get());
        function->InternalSetPeriod(period);
        function->SetPeriodStyle(style);
        function->SetPeriodAlign(align);
        target->SetFunction(function);
        target->SetDataSource(source);
        return function;
    }
    static std::string ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const ChartException& e) {
            return e.what();
        }
        return "no error";
    }
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* source = NewSeries("Source");
    TestLineSeries* target = NewSeries("Target");
};

TEST_F(SourcesTest, LinkedSeriesFollowsItsSource) {
    source->AddXY(0, 5, "a", clRed);
    target->SetDataSource(source);
    EXPECT_EQ(target->GetDataSource(), source);
    EXPECT_FALSE(target->ManualPoints);
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{5}));
    source->AddXY(1, 6);
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{5, 6}));
    EXPECT_EQ(target->GetXLabel(0), "a");
    EXPECT_EQ(target->InternalColor(0), clRed);
    EXPECT_EQ(target->InternalSetDataSource(source, false), -1);
    EXPECT_EQ(target->DataSources->Count(), 1);

    target->RecalcTriggers = {rOnDelete, rOnModify, rOnClear};
    source->AddXY(2, 7);
    EXPECT_EQ(target->Count(), 2);
    source->RefreshSeries();
    EXPECT_EQ(target->Count(), 3);

    target->SetDataSource(nullptr);
    EXPECT_EQ(target->GetDataSource(), nullptr);
    EXPECT_EQ(target->Count(), 0);
    EXPECT_LT(source->LinkedSeries->IndexOf(target), 0);
}

TEST_F(SourcesTest, RefusedSourcesChangeNothing) {
    auto* loose = new TestLineSeries(panel.get());
    EXPECT_EQ(ErrorOf([&] { loose->SetDataSource(source); }),
              "No ParentChart to validate DataSource");
    EXPECT_EQ(loose->GetDataSource(), nullptr);
    TOwnedPtr<TComponent> other(new TComponent(nullptr));
    other->SetName("Other");
    EXPECT_EQ(ErrorOf([&] { target->SetDataSource(other.get()); }), "No valid DataSource: Other");
    EXPECT_EQ(ErrorOf([&] { target->SetDataSource(target); }), "No valid DataSource: Target");
    EXPECT_EQ(target->DataSources->Count(), 0);
    loose->Free();
}

TEST_F(SourcesTest, CircularDependencesAreRefused) {
    TestLineSeries* third = NewSeries("Third");
    target->SetDataSource(source);
    third->SetDataSource(target);
    EXPECT_EQ(ErrorOf([&] { source->SetDataSource(third); }),
              "Circular Series dependences are not allowed");
    EXPECT_EQ(source->GetDataSource(), nullptr);
    // A circle among other series (made by hand) is walked once and does not concern this one.
    TestLineSeries* a = NewSeries("A");
    TestLineSeries* b = NewSeries("B");
    a->DataSources->Add(b);
    b->DataSources->Add(a);
    TestLineSeries* lone = NewSeries("Lone");
    EXPECT_EQ(ErrorOf([&] { panel->CheckOtherSeries(lone, a); }), "no error");
}

TEST_F(SourcesTest, FunctionOverAllPoints) {
    Fill({0, 1, 2, 3, 4});
    Attach<TestAverage>(0);
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{2}));
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{3}));
    target->SinglePointResult = false;
    target->CheckDataSource();
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{0, 4}));
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{3, 3}));
    // The function follows its source.
    source->AddXY(5, 12);
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{0, 5}));
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{4.5, 4.5}));
    source->Delete(5);
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{0, 4}));
}

TEST_F(SourcesTest, FunctionByNumberOfPoints) {
    Fill({0, 1, 2, 3, 4});
    const struct {
        TFunctionPeriodAlign align;
        std::vector<double> xs;
    } cases[] = {{TFunctionPeriodAlign::paFirst, {0, 2}},
                 {TFunctionPeriodAlign::paLast, {1, 3}},
                 {TFunctionPeriodAlign::paCenter, {0.5, 2.5}}};
    TestAverage* function = Attach<TestAverage>(2);
    for (const auto& c : cases) {
        function->SetPeriodAlign(c.align);
        EXPECT_EQ(Values(target->XValues), c.xs);
        EXPECT_EQ(Values(target->YValues), (std::vector<double>{1.5, 3.5}));
    }
    // 2.5 points round to the even 2.
    function->SetPeriod(2.5);
    EXPECT_EQ(target->Count(), 2);
}

TEST_F(SourcesTest, FunctionByRange) {
    Fill({0, 5, 25});
    Attach<TestAverage>(10, psRange, TFunctionPeriodAlign::paFirst);
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{0, 10, 20}));
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{1.5, 0, 3}));
}

TEST_F(SourcesTest, MovingFunctionGivesOneResultPerFullWindow) {
    Fill({0, 1, 2, 3, 4});
    TestMovingSum* function = Attach<TestMovingSum>(3);
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{6, 9, 12}));
    EXPECT_EQ(function->ParentSeries(), target);
}

TEST_F(SourcesTest, PeriodsThatHoldNoPointAreRefused) {
    Fill({0, 1, 2});
    TestAverage* average = Attach<TestAverage>(1);
    EXPECT_EQ(ErrorOf([&] { average->SetPeriod(-1); }), "Function Period should be >= 0");
    EXPECT_EQ(average->Period(), 1);
    EXPECT_EQ(ErrorOf([&] { average->SetPeriod(0.4); }),
              "Function Period must hold at least one point");
    auto* moving = new TestMovingSum(panel.get());
    moving->InternalSetPeriod(0.3);
    EXPECT_EQ(ErrorOf([&] { target->SetFunction(moving); }),
              "Function Period must hold at least one point");
}

TEST_F(SourcesTest, FunctionOverSeveralSourcesFollowsTheLongestOne) {
    TestLineSeries* longer = NewSeries("Longer");
    source->AddXY(0, 1);
    longer->AddXY(0, 10, "p");
    longer->AddXY(1, 20, "q");
    target->SetFunction(new TestAverage(panel.get()));
    target->InternalSetDataSource(source, false);
    target->InternalSetDataSource(longer, false);
    EXPECT_EQ(Values(target->XValues), (std::vector<double>{0, 1}));
    EXPECT_EQ(Values(target->YValues), (std::vector<double>{11, 20}));
    EXPECT_EQ(target->GetXLabel(1), "q");
}

TEST_F(SourcesTest, FunctionsAreReplacedFreedAndForgotten) {
    auto* first = new TestAverage(panel.get());
    target->SetFunction(first);
    int freed = 0;
    struct Watch : TComponent {
        explicit Watch(int* count) : TComponent(nullptr), count(count) {}
        void Notification(TComponent*, TOperation operation) override {
            if (operation == opRemove) ++*count;
        }
        int* count;
    };
    TOwnedPtr<Watch> watch(new Watch(&freed));
    first->FreeNotification(watch.get());
    auto* second = new TestAverage(panel.get());
    target->SetFunction(second);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(target->SeriesFunction, second);
    second->Free();
    EXPECT_EQ(target->SeriesFunction, nullptr);
    auto* third = new TestAverage(panel.get());
    third->SetParentSeries(target);
    third->SetParentSeries(source);
    EXPECT_EQ(target->SeriesFunction, nullptr);
    EXPECT_EQ(source->SeriesFunction, third);
    std::vector<TComponent*> children;
    source->GetChildren([&](TComponent* child) { children.push_back(child); }, nullptr);
    EXPECT_EQ(children, std::vector<TComponent*>{third});
}

TEST_F(SourcesTest, FunctionPeriodSettingsAreStreamed) {
    TOwnedPtr<TestAverage> function(new TestAverage(nullptr));
    function->InternalSetPeriod(2.5);
    function->SetPeriodAlign(TFunctionPeriodAlign::paLast);
    function->SetPeriodStyle(psRange);
    TMemoryStream stream;
    WriteComponentToStream(&stream, function.get());
    stream.SetPosition(0);
    TOwnedPtr<TestAverage> copy(new TestAverage(nullptr));
    ReadComponentFromStream(&stream, copy.get());
    EXPECT_EQ(copy->Period(), 2.5);
    EXPECT_EQ(copy->PeriodAlign(), TFunctionPeriodAlign::paLast);
    EXPECT_EQ(copy->PeriodStyle(), psRange);
}

TEST_F(SourcesTest, SeriesSourceLoadsWhileActive) {
    auto* loader = new TestSource(panel.get());
    loader->SetSeries(target);
    EXPECT_EQ(target->GetDataSource(), loader);
    EXPECT_EQ(target->Count(), 0);
    loader->Open();
    EXPECT_EQ(loader->loads, 1);
    EXPECT_EQ(target->Count(), 3);
    EXPECT_TRUE(loader->HasSeries(target));
    EXPECT_FALSE(loader->HasSeries(source));
    target->CheckDataSource();
    EXPECT_EQ(loader->loads, 2);
    loader->Close();
    EXPECT_EQ(target->Count(), 0);
    // Taken over by another series, an active source loads into that one.
    loader->Open();
    source->SetDataSource(loader);
    EXPECT_EQ(loader->Series(), source);
    EXPECT_TRUE(loader->Active());
    EXPECT_EQ(source->Count(), 3);
    source->Free();
    EXPECT_EQ(loader->Series(), nullptr);
}

TEST_F(SourcesTest, TitlesAndItemLists) {
    auto* third = new TestLineSeries(panel.get());
    panel->AddSeries(third);
    EXPECT_EQ(SeriesTitleOrName(third), Plotconst::PlotMsg_Series + "3");
    third->SetTitle("Radon");
    EXPECT_EQ(SeriesTitleOrName(third), "Radon");
    EXPECT_EQ(SeriesTitleOrName(source), "Source");
    auto* loose = new TestLineSeries(panel.get());
    EXPECT_EQ(SeriesTitleOrName(loose), "");
    loose->Free();

    target->ExcludedFromLists = true;
    TStringList items;
    FillSeriesItems(&items, panel->SeriesList, true);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Strings(1), "Radon");
    EXPECT_EQ(items.Objects(1), third);
    items.Clear();
    FillSeriesItems(&items, panel->SeriesList, false);
    EXPECT_EQ(items.Strings(1), "");
}

}  // namespace
