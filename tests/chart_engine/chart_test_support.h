// Helpers of the chart engine tests: a chart panel with a replaceable body, 24-bit bitmaps and
// their pixels, and a canvas that records the pictures it is asked to draw.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "PlotCanvas3D.h"
#include "PlotPanelExtended.h"

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
