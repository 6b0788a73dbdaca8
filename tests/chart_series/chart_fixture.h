// Charts for the chart component's tests: the application's test chart (2-D, five line series
// and a point series, a bottom legend with check boxes, a title, a date-time bottom axis) shown
// on a form, and a chart that records its rectangle when the walls are placed.
#pragma once

#include <vector>

#include "Chart.h"
#include "LineSeries.h"
#include "cl_forms.h"

// Records the chart rectangle as titles and legend left it.
class ProbeChart : public TChart {
public:
    explicit ProbeChart(TComponent* owner) : TChart(owner) {}
    void CalcWallsRect() override {
        RectBeforeWalls = ChartRect;
        TChart::CalcWallsRect();
    }
    TRect RectBeforeWalls;
};

// The application's chart configuration on a shown form.
struct AppChart {
    AppChart();
    ~AppChart();
    // Draws the chart on screen now.
    void Paint();
    // Sends a press, moves and a release of the button through the chart's window.
    void Drag(TMouseButton button, TPoint from, TPoint to);
    void Click(TPoint at);
    HWND Window() const { return chart->Handle(); }
    // The centre of the legend check box of item `index`.
    TPoint CheckBoxCentre(int index);

    TComponent* owner;
    TForm* form;
    ProbeChart* chart;
    std::vector<TLineSeries*> lines;
    TPointSeries* points;
};

// A 2-D chart of one line series drawn into a bitmap.
struct BitmapChart {
    explicit BitmapChart(int width = 400, int height = 300);
    ~BitmapChart();
    void Render();

    TComponent* owner;
    ProbeChart* chart;
    std::unique_ptr<TBitmap> bitmap;
};
