// Line-point and bar-join series.
#include "MyPoint.h"

#include "ChartRegistry.h"
#include "PlotAxisPanel.h"
#include "Plotproco.h"

using namespace Plotproco;

TMyPointSeries::TMyPointSeries(TComponent* owner)
    : TPointSeries(owner), linesPen_(CreateChartPen()) {
    linesPen_->SetColor(clRed);
    Pointer()->SetDraw3D(false);
    Pointer()->SetStyle(psDiamond);
}

TMyPointSeries::~TMyPointSeries() { TObject::Free(linesPen_); }

void TMyPointSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TMyPointSeries*>(source)) linesPen_->Assign(other->linesPen_);
    TPointSeries::Assign(source);
}

void TMyPointSeries::DrawValue(int index) {
    const int x = CalcXPos(index), y = CalcYPos(index);
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
    canvas->AssignVisiblePen(linesPen_);
    canvas->MoveTo3D(GetVertAxis()->AxisLinePos, y, StartZ);
    canvas->LineTo3D(x, y, StartZ);
    canvas->LineTo3D(x, GetHorizAxis()->AxisLinePos, StartZ);
    TPointSeries::DrawValue(index);
}

TBarJoinSeries::TBarJoinSeries(TComponent* owner)
    : TBarSeries(owner), joinPen_(CreateChartPen()) {}

TBarJoinSeries::~TBarJoinSeries() { TObject::Free(joinPen_); }

void TBarJoinSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBarJoinSeries*>(source)) joinPen_->Assign(other->joinPen_);
    TBarSeries::Assign(source);
}

void TBarJoinSeries::DoBeforeDrawChart() {
    TBarSeries::DoBeforeDrawChart();
    firstBar_ = true;
}

void TBarJoinSeries::DrawBar(int index, int startPos, int endPos) {
    TBarSeries::DrawBar(index, startPos, endPos);
    const TRect& bar = BarBounds();
    if (!firstBar_) {
        TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
        canvas->AssignVisiblePen(joinPen_);
        const bool middles = BarStyle() == bsPyramid || BarStyle() == bsEllipse ||
                             BarStyle() == bsArrow || BarStyle() == bsCone;
        TPoint from, to;
        if (!DrawValuesForward()) {
            from = TPoint(bar.Right, bar.Top);
            to = TPoint(previousBar_.Left, previousBar_.Top);
        } else if (middles) {
            from = TPoint((previousBar_.Left + previousBar_.Right) / 2, previousBar_.Top);
            to = TPoint((bar.Left + bar.Right) / 2, bar.Top);
        } else {
            from = TPoint(previousBar_.Right, previousBar_.Top);
            to = TPoint(bar.Left, bar.Top);
        }
        if (ParentChart()->View3D())
            canvas->LineWithZ(from.X, from.Y, to.X, to.Y, MiddleZ);
        else
            canvas->Line(from.X, from.Y, to.X, to.Y);
    }
    firstBar_ = false;
    previousBar_ = bar;
}

void TBarJoinSeries::PrepareForGallery(bool enabled) {
    TBarSeries::PrepareForGallery(enabled);
    joinPen_->SetColor(clBlue);
    joinPen_->SetWidth(2);
    FillSampleValues(2);
}

namespace {
struct MyPointRegistration {
    MyPointRegistration() {
        RegisterPlotSeries(TMyPointSeries::StaticClass(), &PlotMsg_GalleryLinePoint,
                           &PlotMsg_GallerySamples, 1);
        RegisterPlotSeries(TBarJoinSeries::StaticClass(), &PlotMsg_GalleryBarJoin,
                           &PlotMsg_GallerySamples, 1);
    }
    ~MyPointRegistration() {
        if (!PlotSeriesTypes) return;
        const TMetaClass* classes[] = {TMyPointSeries::StaticClass(),
                                       TBarJoinSeries::StaticClass()};
        UnRegisterPlotSeries(classes, 1);
    }
} myPointRegistration;
}  // namespace
