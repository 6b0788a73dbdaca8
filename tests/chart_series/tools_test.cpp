// Annotation, rectangle and page-number tools: box placement, drawing over the chart, mouse
// moves and resizes, the page text with its checked format, and the tool gallery.
#include <gtest/gtest.h>

#include "ChartRegistry.h"
#include "PlotPageNumTool.h"
#include "chart_fixture.h"
#include "chart_test_support.h"

namespace {

class ToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawn.chart->SetInternalCanvas(new CallLogCanvas(&log));
        auto* series = new TLineSeries(drawn.owner);
        series->AddXY(0, 1);
        series->AddXY(1, 2);
        drawn.chart->AddSeries(series);
    }
    template <class T>
    T* AddTool() {
        auto* tool = new T(drawn.owner);
        drawn.chart->Tools->Add(tool);
        return tool;
    }
    // Runs the probe while the chart canvas is bound, after the chart was drawn.
    void RenderThen(const std::function<void()>& probe) {
        drawn.chart->OnAfterDraw = [probe](TObject*) { probe(); };
        log.clear();
        drawn.Render();
    }
    BitmapChart drawn{400, 300};
    CallLog log;
};

TEST_F(ToolsTest, AnnotationSitsInItsCornerSizedToItsText) {
    TAnnotationTool* tool = AddTool<TAnnotationTool>();
    tool->SetText("Radon");
    tool->SetPosition(ppRightBottom);
    int lines = 0, x = 0, y = 0, width = 0, height = 0;
    TRect r;
    RenderThen([&] {
        tool->GetBounds(lines, x, y, r);
        drawn.chart->InternalCanvas->AssignFont(tool->Shape()->Font());
        width = drawn.chart->InternalCanvas->TextWidth("Radon");
        height = drawn.chart->InternalCanvas->FontHeight();
    });
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(x, 400 - width - 8);
    EXPECT_EQ(y, 300 - height - 8);
    EXPECT_EQ(r, Rect(x - 4, y - 2, x - 4 + width + 6, y - 2 + height + 4));
    EXPECT_GE(FirstCall(log, "TextOut(" + std::to_string(x) + "," + std::to_string(y) + ",Radon"),
              0);
}

TEST_F(ToolsTest, EmptyTextStillGivesAOneLineBoxAndPercentPositionsHaveNoMargins) {
    TAnnotationTool* tool = AddTool<TAnnotationTool>();
    int lines = 0, x = 0, y = 0;
    TRect r;
    RenderThen([&] { tool->GetBounds(lines, x, y, r); });
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(x, 10);
    EXPECT_GT(r.Width(), 6);
    tool->SetLeft(50);
    tool->SetTop(10);
    tool->SetPositionUnits(muPercent);
    RenderThen([&] { tool->GetBounds(lines, x, y, r); });
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 30);
}

TEST_F(ToolsTest, SettingAWidthEndsAutomaticSizing) {
    TAnnotationTool* tool = AddTool<TAnnotationTool>();
    EXPECT_TRUE(tool->AutoSize());
    tool->SetWidth(80);
    EXPECT_FALSE(tool->AutoSize());
    EXPECT_EQ(tool->Width(), 80);
}

TEST_F(ToolsTest, RectangleEdgeCannotCrossTheOtherSide) {
    TRectangleTool* tool = AddTool<TRectangleTool>();
    int narrowest = 0;
    RenderThen([&] {
        const TRect r = tool->Shape()->ShapeBounds;
        const int y = (r.Top + r.Bottom) / 2;
        ASSERT_EQ(tool->ClickedEdge(r.Left + 1, y), 0);
        tool->ChartMouseEvent(cmeDown, mbLeft, {}, r.Left + 1, y);
        EXPECT_TRUE(drawn.chart->MouseHandled);
        tool->ChartMouseEvent(cmeMove, mbLeft, {}, r.Right + 30, y);
        tool->ChartMouseEvent(cmeUp, mbLeft, {}, r.Right + 30, y);
        narrowest = tool->Shape()->ShapeBounds.Right - tool->Shape()->ShapeBounds.Left;
        drawn.chart->MouseHandled = false;
    });
    EXPECT_EQ(narrowest, 3);
}

TEST_F(ToolsTest, RectangleMovesWithoutResizing) {
    TRectangleTool* tool = AddTool<TRectangleTool>();
    int moves = 0;
    tool->OnDragging = [&](TObject*) { ++moves; };
    RenderThen([&] {
        const TRect r = tool->Shape()->ShapeBounds;
        tool->ChartMouseEvent(cmeDown, mbLeft, {}, r.Left + 20, r.Top + 20);
        tool->ChartMouseEvent(cmeMove, mbLeft, {}, r.Left + 60, r.Top + 30);
        tool->ChartMouseEvent(cmeUp, mbLeft, {}, r.Left + 60, r.Top + 30);
        drawn.chart->MouseHandled = false;
    });
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(tool->Shape()->ShapeBounds, Rect(50, 20, 99, 69));
}

TEST_F(ToolsTest, PageNumberNamesThePageAndShowsABadFormatAsItStands) {
    TPageNumTool* tool = AddTool<TPageNumTool>();
    EXPECT_FALSE(tool->IsFormatStored());
    EXPECT_STREQ(tool->GetText().c_str(), "Page 1 of 1");
    const struct {
        const char* format;
        const char* text;
    } cases[] = {{"%d/%d", "1/1"},
                 {"%d%% of %3d", "1% of   1"},
                 {"Page %s of %d", "Page %s of %d"},
                 {"%d %d %d", "%d %d %d"},
                 {"Page %", "Page %"}};
    for (const auto& c : cases) {
        tool->SetFormat(c.format);
        EXPECT_STREQ(tool->GetText().c_str(), c.text) << c.format;
    }
    EXPECT_TRUE(tool->IsFormatStored());
    EXPECT_NO_THROW(RenderThen([] {}));
    EXPECT_GE(FirstCall(log, "TextOut(10,10,Page %"), 0);
}

TEST(ToolGallery, HoldsEachToolClassOnce) {
    const TMetaClass* tools[] = {TAnnotationTool::StaticClass(), TRectangleTool::StaticClass()};
    RegisterPlotTools(tools, 1);
    int annotations = 0;
    for (int i = 0; i < PlotToolTypes->Count(); ++i)
        annotations += PlotToolTypes->Get(i) == TAnnotationTool::StaticClass();
    EXPECT_EQ(annotations, 1);
    EXPECT_GE(PlotToolTypes->IndexOf(TRectangleTool::StaticClass()), 0);
    EXPECT_GE(PlotToolTypes->IndexOf(TPageNumTool::StaticClass()), 0);
    EXPECT_EQ(PlotPageNumToolClass, TPageNumTool::StaticClass());
    EXPECT_NE(GetClass("TPageNumTool"), nullptr);
}

}  // namespace
