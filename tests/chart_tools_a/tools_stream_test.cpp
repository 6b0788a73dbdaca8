// The four tools in the tool gallery, and written with a chart to a component stream and read
// back with their settings, series, axis and lines.
#include <gtest/gtest.h>

#include "AxisArrowTool.h"
#include "AxisScrollTool.h"
#include "ChartRegistry.h"
#include "ChartTools.h"
#include "ColorLineTool.h"
#include "CursorTool.h"
#include "DrawLineTool.h"
#include "LineSeries.h"
#include "cl_filer.h"
#include "cl_streams.h"

namespace {

TEST(ToolGallery, TheToolsAreListedInGalleryOrderWithTheirNamesAndEditors) {
    const struct {
        const TMetaClass* toolClass;
        const char* name;
        const char* editor;
    } tools[] = {
        {TCursorTool::StaticClass(), "Cursor", "TCursorToolEditor"},
        {TAxisArrowTool::StaticClass(), "Axis Arrows", "TAxisArrowToolEditor"},
        {TDrawLineTool::StaticClass(), "Draw Line", "TDrawLineEdit"},
        {TColorLineTool::StaticClass(), "Color Line", "TColorLineToolEditor"},
        {TAxisScrollTool::StaticClass(), "Axis Scroll", "TAxisToolEditor"},
    };
    // Start-up registered them already: registering again changes nothing.
    const int count = PlotToolTypes->Count();
    RegisterChartTools();
    EXPECT_EQ(PlotToolTypes->Count(), count);
    int previous = -1;
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    for (const auto& t : tools) {
        const int index = PlotToolTypes->IndexOf(t.toolClass);
        EXPECT_GT(index, previous) << t.name;
        previous = index;
        EXPECT_EQ(GetClass(t.toolClass->ClassName()), t.toolClass);
        auto* tool = CheckedCast<TPlotCustomTool>(t.toolClass->Create(owner.get()));
        EXPECT_STREQ(tool->Description().c_str(), t.name);
        EXPECT_STREQ(tool->GetEditorClass().c_str(), t.editor);
    }
}

class ToolsStreamTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterClass(TLineSeries::StaticClass()); }
    void TearDown() override {
        TObject::Free(copyOwner);
        TObject::Free(owner);
    }
    TChart* NewChart(TComponent* chartOwner) {
        auto* chart = new TChart(chartOwner);
        chart->SetName("Chart1");
        return chart;
    }
    // The chart owns its series and tools, so that references are written by plain name, as
    // on a form that owns them all.
    template <class T>
    T* NewTool(TChart* chart, const char* name) {
        auto* tool = new T(chart);
        tool->SetName(name);
        tool->SetParentChart(chart);
        return tool;
    }
    TChart* RoundTrip(TChart* source) {
        TMemoryStream stream;
        WriteComponentToStream(&stream, source);
        stream.SetPosition(0);
        TChart* copy = NewChart(copyOwner);
        ReadComponentFromStream(&stream, copy, copyOwner);
        return copy;
    }
    template <class T>
    T* ToolOf(TChart* chart, int index) {
        return CheckedCast<T>(chart->Tools->Get(index));
    }

    TComponent* owner = new TComponent(nullptr);
    TComponent* copyOwner = new TComponent(nullptr);
};

TEST_F(ToolsStreamTest, SettingsSeriesAxesAndLinesComeBack) {
    TChart* chart = NewChart(owner);
    auto* series = new TLineSeries(chart);
    series->SetName("Series1");
    chart->AddSeries(series);

    auto* cursor = NewTool<TCursorTool>(chart, "Cursor1");
    cursor->SetClickTolerance(5);
    cursor->SetFollowMouse(true);
    cursor->SetSnap(true);
    cursor->SetStyle(cssVertical);
    cursor->SetUseSeriesZ(true);
    cursor->SetSeries(series);
    cursor->Pen()->SetColor(clRed);

    auto* arrows = NewTool<TAxisArrowTool>(chart, "Arrows1");
    arrows->SetAxis(chart->LeftAxis);
    arrows->SetLength(24);
    arrows->SetPosition(aaEnd);
    arrows->SetScrollInverted(true);
    arrows->SetScrollPercent(25);
    arrows->Brush()->SetColor(clYellow);

    auto* scroll = NewTool<TAxisScrollTool>(chart, "Scroll1");
    scroll->SetScrollInverted(true);

    auto* drawLines = NewTool<TDrawLineTool>(chart, "Lines1");
    drawLines->SetButton(mbRight);
    drawLines->SetClickTolerance(4);
    drawLines->SetEnableDraw(false);
    drawLines->SetEnableSelect(false);
    new TDrawLine(drawLines->Lines(), 1.5, 2.5, 3.5, 4.5);
    auto* styled = new TDrawLine(drawLines->Lines(), -1, 0, 10, 20);
    styled->SetStyle(dlVertParallel);
    styled->Pen()->SetColor(clBlue);

    TChart* copy = RoundTrip(chart);
    ASSERT_EQ(copy->Tools->Count(), 4);

    auto* cursorCopy = ToolOf<TCursorTool>(copy, 0);
    EXPECT_EQ(cursorCopy->ClickTolerance(), 5);
    EXPECT_TRUE(cursorCopy->FollowMouse());
    EXPECT_TRUE(cursorCopy->Snap());
    EXPECT_EQ(cursorCopy->Style(), cssVertical);
    EXPECT_TRUE(cursorCopy->UseSeriesZ());
    ASSERT_NE(cursorCopy->Series(), nullptr);
    EXPECT_EQ(cursorCopy->Series()->ParentChart(), copy);
    EXPECT_EQ(cursorCopy->Pen()->Color(), clRed);

    auto* arrowsCopy = ToolOf<TAxisArrowTool>(copy, 1);
    EXPECT_EQ(arrowsCopy->Axis(), copy->LeftAxis);
    EXPECT_EQ(arrowsCopy->Length(), 24);
    EXPECT_EQ(arrowsCopy->Position(), aaEnd);
    EXPECT_TRUE(arrowsCopy->ScrollInverted());
    EXPECT_EQ(arrowsCopy->ScrollPercent(), 25);
    EXPECT_EQ(arrowsCopy->Brush()->Color(), clYellow);

    EXPECT_TRUE(ToolOf<TAxisScrollTool>(copy, 2)->ScrollInverted());

    auto* linesCopy = ToolOf<TDrawLineTool>(copy, 3);
    EXPECT_EQ(linesCopy->Button(), mbRight);
    EXPECT_EQ(linesCopy->ClickTolerance(), 4);
    EXPECT_FALSE(linesCopy->EnableDraw());
    EXPECT_FALSE(linesCopy->EnableSelect());
    ASSERT_EQ(linesCopy->Lines()->Count(), 2);
    TDrawLine* first = linesCopy->Lines()->Get(0);
    EXPECT_EQ(first->X0(), 1.5);
    EXPECT_EQ(first->Y0(), 2.5);
    EXPECT_EQ(first->X1(), 3.5);
    EXPECT_EQ(first->Y1(), 4.5);
    EXPECT_EQ(first->PenIfAny(), nullptr);
    TDrawLine* second = linesCopy->Lines()->Get(1);
    EXPECT_EQ(second->X0(), -1);
    EXPECT_EQ(second->Y1(), 20);
    EXPECT_EQ(second->Style(), dlVertParallel);
    ASSERT_NE(second->PenIfAny(), nullptr);
    EXPECT_EQ(second->PenIfAny()->Color(), clBlue);
}

}  // namespace
