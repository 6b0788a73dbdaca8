// The rotate, chart image, clip series and series animation tools, the tool gallery and the
// tools' published properties in a component stream.
#include <gtest/gtest.h>

#include <vector>

#include "ChartImageTool.h"
#include "ChartRegistry.h"
#include "ChartTools.h"
#include "ClipSeriesTool.h"
#include "ColorBandTool.h"
#include "ColorLineTool.h"
#include "DragMarksTool.h"
#include "GridBandTool.h"
#include "MarksTipTool.h"
#include "NearestTool.h"
#include "PlotView3D.h"
#include "RotateTool.h"
#include "SeriesAnimationTool.h"
#include "chart_fixture.h"
#include "chart_test_support.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_streams.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Rotate

TEST(Rotate, AngleChangesTable) {
    struct Case {
        bool full;
        int value, change, rotation, elevation;
    } cases[] = {
        {false, 345, 0, 345, 345},  {false, 345, 30, 15, 360},  {false, 10, -30, 340, 270},
        {true, 10, -30, 0, 0},      {false, 300, -20, 280, 280}, {false, 280, -20, 260, 270},
        {true, 350, 20, 10, 360},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.full << " " << c.value << " " << c.change);
        EXPECT_EQ(TRotateTool::RotationChange(c.full, c.value, c.change), c.rotation);
        EXPECT_EQ(TRotateTool::ElevationChange(c.full, c.value, c.change), c.elevation);
    }
}

class RotateMouse : public ::testing::Test {
protected:
    void SetUp() override {
        tool = new TRotateTool(app.owner);
        tool->SetParentChart(app.chart);
    }
    void Send(UINT message, WPARAM keys, int x, int y) {
        SendMessageA(app.Window(), message, keys, MAKELPARAM(x, y));
    }

    AppChart app;
    TRotateTool* tool = nullptr;
};

TEST_F(RotateMouse, ADragOfOneChartWidthTurnsANinetyDegrees) {
    TView3DOptions* view = app.chart->View3DOptions();
    const int rotation = view->Rotation(), elevation = view->Elevation();
    int rotates = 0;
    tool->OnRotate = [&](TObject*) { ++rotates; };
    const int x = app.chart->ChartRect.Left, y = app.chart->ChartRectCenterY;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, x + app.chart->ChartRectWidth, y);
    Send(WM_LBUTTONUP, 0, x + app.chart->ChartRectWidth, y);
    EXPECT_TRUE(app.chart->View3D());
    EXPECT_FALSE(view->Orthogonal());
    EXPECT_EQ(view->Rotation(), TRotateTool::RotationChange(false, rotation, 90));
    EXPECT_EQ(view->Elevation(), elevation);
    EXPECT_EQ(rotates, 1);
    EXPECT_FALSE(tool->Dragging());
}

TEST_F(RotateMouse, TheChartRepaintsAgainHoweverTheWireFrameDragEnds) {
    tool->Pen()->SetVisible(true);
    const int x = app.chart->ChartRectCenterX, y = app.chart->ChartRectCenterY;
    // A drag ended by its release, by a move without the button (the release went elsewhere),
    // and by switching the tool off.
    for (int ending = 0; ending < 3; ++ending) {
        SCOPED_TRACE(ending);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(WM_MOUSEMOVE, MK_LBUTTON, x + 20, y - 10);
        Send(WM_MOUSEMOVE, MK_LBUTTON, x + 40, y - 20);
        EXPECT_FALSE(app.chart->RepaintEnabled);
        if (ending == 0) Send(WM_LBUTTONUP, 0, x + 40, y);
        if (ending == 1) Send(WM_MOUSEMOVE, 0, x + 60, y);
        if (ending == 2) tool->SetActive(false);
        EXPECT_TRUE(app.chart->RepaintEnabled);
        EXPECT_FALSE(tool->Dragging());
        tool->SetActive(true);
    }
}

TEST(Rotate, AChartOfNoSizeDoesNotTurn) {
    BitmapChart app;
    auto* tool = new TRotateTool(app.owner);
    tool->SetParentChart(app.chart);
    TView3DOptions* view = app.chart->View3DOptions();
    const int rotation = view->Rotation(), elevation = view->Elevation();
    ASSERT_EQ(app.chart->ChartRectWidth, 0);
    tool->ChartMouseEvent(cmeDown, mbLeft, {ssLeft}, 10, 10);
    tool->ChartMouseEvent(cmeMove, mbLeft, {ssLeft}, 300, -200);
    tool->ChartMouseEvent(cmeUp, mbLeft, {}, 300, -200);
    EXPECT_EQ(view->Rotation(), rotation);
    EXPECT_EQ(view->Elevation(), elevation);
}

// ---------------------------------------------------------------------------------------------
// Chart image and clip series

struct PictureChart : BitmapChart {
    PictureChart() {
        series = new TLineSeries(owner);
        for (int i = 0; i <= 10; ++i) series->AddXY(i, i * 10);
        series->SetActive(true);
        chart->AddSeries(series);
        tool = new TChartImageTool(owner);
        tool->SetParentChart(chart);
        TBitmap picture;
        picture.SetSize(4, 4);
        picture.Canvas()->Brush()->SetColor(clLime);
        picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
        tool->Picture()->SetGraphic(&picture);
    }
    TLineSeries* series;
    TChartImageTool* tool;
};

TEST(ChartImage, WithoutSeriesThePictureCoversTheAxesRangeAndFollowsZoom) {
    PictureChart app;
    app.Render();
    app.Render();
    TChartAxis* bottom = app.chart->BottomAxis;
    TChartAxis* left = app.chart->LeftAxis;
    EXPECT_EQ(app.tool->TargetRect(), TRect(bottom->CalcPosValue(0), left->CalcPosValue(100),
                                             bottom->CalcPosValue(10), left->CalcPosValue(0)));
    const TRect& plot = app.chart->ChartRect;
    EXPECT_EQ(PixelOf(app.bitmap.get(), plot.Left + 5, plot.Bottom - 20), clLime);
    bottom->SetMinMax(5, 20);
    app.Render();
    EXPECT_EQ(app.tool->TargetRect().Left, bottom->CalcPosValue(5));
    EXPECT_EQ(app.tool->TargetRect().Right, bottom->CalcPosValue(20));
    EXPECT_EQ(PixelOf(app.bitmap.get(), plot.Right - 5, plot.Bottom - 20), clLime);
    // With a series the picture spans the series' values only.
    app.tool->SetSeries(app.series);
    app.Render();
    EXPECT_EQ(app.tool->TargetRect().Right, bottom->CalcPosValue(10));
    EXPECT_NE(PixelOf(app.bitmap.get(), plot.Right - 5, plot.Bottom - 20), clLime);
}

TEST(ClipSeries, TheToolTakesTheSeriesDrawingEventsAndLeavesNoneBehind) {
    PictureChart app;
    int before = 0;
    app.series->BeforeDrawValues = [&](TObject*) { ++before; };
    auto* clip = new TClipSeriesTool(app.owner);
    clip->SetParentChart(app.chart);
    clip->SetSeries(app.series);
    const TNotifyEvent addClip = app.series->BeforeDrawValues;
    bool clippedWhileDrawing = false;
    app.series->BeforeDrawValues = [&](TObject* sender) {
        addClip(sender);
        clippedWhileDrawing = clip->Clipped();
    };
    app.Render();
    EXPECT_EQ(before, 0);
    EXPECT_TRUE(clippedWhileDrawing);
    EXPECT_FALSE(clip->Clipped());
    clip->Free();
    EXPECT_FALSE(app.series->BeforeDrawValues);
    EXPECT_FALSE(app.series->AfterDrawValues);
    app.Render();
}

// ---------------------------------------------------------------------------------------------
// Series animation

struct AnimatedChart : BitmapChart {
    AnimatedChart() {
        Application->Initialize();
        series = new TLineSeries(owner);
        for (int i = 0; i < 10; ++i) series->AddXY(i, 10 + i * 10);
        chart->AddSeries(series);
        tool = new TSeriesAnimationTool(owner);
        tool->SetParentChart(chart);
        tool->SetSeries(series);
    }
    std::vector<double> Values() {
        std::vector<double> values;
        for (int i = 0; i < series->Count(); ++i) values.push_back(series->YValues->GetValue(i));
        return values;
    }
    TLineSeries* series;
    TSeriesAnimationTool* tool;
};

TEST(SeriesAnimation, GroupsOfDrawEveryPointsEachRunThroughAllSteps) {
    AnimatedChart app;
    const std::vector<double> own = app.Values();
    app.tool->SetSteps(2);
    app.tool->SetDrawEvery(4);
    std::vector<int> steps;
    std::vector<std::vector<double>> shown;
    app.tool->OnStep = [&](TObject*, int step) {
        steps.push_back(step);
        shown.push_back(app.Values());
        EXPECT_TRUE(app.tool->Running());
    };
    app.tool->Execute();
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2}));
    // Start value 10 (the smallest); halfway a point of the group is (10 + own) / 2.
    EXPECT_EQ(shown[1][3], (10 + own[3]) / 2);
    EXPECT_EQ(shown[1][4], 10);
    EXPECT_EQ(shown[4][3], own[3]);
    EXPECT_EQ(shown[4][5], (10 + own[5]) / 2);
    EXPECT_EQ(shown[7][9], (10 + own[9]) / 2);
    EXPECT_EQ(app.Values(), own);
    EXPECT_FALSE(app.tool->Running());
    EXPECT_EQ(app.series->UpdateCount, 0);
}

TEST(SeriesAnimation, StepsAndGroupSizeAreNeverBelowOne) {
    AnimatedChart app;
    app.tool->SetSteps(0);
    app.tool->SetDrawEvery(-3);
    EXPECT_EQ(app.tool->Steps(), 1);
    EXPECT_EQ(app.tool->DrawEvery(), 1);
    int steps = 0;
    app.tool->OnStep = [&](TObject*, int) { ++steps; };
    app.tool->Execute();
    EXPECT_EQ(steps, 20);
}

TEST(SeriesAnimation, StopFromAStepShowsTheOwnValuesAgain) {
    AnimatedChart app;
    const std::vector<double> own = app.Values();
    app.tool->SetLoop(salCircular);
    app.tool->SetSteps(5);
    int steps = 0;
    app.tool->OnStep = [&](TObject*, int) {
        if (++steps == 3) app.tool->Stop();
        app.tool->Execute();
    };
    app.tool->Execute();
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(app.Values(), own);
    EXPECT_FALSE(app.tool->Running());
}

TEST(SeriesAnimation, SurvivesWhatIsFreedOrRefilledDuringAStep) {
    enum Change { FreeSeries, FreeTool, FreeChart, Refill };
    for (Change change : {FreeSeries, FreeTool, FreeChart, Refill}) {
        SCOPED_TRACE(change);
        AnimatedChart app;
        int steps = 0;
        app.tool->SetLoop(salOneWay);
        app.tool->OnStep = [&](TObject*, int) {
            if (++steps != 2) return;
            if (change == FreeSeries) TObject::Free(app.series);
            if (change == FreeTool) TObject::Free(app.tool);
            if (change == FreeChart) TObject::Free(app.chart);
            if (change == Refill) {
                app.series->Clear();
                for (int i = 0; i < 3; ++i) app.series->AddXY(i, 500 + i);
            }
        };
        app.tool->Execute();
        EXPECT_EQ(steps, 2);
        if (change == Refill) {
            EXPECT_EQ(app.Values(), (std::vector<double>{500, 501, 502}));
            EXPECT_EQ(app.series->UpdateCount, 0);
        }
        // The chart frees its series and tools with it.
        if (change == FreeTool) EXPECT_EQ(app.series->UpdateCount, 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Gallery and streams

TEST(ToolGallery, ToolsAreListedInGalleryOrderWithTheirNamesAndEditors) {
    struct Entry {
        const TMetaClass* tool;
        const char* name;
        const char* editor;
    } entries[] = {
        {TDragMarksTool::StaticClass(), "Drag Marks", "TDragMarksToolEditor"},
        {TNearestTool::StaticClass(), "Nearest Point", "TNearestToolEdit"},
        {TColorBandTool::StaticClass(), "Color Band", "TColorBandToolEditor"},
        {TColorLineTool::StaticClass(), "Color Line", "TColorLineToolEditor"},
        {TRotateTool::StaticClass(), "Rotate", "TRotateToolEditor"},
        {TChartImageTool::StaticClass(), "Image", "TChartImageToolEditor"},
        {TMarksTipTool::StaticClass(), "Mark Tips", "TMarksTipToolEdit"},
        {TAnnotationTool::StaticClass(), "Annotation", "TAnnotationToolEdit"},
        {TSeriesAnimationTool::StaticClass(), "Series Animation", "TSeriesAnimToolEditor"},
        {TGridBandTool::StaticClass(), "Grid Band", "TGridBandToolEdit"},
        {TRectangleTool::StaticClass(), "Rectangle", "TAnnotationToolEdit"},
        {TClipSeriesTool::StaticClass(), "Clip Series", "TSeriesToolEditor"},
    };
    int previous = -1;
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        const int index = PlotToolTypes->IndexOf(e.tool);
        EXPECT_GT(index, previous);
        previous = index;
        EXPECT_EQ(FindClass(e.tool->ClassName()), e.tool);
        TOwnedPtr<TPlotCustomTool> tool(static_cast<TPlotCustomTool*>(CreateComponent(e.tool,
                                                                                     nullptr)));
        EXPECT_STREQ(tool->Description().c_str(), e.name);
        EXPECT_STREQ(tool->GetEditorClass().c_str(), e.editor);
    }
    const int count = PlotToolTypes->Count();
    RegisterChartTools();
    EXPECT_EQ(PlotToolTypes->Count(), count);
}

TEST(ToolStreams, PublishedPropertiesComeBack) {
    RegisterClass(TLineSeries::StaticClass());
    // The chart is the stream's root: what it owns is read back into the copy.
    TOwnedPtr<TComponent> owner(new TComponent(nullptr)), copyOwner(new TComponent(nullptr));
    auto* chart = new TChart(owner.get());
    chart->SetName("Chart1");
    auto* series = new TLineSeries(chart);
    series->SetName("Series1");
    chart->AddSeries(series);
    auto* band = new TColorBandTool(chart);
    band->SetName("Band");
    band->SetAxis(chart->LeftAxis);
    band->SetStartValue(5);
    band->SetEndValue(7.5);
    band->SetColor(clYellow);
    band->SetResizeEnd(true);
    band->SetTransparency(30);
    auto* grid = new TGridBandTool(chart);
    grid->SetName("Grid");
    grid->SetAxis(chart->BottomAxis);
    grid->Band1()->SetColor(clAqua);
    grid->Band2()->SetBackColor(clRed);
    grid->Band2()->SetTransparency(40);
    auto* nearest = new TNearestTool(chart);
    nearest->SetName("Nearest");
    nearest->SetParentChart(chart);
    nearest->SetSeries(series);
    nearest->SetStyle(hsDiamond);
    nearest->SetSize(7);
    nearest->SetFullRepaint(false);
    auto* animation = new TSeriesAnimationTool(chart);
    animation->SetName("Animation");
    animation->SetParentChart(chart);
    animation->SetSteps(12);
    animation->SetLoop(salCircular);
    animation->SetStartAtMin(false);
    animation->SetStartValue(2.5);
    auto* rotate = new TRotateTool(chart);
    rotate->SetName("Rotate");
    rotate->SetParentChart(chart);
    rotate->SetButton(mbRight);
    rotate->SetStyle(rsElevation);

    TMemoryStream stream;
    WriteComponentToStream(&stream, chart);
    stream.SetPosition(0);
    auto* copy = new TChart(copyOwner.get());
    copy->SetName("Chart1");
    ReadComponentFromStream(&stream, copy, copyOwner.get());
    ASSERT_EQ(copy->Tools->Count(), 5);
    auto* band2 = CheckedCast<TColorBandTool>(copy->Tools->Get(0));
    EXPECT_EQ(band2->Axis(), copy->LeftAxis);
    EXPECT_EQ(band2->StartValue(), 5);
    EXPECT_EQ(band2->EndValue(), 7.5);
    EXPECT_EQ(band2->EndLine()->Value(), 7.5);
    EXPECT_EQ(band2->Color(), clYellow);
    EXPECT_TRUE(band2->ResizeEnd());
    EXPECT_EQ(band2->Transparency(), 30);
    auto* grid2 = CheckedCast<TGridBandTool>(copy->Tools->Get(1));
    EXPECT_EQ(grid2->Band1()->Color(), clAqua);
    EXPECT_EQ(grid2->Band2()->BackColor(), clRed);
    EXPECT_EQ(grid2->Band2()->Transparency(), 40);
    EXPECT_TRUE(copy->BottomAxis->GridsHook);
    auto* nearest2 = CheckedCast<TNearestTool>(copy->Tools->Get(2));
    EXPECT_EQ(nearest2->Style(), hsDiamond);
    EXPECT_EQ(nearest2->Size(), 7);
    EXPECT_FALSE(nearest2->FullRepaint());
    ASSERT_NE(nearest2->Series(), nullptr);
    EXPECT_STREQ(nearest2->Series()->Name().c_str(), "Series1");
    auto* animation2 = CheckedCast<TSeriesAnimationTool>(copy->Tools->Get(3));
    EXPECT_EQ(animation2->Steps(), 12);
    EXPECT_EQ(animation2->Loop(), salCircular);
    EXPECT_FALSE(animation2->StartAtMin());
    EXPECT_EQ(animation2->StartValue(), 2.5);
    auto* rotate2 = CheckedCast<TRotateTool>(copy->Tools->Get(4));
    EXPECT_EQ(rotate2->Button(), mbRight);
    EXPECT_EQ(rotate2->Style(), rsElevation);
}

}  // namespace
