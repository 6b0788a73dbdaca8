// The fast line series.
#include "FastLineSeries.h"

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "PlotProcs.h"
#include "PlotSystem.h"
#include "Plotconst.h"

using namespace Plotconst;

TFastLineSeries::TFastLineSeries(TComponent* owner) : TCustomLineSeries(owner) {
    SinglePointResult = false;
    KeepOuterPoint = true;
}

void TFastLineSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TFastLineSeries*>(source)) {
        autoRepaint_ = other->autoRepaint_;
        drawAllPoints_ = other->drawAllPoints_;
        fastPen_ = other->fastPen_;
        ignoreNulls_ = other->ignoreNulls_;
        invertedStairs_ = other->invertedStairs_;
        stairs_ = other->stairs_;
    }
    TCustomLineSeries::Assign(source);
}

void TFastLineSeries::SetFastPen(bool value) {
    if (value && !PlotSetDCPenColor()) return;
    fastPen_ = value;
}

void TFastLineSeries::SetSeriesColor(TColor color) {
    TCustomLineSeries::SetSeriesColor(color);
    LinePen()->SetColor(color);
}

void TFastLineSeries::SetPen(TChartPen* pen) {
    TCustomLineSeries::SetPen(pen);
    TCustomLineSeries::SetSeriesColor(LinePen()->Color());
}

TPoint TFastLineSeries::CalcPosition(int index) {
    return {ActiveHorizAxis->CalcPosValue(XValues->GetValue(index)),
            ActiveVertAxis->CalcPosValue(YValues->GetValue(index))};
}

void TFastLineSeries::CalcHorizMargins(int& left, int& right) {
    TCustomLineSeries::CalcHorizMargins(left, right);
    const int w = LinePen()->Width();
    left += w - (w - 2) / 2;
    right += w - (w - 2) / 2;
}

void TFastLineSeries::CalcVerticalMargins(int& top, int& bottom) {
    TCustomLineSeries::CalcVerticalMargins(top, bottom);
    const int w = LinePen()->Width();
    top += w - (w - 2) / 2;
    bottom += w - (w - 2) / 2;
}

void TFastLineSeries::PrepareCanvas() {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    canvas->AssignVisiblePen(LinePen());
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackMode(cbmTransparent);
}

void TFastLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle&) { PrepareCanvas(); }

void TFastLineSeries::MoveToPoint(const TPoint& p) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    if (ParentChart()->View3D())
        canvas->MoveTo3D(p.X, p.Y, MiddleZ);
    else
        canvas->MoveTo(p.X, p.Y);
}

void TFastLineSeries::LineToPoint(const TPoint& p) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    if (ParentChart()->View3D())
        canvas->LineTo3D(p.X, p.Y, MiddleZ);
    else
        canvas->LineTo(p.X, p.Y);
}

void TFastLineSeries::DrawAllValues() {
    PrepareCanvas();
    const int first = FirstValueIndex;
    previous_ = CalcPosition(first > 0 ? first - 1 : first);
    MoveToPoint(previous_);
    if (first > 0) DrawValue(first);
    for (int i = first + 1; i <= LastValueIndex; ++i) DrawValue(i);
}

void TFastLineSeries::DrawValue(int index) {
    const TPoint p = CalcPosition(index);
    if (p.X == previous_.X && (!drawAllPoints_ || p.Y == previous_.Y)) return;
    if (ignoreNulls_ || !IsNull(index)) {
        if (stairs_)
            LineToPoint(invertedStairs_ ? TPoint{previous_.X, p.Y} : TPoint{p.X, previous_.Y});
        LineToPoint(p);
    } else {
        MoveToPoint(p);
    }
    previous_ = p;
}

void TFastLineSeries::NotifyNewValue(TChartSeries* sender, int valueIndex) {
    if (autoRepaint_ || !ParentChart()) {
        TCustomLineSeries::NotifyNewValue(sender, valueIndex);
        return;
    }
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    previous_ = CalcPosition(valueIndex > 0 ? valueIndex - 1 : 0);
    if (!fastPen_) {
        canvas->AssignVisiblePen(LinePen());
        MoveToPoint(previous_);
        DrawValue(valueIndex);
        return;
    }
    // The stock pen goes behind the canvas' back; its own pen is selected again afterwards.
    HDC dc = canvas->Handle();
    const HGDIOBJ own = SelectObject(dc, GetStockObject(DC_PEN));
    PlotSetDCPenColor()(dc, ColorToRGB(LinePen()->Color()));
    struct Reselect {
        HDC dc;
        HGDIOBJ pen;
        ~Reselect() { SelectObject(dc, pen); }
    } reselect{dc, own};
    MoveToPoint(previous_);
    DrawValue(valueIndex);
}

void TFastLineSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    TCustomLineSeries::CreateSubGallery(addSubChart);
    for (const AnsiString* name : {&PlotMsg_Marks, &PlotMsg_Dotted, &PlotMsg_Stairs})
        addSubChart(*name);
}

void TFastLineSeries::SetSubGallery(int index) {
    switch (index) {
        case 1: Marks()->SetVisible(true); break;
        case 2: LinePen()->SetSmallDots(true); break;
        case 3: SetStairs(true); break;
        default: TCustomLineSeries::SetSubGallery(index);
    }
}

void TFastLineSeries::DrawMark(int valueIndex, const AnsiString& text,
                               TSeriesMarkPosition* position) {
    Marks()->GetCallout()->ApplyArrowLength(position);
    TCustomLineSeries::DrawMark(valueIndex, text, position);
}

void TFastLineSeries::DrawLegendShape(int, const TRect& rect) {
    ParentChart()->InternalCanvas->DoHorizLine(rect.Left, rect.Right, (rect.Top + rect.Bottom) / 2);
}

int TFastLineSeries::Clicked(int x, int y) {
    if (FirstValueIndex < 0 || LastValueIndex < 0 || !ParentChart()) return -1;
    ParentChart()->InternalCanvas->Calculate2DPosition(x, y, MiddleZ);
    const TPoint p{x, y};
    TPoint previous;
    for (int i = FirstValueIndex; i <= LastValueIndex; ++i) {
        const TPoint point{CalcXPos(i), CalcYPos(i)};
        if (point.X == x && point.Y == y) return i;
        if (i > FirstValueIndex && PointInLine(p, previous, point, 0)) return i - 1;
        previous = point;
    }
    return -1;
}

namespace {

// The fast line series' published properties, for the component streams.
const bool fastLinePropertiesRegistered = [] {
    using F = TFastLineSeries;
    const TMetaClass* fast = F::StaticClass();
    RegisterProperty(fast, OrdinalProperty<F>("AutoRepaint", pkBool, &F::AutoRepaint,
                                              &F::SetAutoRepaint, 1));
    RegisterProperty(fast, OrdinalProperty<F>("DrawAllPoints", pkBool, &F::DrawAllPoints,
                                              &F::SetDrawAllPoints, 1));
    RegisterProperty(fast, OrdinalProperty<F>("IgnoreNulls", pkBool, &F::IgnoreNulls,
                                              &F::SetIgnoreNulls, 1));
    RegisterProperty(fast, OrdinalProperty<F>("InvertedStairs", pkBool, &F::InvertedStairs,
                                              &F::SetInvertedStairs, 0));
    RegisterProperty(fast, SubObjectProperty<F>("LinePen", &F::LinePen));
    RegisterProperty(fast, OrdinalProperty<F>("Stairs", pkBool, &F::Stairs, &F::SetStairs, 0));
    return true;
}();

}  // namespace
