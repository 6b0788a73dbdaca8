// The series base: adding points in X order with colours and labels, null points, batching,
// deleting one point or a range, clearing, notices to dependent series, colours and labels.
#include <gtest/gtest.h>

#include "PlotProcs.h"
#include "Plotconst.h"
#include "chart_test_support.h"

namespace {

std::vector<double> Values(TChartValueList* list) {
    std::vector<double> values;
    for (int i = 0; i < list->Count(); ++i) values.push_back(list->GetValue(i));
    return values;
}

class SeriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel->AddSeries(series);
        panel->Listeners().Add(&listener);
    }
    // Makes `follower` follow `source` as a linked series.
    static void Link(TChartSeries* source, TChartSeries* follower) {
        source->AddLinkedSeries(follower);
        follower->DataSources->Add(source);
    }
    struct Listener : IPlotEventListener {
        void HandlePlotEvent(TPlotEvent* event) override {
            if (auto* e = dynamic_cast<TPlotSeriesEvent*>(event)) events.push_back(e->Event);
        }
        std::vector<TChartSeriesEvent> events;
    } listener;
    AxisPanelPtr panel{new TestAxisPanel};
    TestLineSeries* series = new TestLineSeries(panel.get());
};

TEST_F(SeriesTest, AddXYKeepsPointsInXOrderAndReturnsTheirIndex) {
    const struct {
        double x, y;
        int index;
    } adds[] = {{3, 30, 0}, {1, 10, 0}, {2, 20, 1}, {2, 21, 2}, {5, 50, 4}};
    for (const auto& a : adds) EXPECT_EQ(series->AddXY(a.x, a.y), a.index) << a.x;
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{1, 2, 2, 3, 5}));
    EXPECT_EQ(Values(series->YValues), (std::vector<double>{10, 20, 21, 30, 50}));
    EXPECT_EQ(series->Count(), 5);
}

TEST_F(SeriesTest, AddFormsChooseTheirX) {
    series->Add(7);
    series->Add(8, "eight");
    series->AddY(9);
    series->AddX(10);
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 2, 10}));
    EXPECT_EQ(Values(series->YValues), (std::vector<double>{7, 8, 9, 3}));
    EXPECT_EQ(series->GetXLabel(1), "eight");
    EXPECT_EQ(series->GetXLabel(0), "");
    EXPECT_EQ(series->GetXLabel(99), "");
    const double values[] = {1, 2, 3};
    EXPECT_EQ(series->AddArray(values, 2), 3);
    EXPECT_EQ(series->Count(), 7);
}

TEST_F(SeriesTest, RefusedPointChangesNothing) {
    int asked = 0, added = 0;
    series->OnBeforeAdd = [&](TChartSeries*) { return ++asked != 2; };
    series->OnAfterAdd = [&](TChartSeries*, int) { ++added; };
    EXPECT_EQ(series->AddXY(1, 1), 0);
    EXPECT_EQ(series->AddXY(2, 2, "x", clRed), -1);
    EXPECT_EQ(series->Count(), 1);
    EXPECT_EQ(series->LabelList.Count(), 0);
    EXPECT_FALSE(series->HasPointColors());
    EXPECT_EQ(added, 1);
}

TEST_F(SeriesTest, OwnColoursAreKeptPerPoint) {
    series->SetSeriesColor(clBlue);
    series->AddXY(0, 0);
    EXPECT_FALSE(series->HasPointColors());
    series->AddXY(1, 1, "", clRed);
    EXPECT_TRUE(series->HasPointColors());
    series->AddXY(0.5, 2);
    EXPECT_EQ(series->InternalColor(0), clDefault);
    EXPECT_EQ(series->GetValueColor(0), clBlue);
    EXPECT_EQ(series->GetValueColor(1), clBlue);
    EXPECT_EQ(series->GetValueColor(2), clRed);
    series->SetColorEachPoint(true);
    EXPECT_EQ(series->GetValueColor(0), panel->GetDefaultColor(0));
    EXPECT_EQ(series->GetValueColor(2), clRed);
}

TEST_F(SeriesTest, NullPoints) {
    series->AddNull(5.0);
    series->AddNullXY(3, 4, "gap");
    series->Add(6);
    EXPECT_TRUE(series->IsNull(0));
    EXPECT_EQ(series->GetyValue(0), 5);
    EXPECT_FALSE(series->IsNull(1));
    EXPECT_EQ(series->GetxValue(1), 2);
    EXPECT_TRUE(series->IsNull(2));
    EXPECT_EQ(series->GetXLabel(2), "gap");
    series->SetNull(2, false);
    EXPECT_FALSE(series->IsNull(2));
    series->ColorRange(series->YValues, 4, 5, clFuchsia);
    EXPECT_EQ(series->GetValueColor(0), clNone);
    EXPECT_EQ(series->GetValueColor(1), series->GetSeriesColor());
    EXPECT_EQ(series->GetValueColor(2), clFuchsia);
}

TEST_F(SeriesTest, ColorRangeIncludesBothEndsAndSkipsNullPoints) {
    series->AddXY(0, 10);
    series->AddNullXY(1, 15);
    series->AddXY(2, 20);
    series->AddXY(3, 25);
    series->ColorRange(series->YValues, 10, 20, clFuchsia);
    EXPECT_EQ(series->GetValueColor(0), clFuchsia);
    EXPECT_EQ(series->GetValueColor(1), clNone);
    EXPECT_EQ(series->GetValueColor(2), clFuchsia);
    EXPECT_NE(series->GetValueColor(3), clFuchsia);
}

TEST_F(SeriesTest, BatchingHoldsNoticesUntilTheOutermostEnd) {
    auto* follower = new TestLineSeries(panel.get());
    Link(series, follower);
    int added = 0;
    series->OnAfterAdd = [&](TChartSeries*, int) { ++added; };
    series->BeginUpdate();
    series->BeginUpdate();
    for (int i = 0; i < 100; ++i) series->AddXY(i, i);
    series->EndUpdate();
    EXPECT_EQ(follower->Count(), 0);
    listener.events.clear();
    series->EndUpdate();
    EXPECT_EQ(added, 0);
    EXPECT_EQ(follower->Count(), 100);
    EXPECT_EQ(listener.events, (std::vector<TChartSeriesEvent>{seDataChanged}));
    series->EndUpdate();
    EXPECT_EQ(series->UpdateCount, 0);
    series->AddXY(100, 5);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(follower->Count(), 101);
    EXPECT_EQ(follower->GetyValue(100), 5);
}

TEST_F(SeriesTest, DeleteChecksTheIndexAndRemovesEveryPartOfThePoint) {
    for (int i = 0; i < 5; ++i)
        series->AddXY(i, i * 10, i == 3 ? "three" : "", i == 4 ? clRed : clDefault);
    for (int bad : {5, -1}) {
        try {
            series->Delete(bad);
            ADD_FAILURE() << bad;
        } catch (const ChartException& e) {
            EXPECT_EQ(e.Message(), Format(Plotconst::PlotMsg_SeriesDelete, bad, 4));
        }
    }
    EXPECT_EQ(series->Count(), 5);
    series->Delete(2);
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 3, 4}));
    EXPECT_EQ(series->GetXLabel(2), "three");
    EXPECT_EQ(series->GetValueColor(3), clRed);
}

TEST_F(SeriesTest, RangeDeleteRenumbersOnRequestAndRefreshesDependants) {
    auto* follower = new TestLineSeries(panel.get());
    Link(series, follower);
    for (int i = 0; i <= 5; ++i) series->AddXY(i, i * 10);
    ASSERT_EQ(follower->Count(), 6);
    series->Delete(2, 2, true);
    EXPECT_EQ(Values(series->XValues), (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(Values(series->YValues), (std::vector<double>{0, 10, 40, 50}));
    // The follower was rebuilt from the source, not cut at index -1.
    EXPECT_EQ(Values(follower->YValues), (std::vector<double>{0, 10, 40, 50}));
    EXPECT_THROW(series->Delete(3, 2), EAssertionFailed);
    EXPECT_THROW(series->Delete(-1, 1), EAssertionFailed);
    EXPECT_EQ(series->Count(), 4);
    series->Delete(4, 0);
    EXPECT_EQ(series->Count(), 4);
}

TEST_F(SeriesTest, SingleDeleteAndClearReachDependantsByTheirTriggers) {
    auto* follower = new TestLineSeries(panel.get());
    Link(series, follower);
    for (int i = 0; i < 3; ++i) series->AddXY(i, i);
    series->Delete(0);
    EXPECT_EQ(Values(follower->XValues), (std::vector<double>{1, 2}));
    follower->RecalcTriggers.erase(rOnDelete);
    series->Delete(0);
    EXPECT_EQ(follower->Count(), 2);
    int cleared = 0;
    series->OnClearValues = [&](TChartSeries*) { ++cleared; };
    series->Clear();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(series->Count(), 0);
    EXPECT_EQ(follower->Count(), 0);
    EXPECT_EQ(series->FirstValueIndex, -1);
    series->OnClearValues = nullptr;  // freeing the series clears it again, after `cleared` is gone
}

TEST_F(SeriesTest, FreeingEitherSideOfALinkLeavesNoDanglingReference) {
    auto* follower = new TestLineSeries(panel.get());
    Link(series, follower);
    follower->Free();
    EXPECT_EQ(series->LinkedSeries->Count(), 0);
    series->AddXY(1, 1);
    auto* other = new TestLineSeries(panel.get());
    Link(series, other);
    series->Free();
    EXPECT_EQ(other->DataSources->Count(), 0);
    EXPECT_EQ(panel->SeriesCount(), 0);
}

TEST_F(SeriesTest, JoiningAChartGivesAFreePaletteColour) {
    EXPECT_EQ(series->GetSeriesColor(), GetDefaultColor(0));
    EXPECT_FALSE(series->IsColorStored());
    auto* second = new TestLineSeries(panel.get());
    second->SetSeriesColor(GetDefaultColor(1));
    panel->AddSeries(second);
    auto* third = new TestLineSeries(panel.get());
    panel->AddSeries(third);
    EXPECT_EQ(third->GetSeriesColor(), GetDefaultColor(2));
    listener.events.clear();
    third->SetSeriesColor(clFuchsia);
    EXPECT_TRUE(third->IsColorStored());
    EXPECT_EQ(listener.events, (std::vector<TChartSeriesEvent>{seChangeColor}));
    third->SetSeriesColor(clDefault);
    EXPECT_FALSE(third->IsColorStored());
    EXPECT_EQ(third->GetSeriesColor(), clFuchsia);
}

TEST_F(SeriesTest, TitleAndActiveChangesAreBroadcast) {
    series->SetTitle("Radon");
    series->SetActive(false);
    EXPECT_EQ(listener.events, (std::vector<TChartSeriesEvent>{seChangeTitle, seChangeActive}));
    EXPECT_EQ(panel->SeriesTitleLegend(0), "Radon");
}

TEST_F(SeriesTest, LabelListPadsAndSearches) {
    TLabelsList& labels = series->LabelList;
    labels.InsertLabel(0, "");
    EXPECT_EQ(labels.Count(), 0);
    labels.SetLabel(3, "d");
    EXPECT_EQ(labels.Count(), 4);
    labels.SetLabel(9, "");
    EXPECT_EQ(labels.Count(), 4);
    labels.InsertLabel(1, "b");
    EXPECT_EQ(labels.GetLabel(1), "b");
    EXPECT_EQ(labels.GetLabel(4), "d");
    EXPECT_EQ(labels.IndexOfLabel("D"), -1);
    EXPECT_EQ(labels.IndexOfLabel("D", false), 4);
    labels.Exchange(4, 7);
    EXPECT_EQ(labels.GetLabel(7), "d");
    EXPECT_EQ(labels.GetLabel(4), "");
    labels.DeleteLabel(1);
    EXPECT_EQ(labels.GetLabel(6), "d");
}

TEST_F(SeriesTest, SeriesGroupsFollowTheirSeries) {
    auto* second = new TestLineSeries(panel.get());
    panel->AddSeries(second);
    TSeriesGroup* group = panel->SeriesList->AddGroup("Sensors");
    group->Add(series);
    group->Add(second);
    EXPECT_EQ(group->GetActive(), gaYes);
    second->SetActive(false);
    EXPECT_EQ(group->GetActive(), gaSome);
    group->SetActive(gaSome);
    EXPECT_FALSE(second->Active());
    group->Show();
    EXPECT_TRUE(second->Active());
    group->Hide();
    EXPECT_EQ(group->GetActive(), gaNo);
    EXPECT_EQ(panel->SeriesList->Groups()->Contains(second), 0);
    EXPECT_FALSE(panel->SeriesList->GetAllActive());
}

}  // namespace
