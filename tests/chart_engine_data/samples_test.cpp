// Series sorting by labels and by the mandatory column, sample values and gallery preparation,
// copying formatting and data, replacing and finding value lists.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotMarks.h"
#include "PlotSources.h"
#include "Plotconst.h"
#include "chart_test_support.h"
#include "cl_datetime.h"

namespace {

std::vector<double> Values(TChartValueList* list) {
    std::vector<double> values;
    for (int i = 0; i < list->Count(); ++i) values.push_back(list->GetValue(i));
    return values;
}

std::vector<std::string> Labels(TChartSeries* series) {
    std::vector<std::string> labels;
    for (int i = 0; i < series->Count(); ++i) labels.push_back(series->GetXLabel(i).str());
    return labels;
}

class SamplesTest : public ::testing::Test {
protected:
    TestLineSeries* NewSeries(const char* name = "") {
        auto* series = new TestLineSeries(panel.get());
        if (*name) series->SetName(name);
        panel->AddSeries(series);
        return series;
    }
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = NewSeries("Series1");
};

TEST_F(SamplesTest, SortByLabels) {
    const struct {
        TChartListOrder order;
        std::vector<std::string> labels;
        std::vector<double> ys;
    } cases[] = {{loAscending, {"B", "a", "b", "c"}, {4, 2, 1, 3}},
                 {loDescending, {"c", "b", "a", "B"}, {3, 1, 2, 4}},
                 {loNone, {"b", "a", "c", "B"}, {1, 2, 3, 4}}};
    for (const auto& c : cases) {
        series->Clear();
        series->AddXY(10, 1, "b", clRed);
        series->AddXY(20, 2, "a");
        series->AddXY(30, 3, "c");
        series->AddXY(40, 4, "B");
        series->SortByLabels(c.order);
        EXPECT_EQ(Labels(series), c.labels);
        EXPECT_EQ(Values(series->YValues), c.ys);
        if (c.order != loNone) {
            EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 2, 3}));
            EXPECT_EQ(series->LabelSortOrder, loNone);
        }
        // The own colour moved with its point.
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(series->InternalColor(i) == clRed, series->GetXLabel(i) == "b");
    }
}

TEST_F(SamplesTest, CheckOrderSortsByTheMandatoryColumn) {
    series->AddXY(0, 3);
    series->AddXY(1, 1);
    series->AddXY(2, 2);
    series->CheckOrder();
    EXPECT_EQ(Values(series->YValues), (std::vector<double>{3, 1, 2}));
    series->YValues->SetOrder(loAscending);
    series->CheckOrder();
    EXPECT_EQ(Values(series->YValues), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 2}));
}

TEST_F(SamplesTest, SampleValuesOnAnEmptyChart) {
    series->ManualPoints = true;
    series->FillSampleValues(0);
    EXPECT_EQ(series->Count(), 25);
    EXPECT_FALSE(series->ManualPoints);
    series->SampleCount = 7;
    series->FillSampleValues();
    EXPECT_EQ(series->Count(), 7);
    series->FillSampleValues(4);
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 2, 3}));
    for (int round = 0; round < 20; ++round) {
        series->FillSampleValues(50);
        for (int i = 0; i < series->Count(); ++i) ASSERT_GE(series->YValues->GetValue(i), 0);
    }
    EXPECT_EQ(series->UpdateCount, 0);
}

TEST_F(SamplesTest, NegativeSampleCountIsRefused) {
    series->AddXY(0, 1);
    try {
        series->FillSampleValues(-1);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "FillSampleValues NumValues must be > 0");
    }
    EXPECT_EQ(series->Count(), 1);
}

TEST_F(SamplesTest, SamplesSpanTheChartsOtherSeries) {
    TestLineSeries* other = NewSeries();
    other->AddXY(10, 100);
    other->AddXY(20, 300);
    series->FillSampleValues(5);
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{10, 12.5, 15, 17.5, 20}));
}

TEST_F(SamplesTest, DateTimeSamplesStartToday) {
    series->XValues->SetDateTime(true);
    series->FillSampleValues(3);
    const double today = static_cast<double>(Date());
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{today, today + 1, today + 2}));
}

TEST_F(SamplesTest, GalleryPreparation) {
    TestLineSeries* second = NewSeries();
    series->SetColorEachPoint(true);
    series->PrepareForGallery(true);
    second->PrepareForGallery(true);
    EXPECT_EQ(series->Count(), 4);
    EXPECT_FALSE(series->Marks()->Visible());
    EXPECT_EQ(series->Marks()->Font()->Size(), 7);
    EXPECT_EQ(series->Marks()->GetArrowLength(), 4);
    EXPECT_EQ(series->Marks()->DrawEvery(), 2);
    EXPECT_FALSE(series->ColorEachPoint());
    EXPECT_EQ(series->GetSeriesColor(), panel->GetDefaultColor(clPlotGallery1));
    EXPECT_EQ(second->GetSeriesColor(), panel->GetDefaultColor(clPlotGallery2));
    TPlotFunction::PrepareForGallery(panel.get());
    EXPECT_EQ(second->GetSeriesColor(), panel->GetDefaultColor(clPlotGallery2));
    second->PrepareForGallery(false);
    EXPECT_EQ(second->GetSeriesColor(), TColor(0xC0C0C0));
    std::vector<std::string> names;
    series->CreateSubGallery([&](const AnsiString& name) { names.push_back(name.str()); });
    EXPECT_EQ(names, std::vector<std::string>{"Normal"});
}

TEST_F(SamplesTest, AssignCopiesManualPointsWithColoursAndLabels) {
    series->AddXY(1, 10, "one", TColor(0x123456));
    series->AddXY(2, 20, "two");
    series->ManualPoints = true;
    series->SetValueFormat("0.0");
    series->SetDepth(7);
    TestLineSeries* copy = NewSeries();
    copy->Assign(series);
    EXPECT_EQ(Values(copy->XValues), (std::vector<double>{1, 2}));
    EXPECT_EQ(Values(copy->YValues), (std::vector<double>{10, 20}));
    EXPECT_EQ(Labels(copy), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(copy->InternalColor(0), TColor(0x123456));
    EXPECT_TRUE(copy->ManualPoints);
    EXPECT_EQ(copy->ValueFormat(), "0.0");
    EXPECT_EQ(copy->Depth(), 7);
}

TEST_F(SamplesTest, AssignCopiesDataSourceLinksAndTheFunction) {
    TestLineSeries* source = NewSeries("Source");
    source->AddXY(0, 5);
    series->SetDataSource(source);
    auto* function = new TPlotFunction(panel.get());
    series->SetFunction(function);
    TestLineSeries* copy = NewSeries();
    copy->Assign(series);
    EXPECT_EQ(copy->GetDataSource(), source);
    EXPECT_GE(source->LinkedSeries->IndexOf(copy), 0);
    // The copy gets a function of its own; the source keeps its function.
    ASSERT_NE(copy->SeriesFunction, nullptr);
    EXPECT_NE(copy->SeriesFunction, function);
    EXPECT_EQ(copy->SeriesFunction->ClassType(), function->ClassType());
    EXPECT_EQ(series->SeriesFunction, function);
}

TEST_F(SamplesTest, AssignFormatCrossesColumnsBetweenHorizontalAndVertical) {
    TestLineSeries* horizontal = NewSeries();
    horizontal->SetHorizontal();
    series->XValues->SetDateTime(true);
    series->YValues->SetOrder(loDescending);
    horizontal->AssignFormat(series);
    EXPECT_TRUE(horizontal->YValues->DateTime());
    EXPECT_FALSE(horizontal->XValues->DateTime());
    EXPECT_EQ(horizontal->XValues->Order(), loDescending);
}

TEST_F(SamplesTest, ValueListsAreFoundByNameAndReplaced) {
    TChartValueList* close = new TChartValueList(series, "Close");
    EXPECT_EQ(series->GetYValueList("close"), close);
    EXPECT_EQ(series->GetYValueList("open"), series->YValues);
    EXPECT_EQ(series->GetYValueList("Y"), series->YValues);

    series->AddXY(0, 1);
    TChartValueList* replacement = new TChartValueList(series, "New");
    series->ReplaceList(series->YValues, replacement);
    EXPECT_EQ(series->YValues, replacement);
    EXPECT_EQ(series->MandatoryList, replacement);
    EXPECT_EQ(series->ValueLists->IndexOf(replacement), 1);
    EXPECT_EQ(series->ValueLists->Count(), 3);
    EXPECT_EQ(replacement->Name(), Plotconst::PlotMsg_ValuesY);
}

}  // namespace
