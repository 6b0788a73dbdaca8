// Highlights the series point nearest to the mouse with a shape and a line from the mouse.
#pragma once

#include "PlotTools.h"

enum TNearestToolStyle { hsNone, hsCircle, hsRectangle, hsDiamond };

class TNearestTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TNearestTool, TPlotCustomToolSeries)

    explicit TNearestTool(TComponent* owner);
    AnsiString GetEditorClass() const override { return "TNearestToolEdit"; }
    AnsiString Description() const override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    // The index of the point inside the plot rectangle nearest to (x, y) in pixels, closer than
    // 10000 pixels; -1 when none.
    static int GetNearestPoint(TChartSeries* series, int x, int y, bool includeNulls = false);
    int ZAxisCalc(double value) const;
    // Draws the highlight of the current point, in XOR without FullRepaint.
    void PaintHint();

    int Point() const { return point_; }
    bool DrawLine() const { return linePen_->Visible(); }
    void SetDrawLine(bool value) { linePen_->SetVisible(value); }
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    TChartPen* LinePen() const { return linePen_; }
    void SetLinePen(TChartPen* pen) { linePen_->Assign(pen); }
    int Size() const { return size_; }
    void SetSize(int value) { SetIntegerProperty(size_, value); }
    TNearestToolStyle Style() const { return style_; }
    void SetStyle(TNearestToolStyle value);

    TNotifyEvent OnChange;

protected:
    ~TNearestTool() override;

private:
    void DrawShape(TPlotCanvas3D* canvas, int x, int y, int z, bool is3D);
    TCustomAxisPanel* Chart() const;

    TChartPen* linePen_;
    int point_ = -1;
    TPoint mouse_;
    bool fullRepaint_ = true;
    int size_ = 20;
    TNearestToolStyle style_ = hsCircle;
};
