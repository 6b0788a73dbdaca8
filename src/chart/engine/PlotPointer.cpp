#include "PlotPointer.h"

#include "PlotAxisPanel.h"
#include "PlotBlend.h"
#include "PlotMarks.h"
#include "PlotPublished.h"
#include "Plotconst.h"

using namespace Plotconst;

bool PlotCheckMarkArrowColor = false;

namespace {

TCustomAxisPanel* ChartOf(TChartSeries* series) { return series ? series->ParentChart() : nullptr; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TSeriesPointer

TSeriesPointer::TSeriesPointer(TChartSeries* series)
    : TPlotCustomShapeBrushPen(ChartOf(series)), ownerSeries_(series) {
    gradient_ = new TPlotGradient(ChangeHandler());
}

TSeriesPointer::~TSeriesPointer() { TObject::Free(gradient_); }

void TSeriesPointer::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TSeriesPointer*>(source)) {
        dark3D_ = other->dark3D_;
        draw3D_ = other->draw3D_;
        gradient_->Assign(other->gradient_);
        horizSize_ = other->horizSize_;
        inflateMargins_ = other->inflateMargins_;
        style_ = other->style_;
        transparency_ = other->transparency_;
        vertSize_ = other->vertSize_;
    }
    TPlotCustomShapeBrushPen::Assign(source);
}

void TSeriesPointer::SetIntegerOption(int& field, int value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TSeriesPointer::SetBooleanOption(bool& field, bool value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TSeriesPointer::SetHorizSize(int value) {
    if (value <= 0) throw ChartException(PlotMsg_CheckPointerSize);
    SetIntegerOption(horizSize_, value);
}

void TSeriesPointer::SetVertSize(int value) {
    if (value <= 0) throw ChartException(PlotMsg_CheckPointerSize);
    SetIntegerOption(vertSize_, value);
}

void TSeriesPointer::SetSize(int value) {
    SetHorizSize(value);
    SetVertSize(value);
}

void TSeriesPointer::SetStyle(TSeriesPointerStyle value) {
    if (value == style_) return;
    style_ = value;
    Repaint();
}

void TSeriesPointer::SetInflate(bool value) { SetBooleanOption(inflateMargins_, value); }

void TSeriesPointer::SetDark3D(bool value) { SetBooleanOption(dark3D_, value); }

void TSeriesPointer::SetDraw3D(bool value) { SetBooleanOption(draw3D_, value); }

void TSeriesPointer::SetTransparency(int value) { SetIntegerOption(transparency_, value); }

int TSeriesPointer::GetStartZ() const { return ownerSeries_ ? ownerSeries_->StartZ : 0; }

int TSeriesPointer::GetMiddleZ() const { return ownerSeries_ ? ownerSeries_->MiddleZ : 0; }

int TSeriesPointer::GetEndZ() const { return ownerSeries_ ? ownerSeries_->EndZ : 0; }

void TSeriesPointer::CalcHorizMargins(int& left, int& right) {
    if (!Visible() || !inflateMargins_) return;
    left = Max(left, horizSize_ + 1);
    right = Max(right, horizSize_ + 1);
}

void TSeriesPointer::CalcVerticalMargins(int& top, int& bottom) {
    if (!Visible() || !inflateMargins_) return;
    top = Max(top, vertSize_ + 1);
    bottom = Max(bottom, vertSize_ + 1);
}

void TSeriesPointer::Prepare() { PrepareCanvas(Parent()->InternalCanvas, GetColor()); }

void TSeriesPointer::PrepareCanvas(TCanvas3D* canvas, TColor color) {
    if (Pen()->Visible()) {
        if (Pen()->Color() == clDefault)
            canvas->AssignVisiblePenColor(Pen(), color);
        else
            canvas->AssignVisiblePen(Pen());
    } else if (canvas->Pen()->Style() != psClear) {
        canvas->Pen()->SetStyle(psClear);
    }
    TColor brushColor = Brush()->Color();
    if (brushColor == clDefault) brushColor = Brush()->Style() != bsSolid ? clBlack : color;
    canvas->AssignBrushColor(Brush(), brushColor, color);
}

void TSeriesPointer::Draw(int x, int y, TColor color, TSeriesPointerStyle style) {
    DrawPointer(Parent()->InternalCanvas, Parent()->View3D(), x, y, horizSize_, vertSize_, color,
                style);
}

void TSeriesPointer::DrawPointer(TCanvas3D* canvas, bool is3D, int x, int y, int horizSize,
                                 int vertSize, TColor color, TSeriesPointerStyle style) {
    TPlotBlend* blend = nullptr;
    if (transparency_ > 0) {
        TRect r(x - horizSize, y - vertSize, x + horizSize + 1, y + vertSize + 1);
        if (style == psRectangle && is3D && draw3D_ && Parent() &&
            Parent()->View3DOptions()->Orthogonal()) {
            const int depth = GetEndZ() - GetStartZ();
            r.Right += depth;
            r.Top -= depth;
        }
        blend = canvas->BeginBlending(canvas->RectFromRectZ(r, GetStartZ()), transparency_);
    }
    DrawShape(canvas, is3D, x, y, horizSize, vertSize, style);
    if (gradient_->Visible()) DrawGradient(canvas, is3D, x, y, horizSize, vertSize, color, style);
    if (blend) canvas->EndBlending(blend);
}

void TSeriesPointer::DrawShape(TCanvas3D* canvas, bool is3D, int x, int y, int h, int v,
                               TSeriesPointerStyle style) {
    const int left = x - h, right = x + h, top = y - v, bottom = y + v;
    const int z = GetStartZ();
    const bool solid = is3D && draw3D_;
    auto polygon = [&](const TPoint* points, int count) {
        if (is3D)
            canvas->PolygonWithZ(points, count, z);
        else
            canvas->Polygon(points, count);
    };
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (is3D)
            canvas->LineWithZ(x0, y0, x1, y1, z);
        else
            canvas->Line(x0, y0, x1, y1);
    };
    auto cross = [&]() {
        line(x, top, x, bottom + 1);
        line(left, y, right + 1, y);
    };
    auto diagonalCross = [&]() {
        line(left, top, right + 1, bottom + 1);
        line(right, top, left - 1, bottom + 1);
    };
    switch (style) {
        case psRectangle:
            if (solid)
                canvas->Cube(left, right, top, bottom, z, GetEndZ(), dark3D_);
            else if (is3D)
                canvas->RectangleWithZ(TRect(left, top, right + 1, bottom + 1), z);
            else
                canvas->Rectangle(left, top, right + 1, bottom + 1);
            break;
        case psCircle:
            if (solid && canvas->GetSupportsFullRotation())
                canvas->Sphere(x, y, GetMiddleZ(), h);
            else if (is3D)
                canvas->EllipseWithZ(left, top, right, bottom, z);
            else
                canvas->Ellipse(left, top, right, bottom);
            break;
        case psTriangle:
        case psDownTriangle: {
            const int d = style == psDownTriangle ? -v : v;
            if (solid) {
                canvas->Pyramid(true, left, y - d, right, y + d, z, GetEndZ(), dark3D_);
            } else {
                const TPoint points[3] = {{left, y + d}, {right, y + d}, {x, y - d}};
                polygon(points, 3);
            }
            break;
        }
        case psCross:
            cross();
            break;
        case psDiagCross:
            diagonalCross();
            break;
        case psStar:
            cross();
            diagonalCross();
            break;
        case psDiamond: {
            const TPoint points[4] = {{left, y}, {x, top}, {right, y}, {x, bottom}};
            polygon(points, 4);
            break;
        }
        case psSmallDot:
            if (is3D)
                canvas->SetPixel3D(x, y, GetMiddleZ(), canvas->Brush()->Color());
            else
                canvas->SetPixel(x, y, canvas->Brush()->Color());
            break;
        case psNothing:
            break;
        case psLeftTriangle: {
            const TPoint points[3] = {{left, y}, {right, bottom}, {right, top}};
            polygon(points, 3);
            break;
        }
        case psRightTriangle: {
            const TPoint points[3] = {{right, y}, {left, bottom}, {left, top}};
            polygon(points, 3);
            break;
        }
    }
}

void TSeriesPointer::DrawGradient(TCanvas3D* canvas, bool is3D, int x, int y, int h, int v,
                                  TColor color, TSeriesPointerStyle style) {
    if (!KeepGradientColors) {
        TCustomPlotPanel* chart = Parent();
        const bool repaint = chart ? chart->RepaintEnabled : false;
        if (chart) chart->RepaintEnabled = false;
        gradient_->SetEndColor(color);
        if (chart) chart->RepaintEnabled = repaint;
    }
    const int left = x - h, right = x + h, top = y - v, bottom = y + v;
    const int z = GetStartZ();
    const int penWidth = Pen()->Width();
    TRect g(left + penWidth, top + penWidth, right, bottom);
    const bool orthogonal = !Parent() || Parent()->View3DOptions()->Orthogonal();
    if (style == psRectangle && is3D && !orthogonal) {
        g.Right -= penWidth;
        g.Bottom -= penWidth;
        TFourPoints points = canvas->FourPointsFromRect(g, z);
        gradient_->Draw(static_cast<TPlotCanvas*>(canvas), points);
        return;
    }
    if (is3D) g = canvas->CalcRect3D(g, z);
    auto project = [&](TPoint p) { return is3D ? canvas->Calculate3DPosition(p, z) : p; };
    auto clippedTriangle = [&](TPoint a, TPoint b, TPoint c) {
        TPoint points[3] = {project(a), project(b), project(c)};
        const TRect bounds = RectFromPolygon(points, 3);
        canvas->ClipPolygon(points, 3);
        gradient_->Draw(canvas, bounds);
        canvas->UnClipRectangle();
    };
    switch (style) {
        case psRectangle:
            canvas->ClipRectangle(g);
            gradient_->Draw(canvas, g);
            canvas->UnClipRectangle();
            break;
        case psCircle:
            canvas->ClipEllipse(g);
            gradient_->Draw(canvas, g);
            canvas->UnClipRectangle();
            break;
        case psTriangle:
        case psDownTriangle: {
            if (is3D && draw3D_) break;
            const int d = style == psDownTriangle ? -v : v;
            clippedTriangle({left, y + d}, {right, y + d}, {x, y - d});
            break;
        }
        case psLeftTriangle:
            clippedTriangle({left, y}, {right, bottom}, {right, top});
            break;
        case psRightTriangle:
            clippedTriangle({right, y}, {left, bottom}, {left, top});
            break;
        case psDiamond: {
            TFourPoints points = {project({left, y}), project({x, top}), project({right, y}),
                                  project({x, bottom})};
            gradient_->Draw(static_cast<TPlotCanvas*>(canvas), points);
            break;
        }
        default:
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// TCallout

TCallout::TCallout(TChartSeries* series) : TSeriesPointer(series) {
    arrow_ = new TWhitePen(ChangeHandler());
    SetInflate(true);
    KeepGradientColors = true;
    ChangeStyle(psRectangle);
    SetVisible(true);
    Change3D(false);
    Brush()->SetColor(clBlack);
}

TCallout::~TCallout() { TObject::Free(arrow_); }

void TCallout::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCallout*>(source)) {
        distance_ = other->distance_;
        arrow_->Assign(other->arrow_);
        arrowHead_ = other->arrowHead_;
        arrowHeadSize_ = other->arrowHeadSize_;
    }
    TSeriesPointer::Assign(source);
}

void TCallout::SetArrowHead(TArrowHeadStyle value) {
    if (value == arrowHead_) return;
    arrowHead_ = value;
    Repaint();
}

void TCallout::Draw(TColor color, const TPoint& from, const TPoint& to, int z) {
    TCustomPlotPanel* chart = Parent();
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    if (arrow_->Visible()) {
        canvas->Brush()->SetStyle(bsClear);
        Prepare();
        const TColor arrowColor = arrow_->Color();
        if (PlotCheckMarkArrowColor && (arrowColor == color || arrowColor == chart->Color()))
            canvas->AssignVisiblePenColor(arrow_, chart->Color() == clBlack ? clWhite : clBlack);
        else
            canvas->AssignVisiblePen(arrow_);
        switch (arrowHead_) {
            case ahLine:
                canvas->Arrow(false, to, from, arrowHeadSize_, arrowHeadSize_, z);
                break;
            case ahSolid:
                canvas->Arrow(true, to, from, arrowHeadSize_, arrowHeadSize_, z);
                break;
            case ahNone:
                if (chart->View3D())
                    canvas->LineWithZ(from, to, z);
                else
                    canvas->Line(from, to);
                break;
        }
    }
    if (arrowHead_ != ahNone || !Visible()) return;
    Prepare();
    const TPoint at = chart->View3D() ? canvas->Calculate3DPosition(from, z) : from;
    DrawPointer(canvas, false, at.X, at.Y, HorizSize(), VertSize(), GetColor(), Style());
}

// ---------------------------------------------------------------------------------------------
// TMarksCallout

TMarksCallout::TMarksCallout(TChartSeries* series) : TCallout(series) {
    SetVisible(false);
    Arrow()->SetColor(clWhite);
}

void TMarksCallout::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TMarksCallout*>(source)) length_ = other->length_;
    TCallout::Assign(source);
}

void TMarksCallout::SetLength(int value) {
    if (OwnerSeries())
        OwnerSeries()->SetIntegerProperty(length_, value);
    else
        length_ = value;
}

void TMarksCallout::ApplyArrowLength(TSeriesMarkPosition* position) {
    const int d = Distance();
    position->DataPoint.Y -= d;
    position->MarkPoint.Y -= Length() + d;
    position->BoxOrigin.Y -= Length() + d;
}

namespace {

// The published properties of the point symbol and the callouts, for the component streams.
const bool pointerPropertiesRegistered = [] {
    using P = TSeriesPointer;
    const TMetaClass* pointer = P::StaticClass();
    RegisterProperty(pointer, SubObjectProperty<P>("Brush", &P::Brush));
    RegisterProperty(pointer, OrdinalProperty<P>("Dark3D", pkBool, &P::Dark3D, &P::SetDark3D, 1));
    RegisterProperty(pointer, OrdinalProperty<P>("Draw3D", pkBool, &P::Draw3D, &P::SetDraw3D, 1));
    RegisterProperty(pointer, SubObjectProperty<P>("Gradient", &P::Gradient));
    RegisterProperty(pointer, OrdinalProperty<P>("HorizSize", pkInteger, &P::HorizSize,
                                                 &P::SetHorizSize, 4));
    RegisterProperty(pointer, OrdinalProperty<P>("InflateMargins", pkBool, &P::InflateMargins,
                                                 &P::SetInflate, 1));
    RegisterProperty(pointer, SubObjectProperty<P>("Pen", &P::Pen));
    RegisterProperty(pointer, EnumProperty<P>("Style", &P::Style, &P::SetStyle,
                                              {"psRectangle", "psCircle", "psTriangle",
                                               "psDownTriangle", "psCross", "psDiagCross",
                                               "psStar", "psDiamond", "psSmallDot", "psNothing",
                                               "psLeftTriangle", "psRightTriangle"},
                                              psRectangle));
    RegisterProperty(pointer, OrdinalProperty<P>("Transparency", pkInteger, &P::Transparency,
                                                 &P::SetTransparency, 0));
    RegisterProperty(pointer, OrdinalProperty<P>("VertSize", pkInteger, &P::VertSize,
                                                 &P::SetVertSize, 4));
    RegisterProperty(pointer, OrdinalProperty<P>("Visible", pkBool, &P::Visible, &P::SetVisible,
                                                 1));

    using C = TCallout;
    const TMetaClass* callout = C::StaticClass();
    RegisterProperty(callout, SubObjectProperty<C>("Arrow", &C::Arrow));
    RegisterProperty(callout, EnumProperty<C>("ArrowHead", &C::ArrowHead, &C::SetArrowHead,
                                              {"ahNone", "ahLine", "ahSolid"}, ahNone));
    RegisterProperty(callout, OrdinalProperty<C>("ArrowHeadSize", pkInteger, &C::ArrowHeadSize,
                                                 &C::SetArrowHeadSize, 8));
    RegisterProperty(callout, OrdinalProperty<C>("Distance", pkInteger, &C::Distance,
                                                 &C::SetDistance, 0));
    RegisterProperty(callout, OrdinalProperty<P>("Draw3D", pkBool, &P::Draw3D, &P::SetDraw3D, 0));

    using M = TMarksCallout;
    const TMetaClass* marksCallout = M::StaticClass();
    RegisterProperty(marksCallout,
                     StoredWhen<M>(OrdinalProperty<M>("Length", pkInteger, &M::Length,
                                                      &M::SetLength),
                                   [](M* m) { return m->IsLengthStored(); }));
    RegisterProperty(marksCallout, OrdinalProperty<P>("Visible", pkBool, &P::Visible,
                                                      &P::SetVisible, 0));
    return true;
}();

}  // namespace
