// A band across the chart's plot area between two values of an axis, filled with a colour,
// gradient or transparency, optionally resized by dragging colour lines at its edges.
#pragma once

#include "ColorLineTool.h"
#include "PlotGradient.h"

class TColorBandTool : public TPlotCustomToolAxis {
    CL_COMPONENT_CLASS(TColorBandTool, TPlotCustomToolAxis)

    explicit TColorBandTool(TComponent* owner);
    void Loaded() override;
    AnsiString GetEditorClass() const override { return "TColorBandToolEditor"; }
    AnsiString Description() const override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    void SetAxis(TChartAxis* axis) override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    // The band's pixel rectangle; empty without an axis or outside the axis range.
    TRect BoundsRect();
    // The chart's depth when drawn behind, else 0.
    int ZPosition() const;
    bool Clicked(int x, int y);

    TColor Color() const { return color_; }
    void SetColor(TColor value) { SetColorProperty(color_, value); }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { SetBooleanProperty(drawBehind_, value); }
    bool DrawBehindAxes() const { return drawBehindAxes_; }
    void SetDrawBehindAxes(bool value) { SetBooleanProperty(drawBehindAxes_, value); }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value);
    double EndValue() const { return endValue_; }
    void SetEndValue(double value);
    TPlotGradient* Gradient() const { return gradient_; }
    void SetGradient(TPlotGradient* gradient) { gradient_->Assign(gradient); }
    int Transparency() const { return transparency_; }
    void SetTransparency(int value);
    bool ResizeStart() const { return startLine_->Active(); }
    void SetResizeStart(bool value);
    bool ResizeEnd() const { return endLine_->Active(); }
    void SetResizeEnd(bool value);
    TChartPen* StartLinePen() const { return startLine_->Pen(); }
    void SetStartLinePen(TChartPen* pen) { startLine_->SetPen(pen); }
    TChartPen* EndLinePen() const { return endLine_->Pen(); }
    void SetEndLinePen(TChartPen* pen) { endLine_->SetPen(pen); }
    TColorLineTool* StartLine() const { return startLine_; }
    TColorLineTool* EndLine() const { return endLine_; }

    TMouseEvent OnClick;

protected:
    ~TColorBandTool() override;

private:
    TColorLineTool* NewLine();
    void DragLine(TObject* sender);
    void EndDragLine(TObject* sender);
    void MoveLines();
    void Paint();
    void DrawEdgeLine(TColorLineTool* line, double value);

    TColor color_ = clWhite;
    TCursor cursor_ = crDefault;
    bool drawBehind_ = true;
    bool drawBehindAxes_ = false;
    double startValue_ = 0;
    double endValue_ = 0;
    TPlotTransparency transparency_ = 0;
    TPlotGradient* gradient_;
    TColorLineTool* startLine_;
    TColorLineTool* endLine_;
};
