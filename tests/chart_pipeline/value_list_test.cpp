// Value lists: ordered insertion, growth, statistics, searching, rotation, deletion and count
// checks, copying of settings, and sorting whole points.
#include <gtest/gtest.h>

#include "PlotSeries.h"
#include "chart_test_support.h"

namespace {

using SeriesPtr = TOwnedPtr<TChartSeries>;

std::vector<double> Values(TChartValueList* list) {
    std::vector<double> values;
    for (int i = 0; i < list->Count(); ++i) values.push_back(list->GetValue(i));
    return values;
}

class ValueListTest : public ::testing::Test {
protected:
    SeriesPtr series{new TChartSeries(nullptr)};
    TChartValueList* list = new TChartValueList(series.get(), "Z");
};

TEST_F(ValueListTest, NewListJoinsItsSeriesAfterTheXAndYColumns) {
    ASSERT_EQ(series->ValueLists->Count(), 3);
    EXPECT_EQ(series->ValueLists->Get(0), series->XValues);
    EXPECT_EQ(series->ValueLists->Get(1), series->YValues);
    EXPECT_EQ(series->ValueLists->Get(2), list);
    EXPECT_EQ(list->Name(), "Z");
    EXPECT_EQ(list->Order(), loNone);
    EXPECT_EQ(series->XValues->Order(), loAscending);
}

TEST_F(ValueListTest, AddChartValuePlacesByOrderAndReturnsTheIndex) {
    const struct {
        TChartListOrder order;
        std::vector<double> added;
        std::vector<int> indexes;
        std::vector<double> stored;
    } cases[] = {
        {loAscending, {1, 2, 2, 3, 2}, {0, 1, 2, 3, 3}, {1, 2, 2, 2, 3}},
        {loAscending, {5, 1, 3}, {0, 0, 1}, {1, 3, 5}},
        {loDescending, {5, 4, 4, 4.5}, {0, 1, 2, 1}, {5, 4.5, 4, 4}},
        {loNone, {3, 1, 2}, {0, 1, 2}, {3, 1, 2}},
    };
    for (const auto& c : cases) {
        list->ClearValues();
        list->SetOrder(c.order);
        std::vector<int> indexes;
        for (double v : c.added) indexes.push_back(list->AddChartValue(v));
        EXPECT_EQ(indexes, c.indexes) << c.order;
        EXPECT_EQ(Values(list), c.stored) << c.order;
    }
}

TEST_F(ValueListTest, GrowsByTheDefaultCapacityAndReleasesOnClear) {
    EXPECT_EQ(list->Capacity(), 0);
    list->AddChartValue(1);
    EXPECT_EQ(list->Capacity(), 1000);
    for (int i = 1; i < 1000; ++i) list->AddChartValue(i);
    EXPECT_EQ(list->Capacity(), 1000);
    list->AddChartValue(1000);
    EXPECT_EQ(list->Capacity(), 2000);
    EXPECT_EQ(list->Count(), 1001);
    EXPECT_EQ(list->GetValue(1000), 1000);
    list->ClearValues();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Capacity(), 0);
}

TEST_F(ValueListTest, StatisticsFollowEveryChange) {
    EXPECT_EQ(list->GetMinValue(), 0);
    EXPECT_EQ(list->GetMaxValue(), 0);
    EXPECT_EQ(list->GetTotal(), 0);
    EXPECT_EQ(list->GetTotalABS(), 0);
    list->AddChartValue(-2);
    EXPECT_EQ(list->GetMinValue(), -2);
    EXPECT_EQ(list->GetMaxValue(), -2);
    EXPECT_EQ(list->GetTotal(), -2);
    EXPECT_EQ(list->GetTotalABS(), 2);
    list->AddChartValue(3);
    list->AddChartValue(-5);
    EXPECT_EQ(list->GetMinValue(), -5);
    EXPECT_EQ(list->GetMaxValue(), 3);
    EXPECT_EQ(list->GetTotal(), -4);
    EXPECT_EQ(list->GetTotalABS(), 10);
    EXPECT_EQ(list->Range(), 8);
    list->SetValue(1, 30);
    EXPECT_EQ(list->GetMaxValue(), 30);
    list->Delete(1);
    EXPECT_EQ(list->GetMaxValue(), -2);
    // The incremental form keeps what it had and scans from the start index on.
    list->AddChartValue(10);
    list->RecalcStats(2);
    EXPECT_EQ(list->GetMaxValue(), 10);
    EXPECT_EQ(list->GetTotal(), 3);
}

TEST_F(ValueListTest, LocateFindsTheFirstExactMatchInTheRange) {
    for (double v : {4.0, 7.0, 7.0, 9.0}) list->AddChartValue(v);
    EXPECT_EQ(list->Locate(7), 1);
    EXPECT_EQ(list->Locate(7, 2, 3), 2);
    EXPECT_EQ(list->Locate(8), -1);
    EXPECT_EQ(list->Locate(7, 3, 2), -1);
    EXPECT_EQ(list->Locate(9, 0, 99), 3);
}

TEST_F(ValueListTest, ScrollRotatesTowardsTheFront) {
    list->Scroll();
    EXPECT_EQ(list->Count(), 0);
    for (double v : {1.0, 2.0, 3.0}) list->AddChartValue(v);
    list->Scroll();
    EXPECT_EQ(Values(list), (std::vector<double>{2, 3, 1}));
}

TEST_F(ValueListTest, RangeDeletionIsCheckedBeforeAnythingChanges) {
    for (double v : {1.0, 2.0, 3.0}) list->AddChartValue(v);
    const struct {
        int start, quantity;
        const char* text;
    } refused[] = {
        {1, 3, "Quantity of data to delete must be less than Count."},
        {3, 1, "Quantity of data to delete must be less than Count."},
        {-1, 1, "Start and quantity of data to delete must not be negative."},
        {0, -1, "Start and quantity of data to delete must not be negative."},
    };
    for (const auto& c : refused) {
        try {
            list->Delete(c.start, c.quantity);
            ADD_FAILURE() << c.start << " " << c.quantity;
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(e.Message(), c.text);
            EXPECT_EQ(e.SourceName(), "TeEngine");
        }
        EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 3}));
    }
    list->Delete(1, 1);
    EXPECT_EQ(Values(list), (std::vector<double>{1, 3}));
    list->Delete(0, 2);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_THROW(list->Delete(0), EListError);
}

TEST_F(ValueListTest, CountIsCheckedAgainstSignAndCapacity) {
    try {
        list->SetCount(-1);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "ValueList Count must be greater than zero.");
    }
    try {
        list->SetCount(5);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "ValueList Count (5) greater than array length (0).");
    }
    EXPECT_EQ(list->Count(), 0);
    for (double v : {1.0, 2.0, 3.0}) list->AddChartValue(v);
    list->SetCount(2);
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2}));
    EXPECT_EQ(list->GetMaxValue(), 2);
}

TEST_F(ValueListTest, AssignCopiesSettingsNotNameOrValues) {
    TChartValueList* other = new TChartValueList(series.get(), "Other");
    other->SetOrder(loDescending);
    other->InitDateTime(true);
    other->SetValueSource("Field");
    other->AddChartValue(5);
    list->AddChartValue(1);
    list->Assign(other);
    EXPECT_EQ(list->Order(), loDescending);
    EXPECT_TRUE(list->DateTime());
    EXPECT_EQ(list->ValueSource(), "Field");
    EXPECT_EQ(list->Name(), "Z");
    EXPECT_EQ(Values(list), (std::vector<double>{1}));
    EXPECT_TRUE(list->IsDateStored());
    EXPECT_FALSE(other->IsDateStored());
}

TEST(ValueListSort, SortMovesWholePointsAndFillSequenceRenumbers) {
    SeriesPtr series(new TChartSeries(nullptr));
    series->AddXY(0, 5, "a");
    series->AddXY(1, 9, "b");
    series->AddXY(2, 7);
    series->YValues->SetOrder(loDescending);
    series->YValues->Sort();
    EXPECT_EQ(Values(series->YValues), (std::vector<double>{9, 7, 5}));
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{1, 2, 0}));
    EXPECT_EQ(series->GetXLabel(0), "b");
    EXPECT_EQ(series->GetXLabel(1), "");
    EXPECT_EQ(series->GetXLabel(2), "a");
    series->XValues->FillSequence();
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(series->XValues->ToString(1), "1");
}

}  // namespace
