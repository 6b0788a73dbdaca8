// A chart on a shown form for the tool tests: no title or legend, manual axis ranges, one line
// series, and the chart window's mouse messages.
#pragma once

#include "Chart.h"
#include "LineSeries.h"
#include "cl_forms.h"

struct ToolChart {
    ToolChart();
    ~ToolChart();
    // Draws the chart on screen now.
    void Paint();
    // Button messages and moves through the chart's window; `held` is the button kept down.
    void Down(TPoint at, TMouseButton button = mbLeft);
    void Move(TPoint to, bool held = true, TMouseButton button = mbLeft);
    void Up(TPoint at, TMouseButton button = mbLeft);
    // A press, moves in four steps and a release.
    void Drag(TPoint from, TPoint to, TMouseButton button = mbLeft);
    HWND Window() const { return chart->Handle(); }

    TComponent* owner;
    TForm* form;
    TChart* chart;
    TLineSeries* series;
};
