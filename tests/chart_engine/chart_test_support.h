// Helpers of the chart engine tests: a chart panel with a replaceable body, 24-bit bitmaps and
// their pixels, canvases that record what they are asked to draw, and a minimal axis panel and
// line series for whole-chart tests.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PlotAxisPanel.h"
#include "PlotCanvas3D.h"
#include "PlotPanelExtended.h"
#include "PlotPointer.h"

// A chart panel whose body is a test's function; the chart-class hooks do nothing.
class TestPanel : public TCustomPlotPanelExtended {
    CL_CLASS(TestPanel, TCustomPlotPanelExtended)

    explicit TestPanel(TComponent* owner = nullptr) : TCustomPlotPanelExtended(owner) {}
    void InternalDraw(const TRect& rect) override;
    void CalcWallsRect() override {}
    int CalcWallSize(TChartAxis*) override { return 0; }
    void DrawTitlesAndLegend(bool) override {}
    void DrawWalls() override {}
    bool IsFreeSeriesColor(TColor, bool, TChartSeries*) override { return true; }
    void Invalidate() override;

    // Runs after the panel background; none by default.
    std::function<void(const TRect& drawBounds)> Body;
    bool PaintBackground = true;
    int Invalidations = 0;

protected:
    ~TestPanel() override = default;
};

using PanelPtr = TOwnedPtr<TestPanel>;
PanelPtr MakePanel();

// A 24-bit bitmap filled with the colour.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color);
// The pixel as 0x00BBGGRR, read from the bitmap's bits.
TColor PixelOf(TBitmap* bitmap, int x, int y);
bool AllPixels(TBitmap* bitmap, const TRect& area, TColor color);
int CountPixels(TBitmap* bitmap, const TRect& area, TColor color);
// Same size and every pixel equal.
bool SameImage(TBitmap* a, TBitmap* b);

// A chart canvas bound to a bitmap, drawing flat and unbuffered.
struct BitmapCanvas {
    BitmapCanvas(int width, int height, TColor color = clWhite);
    std::unique_ptr<TBitmap> bitmap;
    TOwnedPtr<TPlotCanvas3D> canvas;
    TColor At(int x, int y) { return PixelOf(bitmap.get(), x, y); }
};

// A GDI chart canvas that records every graphic drawn with Draw and StretchDraw.
class RecordingCanvas : public TPlotCanvas3D {
    CL_CLASS(RecordingCanvas, TPlotCanvas3D)

    using TPlotCanvas3D::StretchDraw;
    void Draw(int x, int y, TGraphic* graphic) override;
    void StretchDraw(const TRect& rect, TGraphic* graphic) override;
    std::vector<TPoint> Draws;
    std::vector<TRect> Stretches;
};

// The drawing calls of a chart, one "Name(arguments)" entry per call, in order.
using CallLog = std::vector<std::string>;

// A GDI chart canvas that logs every drawing call it receives from outside (calls it makes to
// itself are not logged) and then draws it.
class CallLogCanvas : public TPlotCanvas3D {
    CL_CLASS(CallLogCanvas, TPlotCanvas3D)

    using TPlotCanvas3D::Ellipse;
    using TPlotCanvas3D::Line;
    using TPlotCanvas3D::Polygon;
    using TPlotCanvas3D::Rectangle;
    using TPlotCanvas3D::TextOut;

    explicit CallLogCanvas(CallLog* log) : Log(log) {}
    void Rectangle(int x0, int y0, int x1, int y1) override;
    void Ellipse(int x0, int y0, int x1, int y1) override;
    void Polygon(const TPoint* points, int count) override;
    void Line(int x0, int y0, int x1, int y1) override;
    void DoHorizLine(int x0, int x1, int y) override;
    void DoVertLine(int x, int y0, int y1) override;
    void TextOut(int x, int y, const AnsiString& text) override;
    void RotateLabel(int x, int y, const AnsiString& text, double angle) override;
    void SetPixel(int x, int y, TColor color) override;
    void TextOut3D(int x, int y, int z, const AnsiString& text) override;
    void RotateLabel3D(int x, int y, int z, const AnsiString& text, double angle) override;
    void HorizLine3D(int x0, int x1, int y, int z) override;
    void VertLine3D(int x, int y0, int y1, int z) override;
    void ZLine3D(int x, int y, int z0, int z1) override;
    void LineWithZ(int x0, int y0, int x1, int y1, int z) override;
    void PolygonWithZ(const TPoint* points, int count, int z) override;
    void RectangleWithZ(const TRect& rect, int z) override;
    void EllipseWithZ(int x0, int y0, int x1, int y1, int z) override;
    void Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) override;
    void Projection(int maxDepth, const TRect& bounds, const TRect& chartRect) override;
    void ClipCube(const TRect& rect, int minZ, int maxZ) override;
    void ClipRectangle(const TRect& rect) override;
    void UnClipRectangle() override;
    TPlotBlend* BeginBlending(const TRect& rect, int transparency) override;
    void EndBlending(TPlotBlend* blend) override;

    CallLog* Log;

private:
    // Logs the entry when the call comes from outside; the guard marks the nested calls.
    struct Entry {
        Entry(CallLogCanvas* canvas, const std::string& text);
        ~Entry() { --canvas->depth_; }
        CallLogCanvas* canvas;
    };
    int depth_ = 0;
};

// "Name(a,b,...)" of integer arguments.
std::string CallText(const char* name, std::initializer_list<int> values);
// The entries of the log that start with `prefix`.
CallLog CallsStartingWith(const CallLog& log, const std::string& prefix);
// Index of the first entry that starts with `prefix`, -1 when none.
int FirstCall(const CallLog& log, const std::string& prefix, int from = 0);

// An axis panel with the chart-class hooks of a plain chart: no walls, titles or legend; each
// hook and event is written to the log when one is given.
class TestAxisPanel : public TCustomAxisPanel {
    CL_CLASS(TestAxisPanel, TCustomAxisPanel)

    explicit TestAxisPanel(TComponent* owner = nullptr);
    void CalcWallsRect() override;
    int CalcWallSize(TChartAxis*) override { return 0; }
    void DrawTitlesAndLegend(bool beforeSeries) override;
    void DrawWalls() override;
    bool IsFreeSeriesColor(TColor color, bool checkBackground, TChartSeries* series) override;
    void PanelPaint(TRect rect) override;
    void Note(const std::string& text) {
        if (Log) Log->push_back(text);
    }

    CallLog* Log = nullptr;

protected:
    ~TestAxisPanel() override = default;
};

using AxisPanelPtr = TOwnedPtr<TestAxisPanel>;

// A series drawn as a polyline with a point symbol at every point (the symbol hidden unless
// asked for); each drawn point is written to the panel's log as "DrawValue(<name>,<index>)".
class TestLineSeries : public TChartSeries {
    CL_COMPONENT_CLASS(TestLineSeries, TChartSeries)

    explicit TestLineSeries(TComponent* owner);
    void SetParentChart(TCustomAxisPanel* chart) override;
    void DrawValue(int index) override;
    void CalcHorizMargins(int& left, int& right) override;
    void CalcVerticalMargins(int& top, int& bottom) override;

    TSeriesPointer* Pointer;

protected:
    ~TestLineSeries() override;
};
