#include "PlotShape.h"

#include <cmath>

#include "PlotBlend.h"
#include "PlotPanel.h"
#include "PlotPublished.h"
#include "cl_filer.h"

void RectToFourPoints(const TRect& rect, double angle, TFourPoints& points) {
    const TPoint center = RectCenter(rect);
    const double a = angle * PlotPiStep;
    const double s = std::sin(a), c = std::cos(a);
    const TPoint corners[4] = {{rect.Left, rect.Top},
                               {rect.Right, rect.Top},
                               {rect.Right, rect.Bottom},
                               {rect.Left, rect.Bottom}};
    for (int i = 0; i < 4; ++i) {
        const double dx = corners[i].X - center.X, dy = corners[i].Y - center.Y;
        points[i] = {center.X + PlotRound(dx * c + dy * s), center.Y + PlotRound(-dx * s + dy * c)};
    }
}

// ---------------------------------------------------------------------------------------------
// TPlotCustomShapeBrushPen

namespace {

TChartBrush* NewChartBrush(const TNotifyEvent& onChange) { return new TChartBrush(onChange); }

}  // namespace

TPlotCustomShapeBrushPen::TPlotCustomShapeBrushPen(TCustomPlotPanel* parent) {
    SetParent(parent);
    pen_ = new TChartPen(ChangeHandler());
}

TPlotCustomShapeBrushPen::~TPlotCustomShapeBrushPen() {
    TObject::Free(brush_);
    TObject::Free(pen_);
}

TNotifyEvent TPlotCustomShapeBrushPen::ChangeHandler() {
    return [this](TObject* sender) { CanvasChanged(sender); };
}

TChartBrushClass TPlotCustomShapeBrushPen::GetBrushClass() const { return NewChartBrush; }

TChartBrush* TPlotCustomShapeBrushPen::Brush() {
    if (!brush_) brush_ = GetBrushClass()(ChangeHandler());
    return brush_;
}

void TPlotCustomShapeBrushPen::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPlotCustomShapeBrushPen*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    Brush()->Assign(other->Brush());
    pen_->Assign(other->pen_);
    visible_ = other->visible_;
}

void TPlotCustomShapeBrushPen::SetVisible(bool value) {
    if (parent_)
        parent_->SetBooleanProperty(visible_, value);
    else
        visible_ = value;
}

void TPlotCustomShapeBrushPen::Repaint() {
    if (parent_) parent_->Invalidate();
}

void TPlotCustomShapeBrushPen::CanvasChanged(TObject*) { Repaint(); }

// ---------------------------------------------------------------------------------------------
// TPlotCustomShape

TPlotCustomShape::TPlotCustomShape(TCustomPlotPanel* parent) : TPlotCustomShapeBrushPen(parent) {
    font_ = new TPlotFont(ChangeHandler());
    shadow_ = new TPlotShadow(ChangeHandler());
    TPlotCustomShape::InitShadow(shadow_);
}

TPlotCustomShape::~TPlotCustomShape() {
    TObject::Free(font_);
    TObject::Free(shadow_);
    TObject::Free(gradient_);
}

TPlotGradientClass TPlotCustomShape::GetGradientClass() const { return TPlotGradient::Create; }

void TPlotCustomShape::InitShadow(TPlotShadow* shadow) {
    shadow->SetColor(clBlack);
    shadow->SetSize(3);
    shadow->ColorDefault = clBlack;
    shadow->SizeDefault = 3;
}

void TPlotCustomShape::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotCustomShape*>(source)) {
        bevel_ = other->bevel_;
        bevelWidth_ = other->bevelWidth_;
        color_ = other->color_;
        font_->Assign(other->font_);
        SetGradient(other->gradient_);
        shapeStyle_ = other->shapeStyle_;
        SetShadow(other->shadow_);
        textFormat_ = other->textFormat_;
        transparent_ = other->transparent_;
        transparency_ = other->transparency_;
    }
    TPlotCustomShapeBrushPen::Assign(source);
}

void TPlotCustomShape::SetBevel(TBevelCut value) {
    if (value == bevel_) return;
    bevel_ = value;
    Repaint();
}

void TPlotCustomShape::SetBevelWidth(int value) {
    if (value == bevelWidth_) return;
    bevelWidth_ = value;
    Repaint();
}

void TPlotCustomShape::SetShapeStyle(TChartObjectShapeStyle value) {
    if (value == shapeStyle_) return;
    shapeStyle_ = value;
    Repaint();
}

void TPlotCustomShape::SetTextFormat(TTextFormat value) {
    if (value == textFormat_) return;
    textFormat_ = value;
    Repaint();
}

void TPlotCustomShape::SetTransparency(int value) {
    if (value == transparency_) return;
    transparency_ = value;
    Repaint();
}

void TPlotCustomShape::SetColor(TColor value) {
    if (Parent())
        Parent()->SetColorProperty(color_, value);
    else
        color_ = value;
}

void TPlotCustomShape::SetTransparent(bool value) {
    if (Parent())
        Parent()->SetBooleanProperty(transparent_, value);
    else
        transparent_ = value;
}

TCustomPlotGradient* TPlotCustomShape::GetGradient() {
    if (!gradient_) gradient_ = GetGradientClass()(ChangeHandler());
    return gradient_;
}

void TPlotCustomShape::SetGradient(TCustomPlotGradient* gradient) {
    if (gradient)
        GetGradient()->Assign(gradient);
    else
        FreeAndNil(gradient_);
}

void TPlotCustomShape::SetShadow(TPlotShadow* shadow) {
    if (!shadow) {
        FreeAndNil(shadow_);
        return;
    }
    if (!shadow_) {
        shadow_ = new TPlotShadow(ChangeHandler());
        InitShadow(shadow_);
    }
    shadow_->Assign(shadow);
}

void TPlotCustomShape::SetShadowColor(TColor value) {
    if (shadow_) shadow_->SetColor(value);
}

void TPlotCustomShape::SetShadowSize(int value) {
    if (shadow_) shadow_->SetSize(value);
}

void TPlotCustomShape::DrawOutline(TPlotCanvas3D* canvas, const TRect& r, double angle, int z) {
    if (angle > 0) {
        TFourPoints points;
        RectToFourPoints(r, angle, points);
        canvas->Polygon(points.data(), 4);
    } else if (canvas->GetSupportsFullRotation()) {
        canvas->RectangleWithZ(r, z);
    } else if (shapeStyle_ == fosRectangle) {
        canvas->Rectangle(r);
    } else {
        canvas->RoundRect(r, 16, 16);
    }
}

void TPlotCustomShape::DrawRectRotated(const TRect& rect, double angle, int z) {
    if (transparent_ || !Parent()) return;
    TPlotCanvas3D* canvas = Parent()->InternalCanvas;
    TPlotBlend* blend = nullptr;
    if (transparency_ > 0) {
        TRect area = rect;
        if (angle != 0) {
            TFourPoints points;
            RectToFourPoints(rect, angle, points);
            area = RectFromPolygon(points.data(), 4);
        }
        blend = canvas->BeginBlending(area, transparency_);
    }
    if (shadow_ && shadow_->GetSize() != 0 && Brush()->Style() != bsClear) {
        if (angle == 0 && shapeStyle_ == fosRectangle) {
            const bool flat = !canvas->GetSupportsFullRotation();
            if (flat) canvas->FrontPlaneBegin();
            shadow_->Draw(canvas, rect, z);
            if (flat) canvas->FrontPlaneEnd();
        }
        if (transparency_ > 0) {
            int h = shadow_->HorizSize(), v = shadow_->VertSize();
            if (Max(h, v) > 0 && Pen()->Visible()) {
                h += Pen()->Width();
                v += Pen()->Width();
            }
            canvas->Pen()->SetStyle(psClear);
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(shadow_->Color());
            const TRect moved{rect.Left + h, rect.Top + v, rect.Right + h, rect.Bottom + v};
            TPlotBlend* shadowBlend = shadow_->Transparency() != 0
                                          ? canvas->BeginBlending(moved, shadow_->Transparency())
                                          : nullptr;
            DrawOutline(canvas, moved, angle, z);
            if (shadowBlend) canvas->EndBlending(shadowBlend);
        }
    }
    if (gradient_ && gradient_->Visible()) {
        if (angle > 0) {
            TFourPoints points;
            RectToFourPoints(rect, angle, points);
            if (canvas->GetSupportsFullRotation())
                gradient_->Draw(static_cast<TCanvas3D*>(canvas), points, z);
            else
                gradient_->Draw(static_cast<TPlotCanvas*>(canvas), points);
        } else {
            gradient_->Draw(canvas, rect, shapeStyle_ == fosRoundRectangle ? 16 : 0);
        }
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->AssignBrush(Brush(), color_);
    }
    canvas->AssignVisiblePen(Pen());
    DrawOutline(canvas, rect, angle, z);
    if (angle == 0) {
        TRect bevelRect = rect;
        DrawBevel(canvas, bevel_, bevelRect, bevelWidth_, 0);
    }
    if (blend) canvas->EndBlending(blend);
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TPlotCustomShape::DefineProperties(TFiler* filer) {
    TPlotCustomShapeBrushPen::DefineProperties(filer);
    filer->DefineProperty(
        "ShadowColor",
        [this](TReader* reader) {
            if (reader->NextValue() != vaIdent) return SetShadowColor(reader->ReadInteger());
            const AnsiString ident = reader->ReadIdent();
            TColor color = clNone;
            if (!IdentToColor(ident, color)) throw EConvertError("Invalid colour " + ident);
            SetShadowColor(color);
        },
        nullptr, false);
    filer->DefineProperty(
        "ShadowSize", [this](TReader* reader) { SetShadowSize(reader->ReadInteger()); }, nullptr,
        false);
}

namespace {

// The framed shape's published properties, for the component streams.
const bool shapePropertiesRegistered = [] {
    PublishShape(TPlotShape::StaticClass(), {"Bevel", "BevelWidth", "Color", "Font", "Gradient",
                                             "Shadow", "ShapeStyle", "Transparent"});
    return true;
}();

}  // namespace
