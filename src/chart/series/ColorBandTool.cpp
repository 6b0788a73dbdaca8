// Colour band tool.
#include "ColorBandTool.h"

#include "PlotAxis.h"
#include "PlotAxisPanel.h"
#include "PlotBlend.h"
#include "PlotProcs.h"
#include "PlotPublished.h"
#include "PlotView3D.h"
#include "Plotproco.h"

TColorBandTool::TColorBandTool(TComponent* owner)
    : TPlotCustomToolAxis(owner),
      gradient_(new TPlotGradient([this](TObject*) { Repaint(); })),
      startLine_(NewLine()),
      endLine_(NewLine()) {}

TColorBandTool::~TColorBandTool() {
    TObject::Free(startLine_);
    TObject::Free(endLine_);
    TObject::Free(gradient_);
}

TColorLineTool* TColorBandTool::NewLine() {
    auto* line = new TColorLineTool(nullptr);
    line->SetActive(false);
    line->SetDragRepaint(true);
    line->OnDragLine = [this](TObject* sender) { DragLine(sender); };
    line->OnEndDragLineInternal = [this](TObject* sender) { EndDragLine(sender); };
    return line;
}

AnsiString TColorBandTool::Description() const { return Plotproco::PlotMsg_ColorBandTool; }

void TColorBandTool::Loaded() {
    TPlotCustomToolAxis::Loaded();
    MoveLines();
}

void TColorBandTool::SetParentChart(TCustomAxisPanel* chart) {
    TPlotCustomToolAxis::SetParentChart(chart);
    if (InState(csDestroying)) return;
    startLine_->SetDrawingChart(chart);
    endLine_->SetDrawingChart(chart);
}

void TColorBandTool::SetAxis(TChartAxis* axis) {
    TPlotCustomToolAxis::SetAxis(axis);
    for (TColorLineTool* line : {startLine_, endLine_}) {
        line->SetAxis(axis);
        line->SetParentChart(nullptr);
    }
}

void TColorBandTool::MoveLines() {
    startLine_->SetValue(startValue_);
    endLine_->SetValue(endValue_);
}

void TColorBandTool::SetStartValue(double value) {
    SetDoubleProperty(startValue_, value);
    startLine_->SetValue(value);
}

void TColorBandTool::SetEndValue(double value) {
    SetDoubleProperty(endValue_, value);
    endLine_->SetValue(value);
}

void TColorBandTool::SetTransparency(int value) {
    if (transparency_ == value) return;
    transparency_ = static_cast<TPlotTransparency>(value);
    Repaint();
}

void TColorBandTool::SetResizeStart(bool value) {
    startLine_->SetActive(value);
    Repaint();
}

void TColorBandTool::SetResizeEnd(bool value) {
    endLine_->SetActive(value);
    Repaint();
}

void TColorBandTool::DragLine(TObject* sender) {
    auto* line = static_cast<TColorLineTool*>(sender);
    if (!line->DragRepaint()) return;
    if (line == startLine_)
        SetStartValue(line->Value());
    else
        SetEndValue(line->Value());
}

void TColorBandTool::EndDragLine(TObject* sender) {
    auto* line = static_cast<TColorLineTool*>(sender);
    if (line->DragRepaint()) return;
    if (line == startLine_)
        SetStartValue(line->Value());
    else
        SetEndValue(line->Value());
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TColorBandTool::ZPosition() const {
    return drawBehind_ && ParentChart() ? ParentChart()->DepthWidth : 0;
}

TRect TColorBandTool::BoundsRect() {
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = ParentChart();
    if (!axis || !chart) return TRect();
    TRect r = chart->ChartRect;
    double first = Min(startValue_, endValue_), second = Max(startValue_, endValue_);
    if (second < axis->Minimum() || first > axis->Maximum()) return TRect();
    if (axis->Inverted()) std::swap(first, second);
    const bool penVisible = Pen()->Visible();
    if (axis->Horizontal()) {
        r.Left = Max(axis->StartPixel, axis->CalcPosValue(first));
        r.Right = Min(axis->EndPixel, axis->CalcPosValue(second));
        if (penVisible) ++r.Right;
    } else {
        r.Top = Max(axis->StartPixel, axis->CalcPosValue(second));
        r.Bottom = Min(axis->EndPixel, axis->CalcPosValue(first));
        ++r.Left;
        ++r.Bottom;
        if (!penVisible) {
            ++r.Bottom;
            ++r.Right;
        }
    }
    return r;
}

bool TColorBandTool::Clicked(int x, int y) {
    const TRect r = BoundsRect();
    if (r.Width() <= 0 || r.Height() <= 0) return false;
    const TFourPoints corners = ParentChart()->InternalCanvas->FourPointsFromRect(r, ZPosition());
    return PointInPolygon(TPoint(x, y), corners.data(), 3);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TColorBandTool::ChartEvent(TChartToolEvent event) {
    const bool now = event == cteAfterDraw     ? !drawBehind_ && !drawBehindAxes_
                     : event == cteBeforeDrawSeries ? drawBehind_ && !drawBehindAxes_
                     : event == cteBeforeDrawAxes   ? drawBehindAxes_
                                                    : false;
    if (now && Axis() && ParentChart()) Paint();
}

void TColorBandTool::Paint() {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TRect r = BoundsRect();
    if (r.Width() > 0 && r.Height() > 0) {
        canvas->AssignBrush(Brush(), color_);
        canvas->AssignVisiblePen(Pen());
        const int z = ZPosition();
        if (gradient_->Visible() && (!chart->View3D() || chart->View3DOptions()->Orthogonal())) {
            gradient_->Draw(canvas, canvas->CalcRect3D(TRect(r.Left, r.Top, r.Right - 1,
                                                             r.Bottom - 1),
                                                       z));
            canvas->Brush()->SetStyle(bsClear);
        }
        TPlotBlend* blend = nullptr;
        if (transparency_ > 0)
            blend = canvas->BeginBlending(chart->View3D() ? canvas->RectFromRectZ(r, z) : r,
                                          transparency_);
        if (chart->View3D())
            canvas->RectangleWithZ(r, z);
        else
            canvas->Rectangle(r);
        if (blend) canvas->EndBlending(blend);
    }
    DrawEdgeLine(endLine_, endValue_);
    DrawEdgeLine(startLine_, startValue_);
}

void TColorBandTool::DrawEdgeLine(TColorLineTool* line, double value) {
    if (!line->Active()) return;
    line->SetValue(value);
    line->ChartEvent(drawBehind_ ? cteBeforeDrawSeries : cteAfterDraw);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TColorBandTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton button,
                                     TShiftState shift, int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    if (startLine_->Active()) startLine_->ChartMouseEvent(event, button, shift, x, y);
    if (endLine_->Active() && !chart->MouseHandled)
        endLine_->ChartMouseEvent(event, button, shift, x, y);
    if (event == cmeMove && cursor_ != crDefault && !chart->MouseHandled && Clicked(x, y)) {
        chart->SetCursor(cursor_);
        if (!chart->Zoom()->Active && !chart->Panning->Active) chart->MouseHandled = true;
    } else if (event == cmeDown && OnClick && Clicked(x, y)) {
        OnClick(this, button, shift, x, y);
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool colorBandPropertiesRegistered = [] {
    using B = TColorBandTool;
    const TMetaClass* band = B::StaticClass();
    RegisterProperty(band, SubObjectProperty<B>("Brush", &B::Brush));
    RegisterProperty(band, OrdinalProperty<B>("Color", pkColor, &B::Color, &B::SetColor, clWhite));
    RegisterProperty(band, OrdinalProperty<B>("Cursor", pkInteger, &B::Cursor, &B::SetCursor,
                                              crDefault));
    RegisterProperty(band, OrdinalProperty<B>("DrawBehind", pkBool, &B::DrawBehind,
                                              &B::SetDrawBehind, 1));
    RegisterProperty(band, OrdinalProperty<B>("DrawBehindAxes", pkBool, &B::DrawBehindAxes,
                                              &B::SetDrawBehindAxes, 0));
    RegisterProperty(band, FloatProperty<B>("EndValue", &B::EndValue, &B::SetEndValue));
    RegisterProperty(band, SubObjectProperty<B>("EndLinePen", &B::EndLinePen));
    RegisterProperty(band, SubObjectProperty<B>("Gradient", &B::Gradient));
    RegisterProperty(band, SubObjectProperty<B>("Pen", &B::Pen));
    RegisterProperty(band, OrdinalProperty<B>("ResizeEnd", pkBool, &B::ResizeEnd,
                                              &B::SetResizeEnd, 0));
    RegisterProperty(band, OrdinalProperty<B>("ResizeStart", pkBool, &B::ResizeStart,
                                              &B::SetResizeStart, 0));
    RegisterProperty(band, SubObjectProperty<B>("StartLinePen", &B::StartLinePen));
    RegisterProperty(band, FloatProperty<B>("StartValue", &B::StartValue, &B::SetStartValue));
    RegisterProperty(band, OrdinalProperty<B>("Transparency", pkInteger, &B::Transparency,
                                              &B::SetTransparency, 0));
    return true;
}();

}  // namespace
