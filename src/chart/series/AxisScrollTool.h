// Scrolling an axis by dragging it with the mouse: the axis content follows the mouse, and the
// axes of the same direction that share a series with it follow along.
#pragma once

#include "PlotTools.h"

class TAxisScrollTool : public TPlotCustomToolAxis {
    CL_COMPONENT_CLASS(TAxisScrollTool, TPlotCustomToolAxis)

    explicit TAxisScrollTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
    AnsiString Description() const override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    // The tool's axis when it is visible and under the point; without an axis, the first
    // visible axis of the chart under the point; else null.
    TChartAxis* AxisAt(int x, int y);

    bool ScrollInverted() const { return scrollInverted_; }
    void SetScrollInverted(bool value) { scrollInverted_ = value; }
    TChartAxis* DraggedAxis() const { return dragged_; }

protected:
    ~TAxisScrollTool() override = default;

private:
    void Drag(int x, int y);
    static void ScrollPixels(TChartAxis* axis, int delta);

    bool scrollInverted_ = false;
    TChartAxis* dragged_ = nullptr;
    TMouseButton dragButton_ = mbLeft;
    TPoint last_;
};
