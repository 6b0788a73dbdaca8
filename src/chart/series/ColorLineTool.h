// A line across the chart's plot area at one value of an axis; the user can drag it, and it
// follows zoom and scroll because it is held in axis values.
#pragma once

#include "PlotTools.h"

enum TColorLineStyle { clCustom, clMaximum, clCenter, clMinimum };

class TColorLineTool : public TPlotCustomToolAxis {
    CL_COMPONENT_CLASS(TColorLineTool, TPlotCustomToolAxis)

    explicit TColorLineTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
    void Assign(TPersistent* source) override;
    // Pen changes repaint the chart the line draws on.
    void CanvasChanged(TObject*) override { RepaintChart(); }
    AnsiString GetEditorClass() const override { return "TColorLineToolEditor"; }
    AnsiString Description() const override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    double CalcValue() const;
    // The value kept inside the axis' visible range.
    double LimitValue(double value) const;
    bool Clicked(int x, int y);

    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    bool DragRepaint() const { return dragRepaint_; }
    void SetDragRepaint(bool value) { dragRepaint_ = value; }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value) { SetBooleanProperty(draw3D_, value); }
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { SetBooleanProperty(drawBehind_, value); }
    bool NoLimitDrag() const { return noLimitDrag_; }
    void SetNoLimitDrag(bool value) { noLimitDrag_ = value; }
    TColorLineStyle Style() const { return style_; }
    void SetStyle(TColorLineStyle value);
    double Value() const { return value_; }
    void SetValue(double value);
    bool Dragging() const { return dragging_; }
    // The chart the line draws on and takes the mouse from: the drawing chart when one is set
    // (a line owned by another tool), else the parent chart.
    TCustomAxisPanel* Chart() const { return drawingChart_ ? drawingChart_ : ParentChart(); }
    void SetDrawingChart(TCustomAxisPanel* chart) { drawingChart_ = chart; }

    // Runs before OnEndDragLine; for the tool that owns the line.
    TNotifyEvent OnEndDragLineInternal;

    TNotifyEvent OnBeginDragLine;
    TNotifyEvent OnDragLine;
    TNotifyEvent OnEndDragLine;

protected:
    ~TColorLineTool() override = default;
    virtual void DoEndDragLine();

private:
    void DrawBehindForm();
    void DrawFrontForm();
    void DrawXor();
    void RepaintChart();

    bool allowDrag_ = true;
    bool dragRepaint_ = false;
    bool draw3D_ = true;
    bool drawBehind_ = false;
    bool noLimitDrag_ = false;
    TColorLineStyle style_ = clCustom;
    double value_ = 0;
    bool dragging_ = false;
    TCustomAxisPanel* drawingChart_ = nullptr;
};
