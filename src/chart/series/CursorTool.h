// A cursor of a horizontal line, a vertical line or both across the plot, held in axis values:
// dragged or following the mouse, optionally snapped to a series' nearest point, drawn in XOR.
#pragma once

#include <functional>

#include "PlotTools.h"

enum TCursorToolStyle { cssHorizontal, cssVertical, cssBoth };
enum TCursorClicked { ccNone, ccHorizontal, ccVertical, ccBoth };

class TCursorTool;
using TCursorToolChangeEvent =
    std::function<void(TCursorTool* sender, int x, int y, double xValue, double yValue,
                       TChartSeries* series, int valueIndex)>;
using TCursorToolGetAxisRect = std::function<void(TCursorTool* sender, TRect& rect)>;

class TCursorTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TCursorTool, TPlotCustomToolSeries)

    explicit TCursorTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    AnsiString GetEditorClass() const override { return "TCursorToolEditor"; }
    AnsiString Description() const override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;
    // Snaps to the new series and repaints (not while the tool is being read).
    void SetSeries(TChartSeries* series) override;
    // Fires OnChange with the cursor's position, values and the point index.
    virtual void Changed(int valueIndex);

    // The chart's plot rectangle with UseChartRect, else the rectangle of the tool's axes.
    TRect GetAxisRect();
    // The series' front depth with UseSeriesZ, else 0.
    int Z() const;
    bool InAxisRectangle(int x, int y);
    // Which line a press at the point grabs.
    TCursorClicked Clicked(int x, int y);
    // The index of the series point nearest to the cursor's values (in axis values), -1 when
    // there is none; `difference` is its distance, -1 without a point.
    int NearestPoint(TCursorToolStyle style, double& difference);
    // With a series and Snap, moves the values onto the nearest point; its index or -1.
    int SnapToPoint();
    void CalcValuePositions(int x, int y);
    void CalcScreenPositions();
    // Draws the lines in XOR: drawing them twice removes them.
    void RedrawCursor();
    void DoChange();

    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool FollowMouse() const { return followMouse_; }
    void SetFollowMouse(bool value) { followMouse_ = value; }
    bool Snap() const { return snap_; }
    void SetSnap(bool value) { snap_ = value; }
    TCursorToolStyle Style() const { return style_; }
    void SetStyle(TCursorToolStyle value);
    bool UseChartRect() const { return useChartRect_; }
    void SetUseChartRect(bool value) { SetBooleanProperty(useChartRect_, value); }
    bool UseSeriesZ() const { return useSeriesZ_; }
    void SetUseSeriesZ(bool value) { SetBooleanProperty(useSeriesZ_, value); }
    double XValue() const { return xValue_; }
    void SetXValue(double value);
    double YValue() const { return yValue_; }
    void SetYValue(double value);
    // The cursor's pixel position; -1 until first computed.
    int ScreenX() const { return screenX_; }
    int ScreenY() const { return screenY_; }
    TCursorClicked Dragged() const { return dragged_; }

    TCursorToolChangeEvent OnChange;
    TCursorToolChangeEvent OnSnapChange;
    TCursorToolGetAxisRect OnGetAxisRect;

protected:
    ~TCursorTool() override = default;

private:
    bool HasAxes() const;
    void ScreenFromValues();
    void MoveTo(int x, int y);
    void ShowGrabCursor(int x, int y);

    int clickTolerance_ = 2;
    bool followMouse_ = false;
    bool snap_ = false;
    TCursorToolStyle style_ = cssBoth;
    bool useChartRect_ = false;
    bool useSeriesZ_ = false;
    double xValue_ = 0;
    double yValue_ = 0;
    int screenX_ = -1;
    int screenY_ = -1;
    TCursorClicked dragged_ = ccNone;
    TMouseButton dragButton_ = mbLeft;
    int lastSnap_ = -1;
};
