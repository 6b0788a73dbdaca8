// The chart component written to a component stream and read back: its own parts, the legend,
// titles, walls, the line family of series with their points and the text-box tools.
#include <gtest/gtest.h>

#include "AreaSeries.h"
#include "Chart.h"
#include "FastLineSeries.h"
#include "PlotPageNumTool.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

class ChartStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const TMetaClass* c : {TLineSeries::StaticClass(), TPointSeries::StaticClass(),
                                    TAreaSeries::StaticClass(), TFastLineSeries::StaticClass()})
            RegisterClass(c);
    }
    void TearDown() override {
        TObject::Free(copyOwner);
        TObject::Free(owner);
    }

    TChart* NewChart(const char* name, TComponent* chartOwner) {
        auto* chart = new TChart(chartOwner);
        chart->SetName(name);
        return chart;
    }
    template <class T>
    T* AddSeries(TChart* chart, const char* name, std::initializer_list<double> values) {
        auto* series = new T(owner);
        series->SetName(name);
        chart->AddSeries(series);
        series->AlwaysStoreData = true;
        for (double value : values) series->Add(value);
        return series;
    }
    TChart* RoundTrip(TChart* source) {
        TMemoryStream stream;
        WriteComponentToStream(&stream, source);
        stream.SetPosition(0);
        TChart* copy = NewChart("Chart1", copyOwner);
        ReadComponentFromStream(&stream, copy, copyOwner);
        return copy;
    }
    template <class T>
    T* SeriesOf(TChart* chart, int index) {
        return CheckedCast<T>(chart->GetSeries(index));
    }

    TComponent* owner = new TComponent(nullptr);
    // The copy's components live apart, as on a second form.
    TComponent* copyOwner = new TComponent(nullptr);
};

TEST_F(ChartStreamTest, ChartPartsComeBackAsWritten) {
    TChart* chart = NewChart("Chart1", owner);
    chart->Title()->SetCaption("Radon");
    chart->Title()->SetAlignment(taLeftJustify);
    chart->Foot()->SetCaption("Foot");
    chart->Legend()->SetAlignment(laBottom);
    chart->Legend()->SetCheckBoxes(true);
    chart->Legend()->SetTopPos(0);
    chart->Legend()->SetVertMargin(35);
    chart->Legend()->SetLegendStyle(lsSeries);
    chart->Legend()->Symbol()->SetSquared(true);
    chart->Legend()->Title()->SetCaption("Series");
    chart->BackWall()->SetColor(clYellow);
    chart->LeftWall()->SetSize(4);
    chart->ScrollMouseButton = mbMiddle;

    TChart* copy = RoundTrip(chart);
    EXPECT_STREQ(copy->Title()->Caption().c_str(), "Radon");
    EXPECT_EQ(copy->Title()->Alignment(), taLeftJustify);
    EXPECT_STREQ(copy->Foot()->Caption().c_str(), "Foot");
    EXPECT_EQ(copy->Legend()->Alignment(), laBottom);
    EXPECT_TRUE(copy->Legend()->CheckBoxes());
    EXPECT_EQ(copy->Legend()->TopPos(), 0);
    EXPECT_EQ(copy->Legend()->VertMargin(), 35);
    EXPECT_EQ(copy->Legend()->LegendStyle(), lsSeries);
    EXPECT_TRUE(copy->Legend()->Symbol()->Squared());
    EXPECT_STREQ(copy->Legend()->Title()->Caption().c_str(), "Series");
    EXPECT_EQ(copy->BackWall()->Color(), clYellow);
    EXPECT_EQ(copy->LeftWall()->Size(), 4);
    EXPECT_EQ(copy->LeftWall()->Color(), chart->LeftWall()->Color());
    EXPECT_EQ(copy->ScrollMouseButton, mbMiddle);
}

TEST_F(ChartStreamTest, SeriesComeBackWithTheirSettingsAndPoints) {
    TChart* chart = NewChart("Chart1", owner);
    auto* line = AddSeries<TLineSeries>(chart, "Line1", {3, 1, 4});
    line->SetTitle("Radon");
    line->SetStairs(true);
    line->SetSeriesColor(clTeal);
    line->Pointer()->SetVisible(true);
    line->SetVertAxis(aRightAxis);
    auto* points = AddSeries<TPointSeries>(chart, "Point1", {1, 5});
    points->SetShowInLegend(false);
    points->Pointer()->SetStyle(psDiamond);
    points->Pointer()->SetVisible(false);
    auto* area = AddSeries<TAreaSeries>(chart, "Area1", {2, 7, 1, 8});
    area->SetUseOrigin(true);
    area->SetOrigin(2.5);
    area->SetMultiArea(maStacked);
    auto* fast = AddSeries<TFastLineSeries>(chart, "Fast1", {9});
    fast->SetIgnoreNulls(false);
    fast->SetActive(false);

    TChart* copy = RoundTrip(chart);
    ASSERT_EQ(copy->SeriesCount(), 4);
    auto* lineCopy = SeriesOf<TLineSeries>(copy, 0);
    EXPECT_STREQ(lineCopy->Title().c_str(), "Radon");
    EXPECT_TRUE(lineCopy->Stairs());
    EXPECT_EQ(lineCopy->SeriesColor(), clTeal);
    EXPECT_TRUE(lineCopy->Pointer()->Visible());
    EXPECT_EQ(lineCopy->VertAxis(), aRightAxis);
    ASSERT_EQ(lineCopy->Count(), 3);
    EXPECT_EQ(lineCopy->YValues->GetValue(2), 4);
    auto* pointsCopy = SeriesOf<TPointSeries>(copy, 1);
    EXPECT_FALSE(pointsCopy->ShowInLegend());
    EXPECT_FALSE(pointsCopy->ClickableLine());
    EXPECT_EQ(pointsCopy->Pointer()->Style(), psDiamond);
    EXPECT_FALSE(pointsCopy->Pointer()->Visible());
    auto* areaCopy = SeriesOf<TAreaSeries>(copy, 2);
    EXPECT_TRUE(areaCopy->UseYOrigin());
    EXPECT_EQ(areaCopy->YOrigin(), 2.5);
    EXPECT_EQ(areaCopy->MultiArea(), maStacked);
    EXPECT_EQ(areaCopy->Count(), 4);
    auto* fastCopy = SeriesOf<TFastLineSeries>(copy, 3);
    EXPECT_FALSE(fastCopy->IgnoreNulls());
    EXPECT_FALSE(fastCopy->Active());
    EXPECT_EQ(fastCopy->ParentChart(), copy);
}

TEST_F(ChartStreamTest, TextBoxToolsComeBackWithTheirBoxAndCallout) {
    TChart* chart = NewChart("Chart1", owner);
    auto* note = new TAnnotationTool(owner);
    note->SetName("Note1");
    note->SetParentChart(chart);
    note->SetText("Radon\rhigh");
    note->SetPosition(ppRightBottom);
    note->SetTextAlignment(taCenter);
    note->SetCursor(crHandPoint);
    note->Shape()->SetColor(clYellow);
    note->Shape()->SetTransparency(40);
    note->Callout()->SetVisible(true);
    note->Callout()->SetXPosition(120);
    note->Callout()->SetYPosition(80);
    note->Callout()->SetZPosition(3);
    note->Callout()->Arrow()->SetVisible(true);
    note->SetActive(false);
    auto* box = new TRectangleTool(owner);
    box->SetName("Box1");
    box->SetParentChart(chart);
    box->SetLeft(30);
    box->SetTop(40);
    box->SetWidth(90);
    box->SetHeight(25);
    box->SetPositionUnits(muPercent);
    auto* pages = new TPageNumTool(owner);
    pages->SetName("Pages1");
    pages->SetParentChart(chart);
    auto* custom = new TPageNumTool(owner);
    custom->SetName("Pages2");
    custom->SetParentChart(chart);
    custom->SetFormat("%d / %d");

    TChart* copy = RoundTrip(chart);
    ASSERT_EQ(copy->Tools->Count(), 4);
    auto* noteCopy = CheckedCast<TAnnotationTool>(copy->Tools->Get(0));
    EXPECT_STREQ(noteCopy->Text().c_str(), "Radon\rhigh");
    EXPECT_EQ(noteCopy->Position(), ppRightBottom);
    EXPECT_EQ(noteCopy->TextAlignment(), taCenter);
    EXPECT_EQ(noteCopy->Cursor(), crHandPoint);
    EXPECT_TRUE(noteCopy->AutoSize());
    EXPECT_FALSE(noteCopy->Active());
    EXPECT_EQ(noteCopy->Shape()->Color(), clYellow);
    EXPECT_EQ(noteCopy->Shape()->Transparency(), 40);
    EXPECT_FALSE(noteCopy->Shape()->CustomPosition());
    EXPECT_TRUE(noteCopy->Callout()->Visible());
    EXPECT_EQ(noteCopy->Callout()->XPosition(), 120);
    EXPECT_EQ(noteCopy->Callout()->YPosition(), 80);
    EXPECT_EQ(noteCopy->Callout()->ZPosition(), 3);
    EXPECT_TRUE(noteCopy->Callout()->Arrow()->Visible());
    EXPECT_EQ(noteCopy->ParentChart(), copy);

    auto* boxCopy = CheckedCast<TRectangleTool>(copy->Tools->Get(1));
    EXPECT_FALSE(boxCopy->AutoSize());
    EXPECT_TRUE(boxCopy->Shape()->CustomPosition());
    EXPECT_EQ(boxCopy->Shape()->ShapeBounds, Rect(30, 40, 119, 64));
    EXPECT_EQ(boxCopy->PositionUnits(), muPercent);
    EXPECT_EQ(boxCopy->Shape()->Transparency(), 75);
    EXPECT_EQ(boxCopy->Cursor(), crHandPoint);

    EXPECT_STREQ(CheckedCast<TPageNumTool>(copy->Tools->Get(2))->Format().c_str(),
                 "Page %d of %d");
    EXPECT_STREQ(CheckedCast<TPageNumTool>(copy->Tools->Get(3))->Format().c_str(), "%d / %d");
}

TEST_F(ChartStreamTest, AnAutoSizedAnnotationStoresNeitherSizeNorTheStandardPageFormat) {
    auto streamed = [](TComponent* component) {
        TMemoryStream stream;
        WriteComponentToStream(&stream, component);
        return std::string(static_cast<const char*>(stream.Memory()),
                           static_cast<size_t>(stream.Size()));
    };
    auto* pages = new TPageNumTool(owner);
    pages->SetName("Pages1");
    std::string bytes = streamed(pages);
    EXPECT_EQ(bytes.find("Format"), std::string::npos);
    EXPECT_EQ(bytes.find("Width"), std::string::npos);
    EXPECT_EQ(bytes.find("Left"), std::string::npos);
    pages->SetWidth(70);
    pages->SetFormat("%d");
    bytes = streamed(pages);
    EXPECT_NE(bytes.find("Format"), std::string::npos);
    EXPECT_NE(bytes.find("Width"), std::string::npos);
    EXPECT_NE(bytes.find("AutoSize"), std::string::npos);
}

}  // namespace
