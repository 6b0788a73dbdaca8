// Lets the user drag a series mark to a new place; the mark keeps that place from then on.
#pragma once

#include "PlotTools.h"

class TSeriesMarkPosition;

class TDragMarksTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TDragMarksTool, TPlotCustomToolSeries)

    explicit TDragMarksTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    void Notification(TComponent* component, TOperation operation) override;
    AnsiString GetEditorClass() const override { return "TDragMarksToolEditor"; }
    AnsiString Description() const override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    bool Dragging() const { return dragSeries_ != nullptr; }

protected:
    ~TDragMarksTool() override = default;

private:
    // The series (Series, or the chart's from the last) whose mark lies under the point, with
    // the mark's index; `visibleOnly` skips series whose marks are hidden.
    TChartSeries* MarkAt(int x, int y, bool visibleOnly, int& index);
    void StartDrag(TChartSeries* series, int index, int x, int y);
    void EndDrag();
    void MoveMark(int x, int y);

    TChartSeries* dragSeries_ = nullptr;
    int dragIndex_ = -1;
    TPoint last_;
};
