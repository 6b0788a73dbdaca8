// The line family of series.
#include "LineSeries.h"

#include <cmath>
#include <cstdlib>

#include "Chart.h"
#include "PlotGeometry.h"
#include "PlotMarks.h"
#include "PlotProcs.h"
#include "PlotPublished.h"
#include "Plotconst.h"
using namespace Plotconst;

namespace {

// Restores a series' colour and its axes' pixel ends when a drawing pass leaves, also by an
// exception.
struct KeepAxesAndColor {
    TChartSeries* series;
    TColor color;
    int horizStart, horizEnd, vertStart, vertEnd;
    explicit KeepAxesAndColor(TChartSeries* s)
        : series(s),
          color(s->SeriesColor()),
          horizStart(s->ActiveHorizAxis->StartPixel),
          horizEnd(s->ActiveHorizAxis->EndPixel),
          vertStart(s->ActiveVertAxis->StartPixel),
          vertEnd(s->ActiveVertAxis->EndPixel) {}
    ~KeepAxesAndColor() {
        series->ActiveHorizAxis->StartPixel = horizStart;
        series->ActiveHorizAxis->EndPixel = horizEnd;
        series->ActiveVertAxis->StartPixel = vertStart;
        series->ActiveVertAxis->EndPixel = vertEnd;
        series->ChangeInternalColor(color);
    }
};

}  // namespace

void TCustomLineSeries::NotifyValue(TValueEvent event, int valueIndex) {
    TChartSeries::NotifyValue(event, valueIndex);
    if (event != veClear) return;
    if (auto* chart = dynamic_cast<TCustomChart*>(ParentChart())) chart->ClearSavedScales();
}

// ---------------------------------------------------------------------------------------------
// TCustomSeries: settings

TCustomSeries::TCustomSeries(TComponent* owner)
    : TCustomLineSeries(owner),
      pointer_(new TSeriesPointer(this)),
      outLine_(new TChartHiddenPen([this](TObject*) { Repaint(); })),
      shadow_(new TPlotShadow([this](TObject*) { Repaint(); })),
      areaBrush_(new TChartBrush([this](TObject*) { Repaint(); })),
      areaLinesPen_(new TChartPen([this](TObject*) { Repaint(); })),
      gradient_(new TPlotGradient([this](TObject*) { Repaint(); })) {
    KeepOuterPoint = true;
}

TCustomSeries::~TCustomSeries() {
    TObject::Free(pointer_);
    TObject::Free(outLine_);
    TObject::Free(shadow_);
    TObject::Free(areaBrush_);
    TObject::Free(areaLinesPen_);
    TObject::Free(gradient_);
}

void TCustomSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomSeries*>(source)) {
        clickableLine_ = other->clickableLine_;
        areaBrush_->Assign(other->areaBrush_);
        areaColor_ = other->areaColor_;
        areaLinesPen_->Assign(other->areaLinesPen_);
        colorEachLine_ = other->colorEachLine_;
        dark3D_ = other->dark3D_;
        drawArea_ = other->drawArea_;
        drawLine_ = other->drawLine_;
        invertedStairs_ = other->invertedStairs_;
        lineHeight_ = other->lineHeight_;
        pointer_->Assign(other->pointer_);
        stacked_ = other->stacked_;
        stairs_ = other->stairs_;
        outLine_->Assign(other->outLine_);
        shadow_->Assign(other->shadow_);
        transparency_ = other->transparency_;
        gradient_->Assign(other->gradient_);
    }
    TCustomLineSeries::Assign(source);
}

void TCustomSeries::SetParentChart(TCustomAxisPanel* chart) {
    TCustomLineSeries::SetParentChart(chart);
    pointer_->SetParent(chart);
}

void TCustomSeries::SetStacked(TCustomSeriesStack value) {
    if (stacked_ == value) return;
    stacked_ = value;
    if (TCustomAxisPanel* chart = ParentChart())
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (InheritsFrom(chart->GetSeries(i)->ClassType()))
                if (auto* series = dynamic_cast<TCustomSeries*>(chart->GetSeries(i)))
                    series->stacked_ = value;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TCustomSeries::CalcXPos(int index) {
    if (!YIsMandatory && (stacked_ == cssStack || stacked_ == cssStack100))
        return CalcStackedPos(index, XValues->GetValue(index));
    return TCustomLineSeries::CalcXPos(index);
}

int TCustomSeries::CalcYPos(int index) {
    if (YIsMandatory && (stacked_ == cssStack || stacked_ == cssStack100))
        return CalcStackedPos(index, YValues->GetValue(index));
    return TCustomLineSeries::CalcYPos(index);
}

double TCustomSeries::PointOrigin(int index, bool sumAll) {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return 0;
    const bool positive = MandatoryList->GetValue(index) >= 0;
    double sum = 0;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->GetSeries(i);
        if (!sumAll && series == this) break;
        if (!series->Active() || !SameClass(series) || series->Count() <= index) continue;
        const double value = series->GetOriginValue(index);
        if (positive ? value > 0 : value < 0) sum += value;
    }
    return sum;
}

int TCustomSeries::CalcStackedPos(int index, double value) {
    TChartAxis* axis = MandatoryAxis();
    const double origin = PointOrigin(index, false);
    if (stacked_ == cssStack) {
        const int pixel = CalcPosValue(origin + value);
        return YIsMandatory ? Max(pixel, axis->StartPixel) : Min(pixel, axis->EndPixel);
    }
    const double total = PointOrigin(index, true);
    if (total == 0) return axis->EndPixel;
    return CalcPosValue((origin + value) * 100 / total);
}

int TCustomSeries::GetOriginPos(int index) {
    if (stacked_ == cssStack || stacked_ == cssStack100) return CalcStackedPos(index, 0);
    if (YIsMandatory)
        return ActiveVertAxis->Inverted() ? ActiveVertAxis->StartPixel : ActiveVertAxis->EndPixel;
    return ActiveHorizAxis->Inverted() ? ActiveHorizAxis->EndPixel : ActiveHorizAxis->StartPixel;
}

double TCustomSeries::MaxYValue() {
    if (!YIsMandatory || stacked_ == cssNone || stacked_ == cssOverlap)
        return TCustomLineSeries::MaxYValue();
    if (stacked_ == cssStack100) return 100;
    double result = TCustomLineSeries::MaxYValue();
    for (int i = 0; i < Count(); ++i) result = Max(result, PointOrigin(i, false) + YValues->GetValue(i));
    return result;
}

double TCustomSeries::MinYValue() {
    if (!YIsMandatory || stacked_ == cssNone || stacked_ == cssOverlap)
        return TCustomLineSeries::MinYValue();
    if (stacked_ == cssStack100) return 0;
    double result = TCustomLineSeries::MinYValue();
    for (int i = 0; i < Count(); ++i) result = Min(result, PointOrigin(i, false) + YValues->GetValue(i));
    return result;
}

double TCustomSeries::MaxXValue() {
    if (YIsMandatory || stacked_ == cssNone || stacked_ == cssOverlap)
        return TCustomLineSeries::MaxXValue();
    if (stacked_ == cssStack100) return 100;
    double result = TCustomLineSeries::MaxXValue();
    for (int i = 0; i < Count(); ++i) result = Max(result, PointOrigin(i, false) + XValues->GetValue(i));
    return result;
}

double TCustomSeries::MinXValue() {
    if (YIsMandatory || stacked_ == cssNone || stacked_ == cssOverlap)
        return TCustomLineSeries::MinXValue();
    if (stacked_ == cssStack100) return 0;
    double result = TCustomLineSeries::MinXValue();
    for (int i = 0; i < Count(); ++i) result = Min(result, PointOrigin(i, false) + XValues->GetValue(i));
    return result;
}

void TCustomSeries::CalcZOrder() {
    if (stacked_ == cssNone) {
        TCustomLineSeries::CalcZOrder();
        return;
    }
    ComputedZOrder = ParentChart()->MaxZOrder;
}

int TCustomSeries::CalcMarkLength() {
    TMarksCallout* callout = Marks()->GetCallout();
    return callout->Length() + callout->Distance();
}

void TCustomSeries::CalcHorizMargins(int& left, int& right) {
    TCustomLineSeries::CalcHorizMargins(left, right);
    pointer_->CalcHorizMargins(left, right);
    if (drawLine_) {
        if (stairs_) {
            left = Max(left, LinePen()->Width());
            right = Max(right, LinePen()->Width());
        }
        if (outLine_->Visible()) {
            left = Max(left, outLine_->Width());
            right = Max(right, outLine_->Width());
        }
    }
    if (Marks()->Visible() && !YIsMandatory) right = Max(right, CalcMarkLength());
}

void TCustomSeries::CalcVerticalMargins(int& top, int& bottom) {
    TCustomLineSeries::CalcVerticalMargins(top, bottom);
    pointer_->CalcVerticalMargins(top, bottom);
    if (drawLine_) {
        if (stairs_) {
            top = Max(top, LinePen()->Width());
            bottom = Max(bottom, LinePen()->Width());
        }
        if (outLine_->Visible()) {
            top = Max(top, outLine_->Width());
            bottom = Max(bottom, outLine_->Width());
        }
    }
    if (Marks()->Visible() && YIsMandatory) top = Max(top, CalcMarkLength());
    if (ParentChart()->View3D() && lineHeight_ > 0 && !drawArea_) bottom = Max(bottom, lineHeight_);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TCustomSeries::DrawAllValues() {
    if (shadow_->GetSize() != 0) DrawShadowPass();
    if (outLine_->Visible()) DrawOutlinePass();
    DrawAllValuesOnce();
}

void TCustomSeries::DrawAllValuesOnce() {
    linePenColor_ = clNone;
    pendingLine_.clear();
    struct Flush {
        TCustomSeries* series;
        ~Flush() { series->FlushLine(); }
    } flush{this};
    TChartSeries::DrawAllValues();
}

void TCustomSeries::FlushLine() {
    if (pendingLine_.size() > 1)
        ParentChart()->InternalCanvas->Polyline(pendingLine_.data(),
                                                static_cast<int>(pendingLine_.size()));
    pendingLine_.clear();
}

void TCustomSeries::DrawShadowPass() {
    KeepAxesAndColor keep(this);
    struct KeepPointer {
        TSeriesPointer* pointer;
        bool visible;
        ~KeepPointer() { pointer->SetVisible(visible); }
    } keepPointer{pointer_, pointer_->Visible()};
    ChangeInternalColor(shadow_->Color());
    pointer_->SetVisible(false);
    ActiveHorizAxis->StartPixel += shadow_->HorizSize();
    ActiveHorizAxis->EndPixel += shadow_->HorizSize();
    ActiveVertAxis->StartPixel += shadow_->VertSize();
    ActiveVertAxis->EndPixel += shadow_->VertSize();
    DrawAllValuesOnce();
}

void TCustomSeries::DrawOutlinePass() {
    TOwnedPtr<TChartPen> saved(new TChartPen);
    saved->Assign(LinePen());
    struct Restore {
        TCustomSeries* series;
        TChartPen* pen;
        TColor color;
        ~Restore() {
            series->LinePen()->Assign(pen);
            series->ChangeInternalColor(color);
        }
    } restore{this, saved.get(), SeriesColor()};
    const int width = 2 * saved->Width() + outLine_->Width() + 1;
    LinePen()->Assign(outLine_);
    LinePen()->SetWidth(width);
    ChangeInternalColor(outLine_->Color());
    DrawAllValuesOnce();
}

TSeriesPointerStyle TCustomSeries::DoGetPointerStyle(int index) {
    return OnGetPointerStyle ? OnGetPointerStyle(this, index) : pointer_->Style();
}

void TCustomSeries::DrawPointer(int x, int y, TColor color, int index) {
    FlushLine();
    linePenColor_ = clNone;
    pointer_->PrepareCanvas(ParentChart()->InternalCanvas, color);
    pointer_->Draw(x, y, color, DoGetPointerStyle(index));
}

TColor TCustomSeries::GetAreaBrushColor(TColor color) {
    return ColorEachPoint() || areaColor_ == clDefault ? color : areaColor_;
}

void TCustomSeries::LinePrepareCanvas(TCanvas3D* canvas, TColor color) {
    if (canvas->Monochrome()) color = clWhite;
    if (ParentChart()->View3D()) {
        if (TBitmap* image = Brush()->ImageBitmap())
            canvas->Brush()->SetBitmap(image);
        else
            canvas->AssignBrush(Brush(), color);
        canvas->AssignVisiblePen(LinePen());
    } else {
        canvas->Brush()->SetStyle(bsClear);
        canvas->AssignVisiblePenColor(LinePen(), color);
    }
}

void TCustomSeries::StartFromOffscreen(int index, bool& drawSegment) {
    if (drawArea_) {
        previousX_ = CalcXPos(index - 1);
        previousY_ = CalcYPos(index - 1);
        previousOrigin_ = GetOriginPos(index - 1);
    } else {
        const bool inverted = ActiveHorizAxis->Inverted();
        const TRect& r = ParentChart()->ChartRect;
        previousX_ = inverted ? r.Right : r.Left;
        if (stairs_) {
            previousY_ = CalcYPos(index - 1);
        } else {
            const double x0 = XValues->GetValue(index - 1), x1 = XValues->GetValue(index);
            double y0 = YValues->GetValue(index - 1), y1 = YValues->GetValue(index);
            const bool logarithmic = ActiveVertAxis->Logarithmic() && y0 > 0 && y1 > 0;
            if (logarithmic) {
                y0 = std::log(y0);
                y1 = std::log(y1);
            }
            const double xEdge = ActiveHorizAxis->CalcPosPoint(previousX_);
            double y = x1 == x0 ? y1 : y0 + (y1 - y0) * (xEdge - x0) / (x1 - x0);
            if (logarithmic) y = std::exp(y);
            previousY_ = CalcYPosValue(y);
        }
    }
    drawSegment = !IsNull(index - 1);
}

void TCustomSeries::DrawValue(int index) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const TColor color = GetValueColor(index);
    const int x = CalcXPos(index), y = CalcYPos(index);
    // Plain 2-D lines leave the brush alone: symbols and areas prepare their own.
    if (drawArea_ || ParentChart()->View3D()) canvas->Brush()->SetColor(color);
    if (previousColor_ == clNone) {
        previousX_ = x;
        previousY_ = y;
    }
    origin_ = GetOriginPos(index);
    const bool forward = DrawValuesForward();
    const bool last = index == (forward ? LastValueIndex : FirstValueIndex);
    const bool first = index == FirstDisplayedIndex();
    if (first) {
        if (ParentChart()->View3D() && dark3D_) {
            slopeRatio_ = 1;
            TPoint front = canvas->Calculate3DPosition(0, 0, StartZ);
            TPoint back = canvas->Calculate3DPosition(0, 0, EndZ);
            if (back.X != front.X) slopeRatio_ = std::abs(double(back.Y - front.Y) / (back.X - front.X));
        }
        previousColor_ = clNone;
        bool drawSegment = false;
        if (index == FirstValueIndex && index > 0 && forward) StartFromOffscreen(index, drawSegment);
        if (drawSegment) {
            previousColor_ = GetValueColor(index - 1);
            DrawSegment(index, color, x, y, false, false);
        }
        if (last && pointer_->Visible() && color != clNone) DrawPointer(x, y, color, index);
    } else {
        DrawSegment(index, color, x, y, last, true);
    }
    previousX_ = x;
    previousY_ = y;
    previousOrigin_ = origin_;
    previousColor_ = color;
}

void TCustomSeries::DrawSegment(int index, TColor color, int x, int y, bool last, bool symbols) {
    const bool moved = x != previousX_ || y != previousY_;
    if (moved && color != clNone && previousColor_ != clNone) {
        if (ParentChart()->View3D() && (drawLine_ || drawArea_)) DrawSegment3D(color, x, y, last);
        if (drawArea_) {
            TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
            canvas->Brush()->SetColor(GetAreaBrushColor(color));
            const bool ownColor = areaLinesPen_->Color() != clDefault && areaLinesPen_->Visible();
            canvas->AssignVisiblePenColor(areaLinesPen_, ownColor ? areaLinesPen_->Color() : color);
            DrawAreaStrip({previousX_, previousY_}, previousOrigin_, {x, y}, origin_, last);
        } else if (!ParentChart()->View3D() && drawLine_) {
            DrawLine2D(color, x, y);
        }
    }
    if (!symbols || !pointer_->Visible()) return;
    if (previousColor_ != clNone) DrawPointer(previousX_, previousY_, previousColor_, index - 1);
    if (last && color != clNone) DrawPointer(x, y, color, index);
}

void TCustomSeries::DrawLine2D(TColor color, int x, int y) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    const TColor lineColor = ColorEachPoint() && colorEachLine_ ? color : GetSeriesColor();
    if (lineColor != linePenColor_) {
        FlushLine();
        LinePrepareCanvas(canvas, lineColor);
        linePenColor_ = lineColor;
    }
    const TPoint previous{previousX_, previousY_};
    if (pendingLine_.empty() || pendingLine_.back() != previous) {
        FlushLine();
        pendingLine_.push_back(previous);
    }
    if (stairs_) pendingLine_.push_back(invertedStairs_ ? TPoint{previousX_, y} : TPoint{x, previousY_});
    pendingLine_.push_back({x, y});
}

void TCustomSeries::DrawSegment3D(TColor color, int x, int y, bool last) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    FlushLine();
    linePenColor_ = clNone;
    canvas->AssignVisiblePen(LinePen());
    canvas->AssignBrush(Brush(), colorEachLine_ || drawArea_ ? GetAreaBrushColor(color)
                                                             : GetSeriesColor());
    if (canvas->Monochrome()) canvas->Brush()->SetColor(clWhite);
    if (stairs_) {
        const int level = invertedStairs_ ? y : previousY_;
        const int riserX = invertedStairs_ ? previousX_ : x;
        canvas->RectangleY(previousX_, level, x, StartZ, EndZ);
        if (dark3D_) canvas->Brush()->SetColor(ApplyDark(canvas->Brush()->Color(), DarkColorQuantity));
        canvas->RectangleZ(riserX, previousY_, y, StartZ, EndZ);
        return;
    }
    const int height = drawArea_ ? 0 : lineHeight_;
    if (height > 0) {
        const TFourPoints face = {TPoint{previousX_, previousY_}, TPoint{x, y},
                                  TPoint{x, y + height}, TPoint{previousX_, previousY_ + height}};
        canvas->PlaneFour3D(face, StartZ, StartZ);
        if (last) canvas->RectangleZ(x, y, y + height, StartZ, EndZ);
    }
    TPoint from{previousX_, previousY_}, to{x, y};
    // A segment steeper than the depth's slope shows its underside: darker, and below the
    // raised face.
    if (dark3D_ && !canvas->GetSupportsFullRotation() && x != previousX_ &&
        double(previousY_ - y) / (x - previousX_) > slopeRatio_) {
        canvas->Brush()->SetColor(ApplyDark(canvas->Brush()->Color(), DarkColorQuantity));
        from.Y += height;
        to.Y += height;
    }
    canvas->Plane3D(from, to, StartZ, EndZ);
}

void TCustomSeries::DrawAreaStrip(TPoint previous, int previousOrigin, TPoint point, int origin,
                                  bool last) {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    FlushLine();
    linePenColor_ = clNone;
    const TColor fore = canvas->Brush()->Color();
    TColor back = areaBrush_->Color() == clDefault ? GetSeriesColor() : areaBrush_->Color();
    if (areaBrush_->ImageIfAny() && back == fore) back = clWhite;
    chart->SetBrushCanvas(fore, areaBrush_, back);
    TPoint quad[4];
    if (stairs_) {
        const int level = invertedStairs_ ? point.Y : previous.Y;
        const int base = invertedStairs_ ? origin : previousOrigin;
        quad[0] = {previous.X, base};
        quad[1] = {previous.X, level};
        quad[2] = {point.X + 1, level};
        quad[3] = {point.X + 1, base};
    } else {
        quad[0] = {previous.X, previousOrigin};
        quad[1] = previous;
        quad[2] = point;
        quad[3] = {point.X, origin};
    }
    if (!YIsMandatory)
        for (TPoint& p : quad) std::swap(p.X, p.Y);
    TPlotBlend* blend = nullptr;
    if (transparency_ > 0) blend = canvas->BeginBlending(RectFromPolygon(quad, 4), transparency_);
    if (chart->View3D()) {
        DrawAreaStrip3D(quad, point, origin, last);
    } else if (gradient_->Visible()) {
        canvas->ClipPolygon(quad, 4);
        gradient_->Draw(canvas, RectFromPolygon(quad, 4));
        canvas->UnClipRectangle();
    } else {
        canvas->Polygon(quad, 4);
    }
    if (blend) canvas->EndBlending(blend);
    if (!LinePen()->Visible()) return;
    canvas->AssignVisiblePen(LinePen());
    if (chart->View3D())
        canvas->LineWithZ(quad[1], quad[2], StartZ);
    else
        canvas->Line(quad[1], quad[2]);
}

void TCustomSeries::DrawAreaStrip3D(const TPoint* quad, TPoint point, int origin, bool last) {
    TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
    if (last) {
        if (YIsMandatory)
            canvas->RectangleZ(point.X, point.Y, origin, StartZ, EndZ);
        else
            canvas->RectangleY(origin, point.Y, point.X, StartZ, EndZ);
    }
    const int rotation = ParentChart()->View3DOptions()->Rotation();
    const bool front = stairs_ || rotation < 91 || rotation > 269;
    canvas->PolygonWithZ(quad, 4, front ? StartZ : EndZ);
    if (canvas->GetSupportsFullRotation()) canvas->PolygonWithZ(quad, 4, EndZ);
}

void TCustomSeries::DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) {
    Marks()->ZPosition = StartZ;
    if (YIsMandatory) Marks()->GetCallout()->ApplyArrowLength(position);
    TCustomLineSeries::DrawMark(valueIndex, text, position);
}

void PlotPointerDrawLegend(TSeriesPointer* pointer, TColor color, const TRect& rect, bool small) {
    TCustomAxisPanel* chart = pointer->Parent() ? static_cast<TCustomAxisPanel*>(pointer->Parent())
                                                : nullptr;
    if (!chart) return;
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    pointer->PrepareCanvas(canvas, color);
    if (auto* full = dynamic_cast<TCustomChart*>(chart)) {
        TLegendSymbol* symbol = full->Legend()->Symbol();
        if (!symbol->DefaultPen()) {
            canvas->AssignVisiblePen(symbol->Pen());
            small = symbol->Pen()->Visible();
        }
    }
    const int w = rect.Width(), h = rect.Height();
    int horiz = small ? w / 3 : w / 2 + 1;
    int vert = small ? h / 3 : h / 2 + 1;
    horiz = Min(horiz, pointer->HorizSize());
    vert = Min(vert, pointer->VertSize());
    pointer->DrawPointer(canvas, false, (rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2,
                         horiz, vert, color, pointer->Style());
}

void TCustomSeries::DrawLegendShape(int valueIndex, const TRect& rect) {
    TCustomAxisPanel* chart = ParentChart();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TColor color = valueIndex == -1 ? GetSeriesColor() : LegendItemColor(valueIndex);
    const int middle = (rect.Top + rect.Bottom) / 2;
    if (pointer_->Visible()) {
        if (drawLine_) {
            if (!chart->LegendSymbolPen) LinePrepareCanvas(canvas, color);
            canvas->DoHorizLine(rect.Left, rect.Right, middle);
        }
        PlotPointerDrawLegend(pointer_, color, rect, LinePen()->Visible());
    } else if (!drawLine_ || drawArea_) {
        TCustomLineSeries::DrawLegendShape(valueIndex, rect);
    } else if (chart->View3D()) {
        canvas->DoRectangle(rect);
    } else {
        canvas->DoHorizLine(rect.Left, rect.Right, middle);
    }
}

// ---------------------------------------------------------------------------------------------
// Clicks

bool TCustomSeries::ClickedPointer(int index, int px, int py, int x, int y) {
    PreparePointer(index);
    return DoGetPointerStyle(index) != psNothing && std::abs(px - x) < pointer_->HorizSize() &&
           std::abs(py - y) < pointer_->VertSize();
}

bool TCustomSeries::SegmentHit(int, const TPoint& previous, const TPoint& point, const TPoint& p) {
    if (ParentChart()->View3D()) {
        TPlotCanvas3D* canvas = ParentChart()->InternalCanvas;
        const TPoint quad[4] = {canvas->Calculate3DPosition(previous, StartZ),
                                canvas->Calculate3DPosition(point, StartZ),
                                canvas->Calculate3DPosition(point, EndZ),
                                canvas->Calculate3DPosition(previous, EndZ)};
        return PointInPolygon(p, quad, 3);
    }
    if (!stairs_) return PointInLine(p, previous, point, 0);
    const TPoint corner = invertedStairs_ ? TPoint{previous.X, point.Y}
                                          : TPoint{point.X, previous.Y};
    return PointInLine(p, previous, corner, 0) || PointInLine(p, corner, point, 0);
}

int TCustomSeries::Clicked(int x, int y) {
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return -1;
    chart->InternalCanvas->Calculate2DPosition(x, y, StartZ);
    const int base = TCustomLineSeries::Clicked(x, y);
    if (base != -1) return base;
    if (FirstValueIndex < 0 || LastValueIndex < 0) return -1;
    const int first = clickableLine_ ? Max(0, FirstValueIndex - 1) : FirstValueIndex;
    const TPoint p{x, y};
    TPoint previous;
    int previousOrigin = 0;
    for (int i = first; i <= LastValueIndex && i < Count(); ++i) {
        const TPoint point{CalcXPos(i), CalcYPos(i)};
        if (pointer_->Visible() && ClickedPointer(i, point.X, point.Y, x, y)) {
            if (OnClickPointer) OnClickPointer(this, i, x, y);
            return i;
        }
        if (point.X == x && point.Y == y) return i;
        const int origin = GetOriginPos(i);
        if (clickableLine_ && i != first) {
            if (SegmentHit(i, previous, point, p)) return i - 1;
            if (drawArea_) {
                const TPoint quad[4] = {previous, point, {point.X, origin}, {previous.X, previousOrigin}};
                if (PointInPolygon(p, quad, 3)) return i - 1;
            }
        }
        previous = point;
        previousOrigin = origin;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Line, horizontal line and point series

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner) {
    SetDrawLine(true);
    SinglePointResult = false;
    Pointer()->SetVisible(false);
}

void TLineSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    if (!source || source->ClassType() != ClassType()) Pointer()->SetVisible(false);
    SetDrawArea(false);
    SetDrawLine(true);
}

void TLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& brushStyle) {
    ParentChart()->InternalCanvas->AssignVisiblePen(LinePen());
    brushStyle = LineBrush();
}

void TLineSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    TCustomSeries::CreateSubGallery(addSubChart);
    for (const AnsiString* name : {&PlotMsg_Stairs, &PlotMsg_Points, &PlotMsg_Height,
                                   &PlotMsg_Hollow, &PlotMsg_Colors, &PlotMsg_Marks,
                                   &PlotMsg_NoBorder, &PlotMsg_Outline})
        addSubChart(*name);
}

void TLineSeries::SetSubGallery(int index) {
    switch (index) {
        case 1: SetStairs(true); break;
        case 2: Pointer()->SetVisible(true); break;
        case 3: SetLineHeight(5); break;
        case 4: SetLineBrush(bsClear); break;
        case 5: SetColorEachPoint(true); break;
        case 6: Marks()->SetVisible(true); break;
        case 7: LinePen()->SetVisible(false); break;
        case 8: OutLine()->SetVisible(true); break;
        default: TCustomSeries::SetSubGallery(index);
    }
}

THorizLineSeries::THorizLineSeries(TComponent* owner) : TLineSeries(owner) {
    SetHorizontal();
    ClipToVisibleRange = false;
    XValues->SetOrder(loNone);
    YValues->SetOrder(loAscending);
}

void THorizLineSeries::DrawMark(int valueIndex, const AnsiString& text,
                                TSeriesMarkPosition* position) {
    TMarksCallout* callout = Marks()->GetCallout();
    const int distance = callout->Distance();
    const bool leftOfOrigin = position->DataPoint.X < GetOriginPos(valueIndex);
    int length = callout->Length() + distance;
    if (leftOfOrigin) length = -length - position->BoxWidth;
    position->BoxOrigin.X += length + position->BoxWidth / 2;
    position->BoxOrigin.Y += position->BoxHeight / 2;
    position->MarkPoint.X += length;
    position->DataPoint.X += leftOfOrigin ? -distance : distance;
    TCustomSeries::DrawMark(valueIndex, text, position);
}

TPointSeries::TPointSeries(TComponent* owner) : TCustomSeries(owner) {
    ApplyPointSettings();
    Marks()->GetCallout()->SetLength(0);
    Marks()->GetCallout()->LengthDefault = 0;
}

void TPointSeries::ApplyPointSettings() {
    Pointer()->SetVisible(true);
    SetDrawArea(false);
    SetDrawLine(false);
    SetClickableLine(false);
}

void TPointSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    ApplyPointSettings();
}

void TPointSeries::SetColorEachPoint(bool value) {
    TCustomSeries::SetColorEachPoint(value);
    if (value) Pointer()->SetColor(clDefault);
}

void TPointSeries::CreateSubGallery(const TChartSubGalleryProc& addSubChart) const {
    TCustomSeries::CreateSubGallery(addSubChart);
    for (const AnsiString* name :
         {&PlotMsg_Colors, &PlotMsg_Marks, &PlotMsg_Hollow, &PlotMsg_NoBorder, &PlotMsg_Gradient})
        addSubChart(*name);
    if (!CanDoExtra()) return;
    for (const AnsiString* name : {&PlotMsg_Point2D, &PlotMsg_Triangle, &PlotMsg_Star,
                                   &PlotMsg_Circle, &PlotMsg_DownTri, &PlotMsg_Cross,
                                   &PlotMsg_Diamond})
        addSubChart(*name);
}

void TPointSeries::SetSubGallery(int index) {
    TSeriesPointer* pointer = Pointer();
    switch (index) {
        case 1: SetColorEachPoint(true); break;
        case 2: Marks()->SetVisible(true); break;
        case 3: pointer->Brush()->SetStyle(bsClear); break;
        case 4: pointer->Frame()->SetVisible(false); break;
        case 5: pointer->Gradient()->SetVisible(true); break;
        case 6: pointer->SetDraw3D(false); break;
        case 7: pointer->SetStyle(psTriangle); break;
        case 8: pointer->SetStyle(psStar); break;
        case 9:
            pointer->SetStyle(psCircle);
            pointer->SetHorizSize(8);
            pointer->SetVertSize(8);
            break;
        case 10: pointer->SetStyle(psDownTriangle); break;
        case 11: pointer->SetStyle(psCross); break;
        case 12: pointer->SetStyle(psDiamond); break;
        default: TCustomSeries::SetSubGallery(index);
    }
}

void TPointSeries::PrepareForGallery(bool enabled) {
    TCustomSeries::PrepareForGallery(enabled);
    TCustomAxisPanel* chart = ParentChart();
    const int size = chart && chart->Width() < 50 ? 4 : 6;
    Pointer()->SetHorizSize(size);
    Pointer()->SetVertSize(size);
    if (chart && chart->SeriesList->IndexOf(this) == 1) Pointer()->SetStyle(psTriangle);
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

using CS = TCustomSeries;

TPropertyInfo BoolSetting(const char* name, bool (CS::*get)() const, void (CS::*set)(bool),
                          bool def) {
    return OrdinalProperty<CS>(name, pkBool, get, set, def ? 1 : 0);
}

TPropertyInfo SeriesSetting(const AnsiString& name) {
    if (name == "AreaBrush")
        return EnumProperty<CS>("AreaBrush", &CS::AreaBrush, &CS::SetAreaBrush, kBrushStyleNames,
                                bsSolid);
    if (name == "AreaChartBrush") return SubObjectProperty<CS>("AreaChartBrush", &CS::AreaChartBrush);
    if (name == "AreaColor")
        return OrdinalProperty<CS>("AreaColor", pkColor, &CS::AreaColor, &CS::SetAreaColor,
                                   clDefault);
    if (name == "AreaLinesPen") return SubObjectProperty<CS>("AreaLinesPen", &CS::AreaLinesPen);
    if (name == "Brush") return SubObjectProperty<CS>("Brush", &CS::Brush);
    if (name == "ClickableLine")
        return BoolSetting("ClickableLine", &CS::ClickableLine, &CS::SetClickableLine, true);
    if (name == "ColorEachLine")
        return BoolSetting("ColorEachLine", &CS::ColorEachLine, &CS::SetColorEachLine, true);
    if (name == "Dark3D") return BoolSetting("Dark3D", &CS::Dark3D, &CS::SetDark3D, true);
    if (name == "DrawArea") return BoolSetting("DrawArea", &CS::DrawArea, &CS::SetDrawArea, false);
    if (name == "Gradient") return SubObjectProperty<CS>("Gradient", &CS::Gradient);
    if (name == "InvertedStairs")
        return BoolSetting("InvertedStairs", &CS::InvertedStairs, &CS::SetInvertedStairs, false);
    if (name == "LineBrush")
        return EnumProperty<CS>("LineBrush", &CS::LineBrush, &CS::SetLineBrush, kBrushStyleNames,
                                bsSolid);
    if (name == "LineHeight")
        return OrdinalProperty<CS>("LineHeight", pkInteger, &CS::LineHeight, &CS::SetLineHeight, 0);
    if (name == "LinePen") return SubObjectProperty<CS>("LinePen", &CS::LinePen);
    if (name == "OutLine") return SubObjectProperty<CS>("OutLine", &CS::OutLine);
    if (name == "Pointer") return SubObjectProperty<CS>("Pointer", &CS::Pointer);
    if (name == "Shadow") return SubObjectProperty<CS>("Shadow", &CS::Shadow);
    if (name == "Stacked")
        return EnumProperty<CS>("Stacked", &CS::Stacked, &CS::SetStacked,
                                {"cssNone", "cssOverlap", "cssStack", "cssStack100"}, cssNone);
    if (name == "Stairs") return BoolSetting("Stairs", &CS::Stairs, &CS::SetStairs, false);
    if (name == "Transparency")
        return OrdinalProperty<CS>("Transparency", pkInteger, &CS::GetTransparency,
                                   &CS::SetTransparency, 0);
    throw EComponentError("No series property " + name);
}

const bool lineSeriesPropertiesRegistered = [] {
    PublishSeriesSettings(TLineSeries::StaticClass(),
                          {"Brush", "ClickableLine", "ColorEachLine", "Dark3D", "InvertedStairs",
                           "LineBrush", "LineHeight", "LinePen", "OutLine", "Pointer", "Shadow",
                           "Stacked", "Stairs"});
    PublishSeriesSettings(TPointSeries::StaticClass(),
                          {"ClickableLine", "Pointer", "Stacked", "Transparency"});
    return true;
}();

}  // namespace

void PublishSeriesSettings(const TMetaClass* seriesClass, std::initializer_list<const char*> names) {
    for (const char* name : names) RegisterProperty(seriesClass, SeriesSetting(name));
}
