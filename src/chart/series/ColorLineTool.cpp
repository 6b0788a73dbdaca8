// Colour line tool.
#include "ColorLineTool.h"

#include "PlotAxis.h"
#include "PlotAxisPanel.h"
#include "Plotproco.h"

void TColorLineTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TColorLineTool*>(source)) {
        allowDrag_ = other->allowDrag_;
        dragRepaint_ = other->dragRepaint_;
        draw3D_ = other->draw3D_;
        drawBehind_ = other->drawBehind_;
        noLimitDrag_ = other->noLimitDrag_;
        style_ = other->style_;
        value_ = other->value_;
    }
    TPlotCustomToolAxis::Assign(source);
}

AnsiString TColorLineTool::Description() const { return Plotproco::PlotMsg_ColorLineTool; }

void TColorLineTool::SetStyle(TColorLineStyle value) {
    if (style_ == value) return;
    style_ = value;
    RepaintChart();
}

void TColorLineTool::SetValue(double value) {
    if (!ComponentState().count(csReading)) style_ = clCustom;
    if (value_ == value) return;
    value_ = value;
    if (!dragging_ || dragRepaint_) RepaintChart();
}

void TColorLineTool::RepaintChart() {
    if (TCustomAxisPanel* chart = Chart()) chart->Invalidate();
}

double TColorLineTool::CalcValue() const {
    TChartAxis* axis = Axis();
    switch (style_) {
        case clMaximum:
            return axis->Maximum();
        case clCenter:
            return (axis->Maximum() + axis->Minimum()) * 0.5;
        case clMinimum:
            return axis->Minimum();
        default:
            return value_;
    }
}

double TColorLineTool::LimitValue(double value) const {
    TChartAxis* axis = Axis();
    const double a = axis->CalcPosPoint(axis->StartPixel), b = axis->CalcPosPoint(axis->EndPixel);
    return Max(Min(a, b), Min(Max(a, b), value));
}

bool TColorLineTool::Clicked(int x, int y) {
    TChartAxis* axis = Axis();
    const TRect& r = Chart()->ChartRect;
    const int p = axis->CalcPosValue(CalcValue());
    if (axis->Horizontal()) return std::abs(x - p) <= 2 && y >= r.Top && y <= r.Bottom;
    return std::abs(y - p) <= 2 && x >= r.Left && x <= r.Right;
}

void TColorLineTool::DrawBehindForm() {
    TCustomAxisPanel* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TRect& r = chart->ChartRect;
    const int depth = chart->DepthWidth, p = Axis()->CalcPosValue(CalcValue());
    if (Axis()->Horizontal()) {
        if (draw3D_) canvas->ZLine3D(p, r.Bottom, 0, depth);
        if (drawBehind_ || draw3D_) canvas->VertLine3D(p, r.Top, r.Bottom, depth);
    } else {
        if (draw3D_) canvas->ZLine3D(r.Left, p, 0, depth);
        if (drawBehind_ || draw3D_) canvas->HorizLine3D(r.Left, r.Right, p, depth);
    }
}

void TColorLineTool::DrawFrontForm() {
    TCustomAxisPanel* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TRect& r = chart->ChartRect;
    const int depth = chart->DepthWidth, p = Axis()->CalcPosValue(CalcValue());
    if (Axis()->Horizontal()) {
        if (draw3D_) canvas->ZLine3D(p, r.Top, 0, depth);
        if (!drawBehind_) canvas->VertLine3D(p, r.Top, r.Bottom, 0);
    } else {
        if (draw3D_) canvas->ZLine3D(r.Right, p, 0, depth);
        if (!drawBehind_) canvas->HorizLine3D(r.Left, r.Right, p, 0);
    }
}

void TColorLineTool::ChartEvent(TChartToolEvent event) {
    if (!Axis() || (event != cteBeforeDrawSeries && event != cteAfterDraw)) return;
    TCustomAxisPanel* chart = Chart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    canvas->AssignVisiblePen(Pen());
    canvas->SetBackMode(cbmTransparent);
    if (allowDrag_ && !noLimitDrag_) value_ = LimitValue(value_);
    if (event == cteBeforeDrawSeries)
        DrawBehindForm();
    else if (chart->View3D() || !dragging_ || dragRepaint_)
        DrawFrontForm();
}

void TColorLineTool::DrawXor() {
    TPlotCanvas3D* canvas = Chart()->InternalCanvas;
    canvas->AssignVisiblePen(Pen());
    canvas->Pen()->SetMode(pmNotXor);
    DrawBehindForm();
    DrawFrontForm();
}

void TColorLineTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState,
                                     int x, int y) {
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = Chart();
    if (!allowDrag_ || !axis || !chart) return;
    switch (event) {
        case cmeDown:
            if (button != mbLeft) return;
            dragging_ = Clicked(x, y);
            chart->MouseHandled = dragging_;
            if (dragging_ && OnBeginDragLine) OnBeginDragLine(this);
            break;
        case cmeMove:
            if (dragging_) {
                double v = axis->CalcPosPoint(axis->Horizontal() ? x : y);
                if (!noLimitDrag_) v = LimitValue(v);
                if (dragRepaint_) {
                    SetValue(v);
                } else if (v != CalcValue()) {
                    DrawXor();
                    style_ = clCustom;
                    value_ = v;
                    DrawXor();
                    chart->InternalCanvas->Pen()->SetMode(pmCopy);
                }
                chart->MouseHandled = true;
                if (OnDragLine) OnDragLine(this);
            } else if (Clicked(x, y)) {
                chart->SetCursor(axis->Horizontal() ? crHSplit : crVSplit);
                chart->MouseHandled = true;
            }
            break;
        case cmeUp:
            if (!dragging_) return;
            if (!dragRepaint_) chart->Invalidate();
            DoEndDragLine();
            dragging_ = false;
            break;
    }
}

void TColorLineTool::DoEndDragLine() {
    if (OnEndDragLineInternal) OnEndDragLineInternal(this);
    if (OnEndDragLine) OnEndDragLine(this);
}
