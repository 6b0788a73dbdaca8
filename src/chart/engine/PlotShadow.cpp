#include "PlotShadow.h"

#include "PlotPublished.h"

#include "PlotBlend.h"
#include "PlotCanvas.h"
#include "PlotGradient.h"

TPlotShadow::TPlotShadow(const TNotifyEvent& onChange) : OnChange(onChange) {}

TPlotShadow::~TPlotShadow() { TObject::Free(blend_); }

void TPlotShadow::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPlotShadow*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    color_ = other->color_;
    horizSize_ = other->horizSize_;
    smooth_ = other->smooth_;
    transparency_ = other->transparency_;
    vertSize_ = other->vertSize_;
}

void TPlotShadow::Changed() {
    if (OnChange) OnChange(this);
}

void TPlotShadow::SetIntegerProperty(int& field, int value) {
    if (field == value) return;
    field = value;
    Changed();
}

void TPlotShadow::SetSmooth(bool value) {
    if (value == smooth_) return;
    smooth_ = value;
    Changed();
}

void TPlotShadow::SetSize(int value) {
    if (horizSize_ == value && vertSize_ == value) return;
    horizSize_ = vertSize_ = value;
    Changed();
}

bool TPlotShadow::PrepareCanvas(TCanvas3D* canvas, const TRect& rect, int z) {
    if (color_ == clNone || (horizSize_ == 0 && vertSize_ == 0)) return false;
    canvas->Brush()->SetColor(color_);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psClear);
    if (transparency_ != 0) {
        const TRect shifted{rect.Left + horizSize_, rect.Top + vertSize_, rect.Right + horizSize_,
                            rect.Bottom + vertSize_};
        blend_ = canvas->BeginBlending(canvas->RectFromRectZ(shifted, z), transparency_);
    }
    return true;
}

void TPlotShadow::FinishBlending(TPlotCanvas* canvas) {
    if (transparency_ == 0 || !blend_) return;
    TPlotBlend* blend = blend_;
    blend_ = nullptr;
    canvas->EndBlending(blend);
}

void TPlotShadow::Draw(TCanvas3D* canvas, const TRect& rect, int z) {
    if (!PrepareCanvas(canvas, rect, z)) return;
    if (smooth_ && GetSize() >= 2)
        DrawSmooth(canvas, rect);
    else
        DrawFlat(canvas, rect, z);
    FinishBlending(canvas);
}

void TPlotShadow::DrawSmooth(TCanvas3D* canvas, const TRect& r) {
    const int h = horizSize_, v = vertSize_;
    TPen* pen = canvas->Pen();
    pen->SetStyle(psSolid);
    const TColor base = ColorToRGB(color_);
    const int average = (RedOf(base) + GreenOf(base) + BlueOf(base)) / 3;
    if (v > 0) {
        const int q = PlotRound(static_cast<double>(255 - average) / v);
        pen->SetColor(color_);
        for (int i = 1; i <= v; ++i) {
            canvas->DoHorizLine(r.Left + h, r.Right + h - v + i - 1, r.Bottom + i - 1);
            pen->SetColor(ApplyBright(pen->Color(), static_cast<uint8_t>(Min(q, 255))));
        }
    }
    if (h > 0) {
        const int q = PlotRound(static_cast<double>(255 - average) / h);
        pen->SetColor(color_);
        for (int i = 1; i <= h; ++i) {
            canvas->DoVertLine(r.Right + i - 1, r.Top + v, r.Bottom + v - h + i - 1);
            canvas->SetPixel(r.Right + i - 2, r.Bottom + v - h + i - 2, pen->Color());
            pen->SetColor(ApplyBright(pen->Color(), static_cast<uint8_t>(Min(q, 255))));
        }
    }
}

void TPlotShadow::DrawFlat(TCanvas3D* canvas, const TRect& r, int z) {
    const int h = horizSize_, v = vertSize_;
    if (canvas->RotationLock == 0) {
        canvas->RectangleWithZ({r.Left + h, r.Bottom, r.Right + h, r.Bottom + v}, z);
        canvas->RectangleWithZ({r.Right, r.Top + v, r.Right + h, r.Bottom + v}, z);
        return;
    }
    if (v != 0) {
        if (v > 0)
            canvas->Rectangle(r.Left + h, r.Bottom, r.Right + h, r.Bottom + 1 + v);
        else
            canvas->Rectangle(r.Left + h, r.Top + 1, r.Right + h, r.Top + v);
    }
    if (h != 0) {
        if (h > 0)
            canvas->Rectangle(r.Right, r.Top + v, r.Right + 1 + h, r.Bottom + v + 1);
        else
            canvas->Rectangle(r.Left + 1, r.Top + v, r.Left + h, r.Bottom + v + 1);
    }
}

void TPlotShadow::DrawEllipse(TCanvas3D* canvas, const TRect& rect, int z) {
    if (!PrepareCanvas(canvas, rect, z)) return;
    const TRect shifted{rect.Left + horizSize_, rect.Top + vertSize_, rect.Right + horizSize_,
                        rect.Bottom + vertSize_};
    if (smooth_) {
        const TRect projected = canvas->CalcRect3D(shifted, z);
        canvas->ClipEllipse(projected);
        TCustomPlotGradient gradient;
        gradient.SetStartColor(ApplyDark(color_, 128));
        gradient.SetEndColor(ApplyBright(color_, 32));
        gradient.DrawRadial(canvas, projected);
        canvas->UnClipRectangle();
    } else {
        canvas->EllipseWithZ(shifted.Left, shifted.Top, shifted.Right, shifted.Bottom, z);
    }
    FinishBlending(canvas);
}

namespace {

// The shadow's published properties, for the component streams.
const bool shadowPropertiesRegistered = [] {
    using S = TPlotShadow;
    const TMetaClass* shadow = S::StaticClass();
    RegisterProperty(shadow, StoredWhen<S>(OrdinalProperty<S>("Color", pkColor, &S::Color,
                                                              &S::SetColor),
                                           [](S* s) { return s->IsColorStored(); }));
    RegisterProperty(shadow, StoredWhen<S>(OrdinalProperty<S>("HorizSize", pkInteger,
                                                              &S::HorizSize, &S::SetHorizSize),
                                           [](S* s) { return s->IsHorizStored(); }));
    RegisterProperty(shadow, OrdinalProperty<S>("Smooth", pkBool, &S::Smooth, &S::SetSmooth, 1));
    RegisterProperty(shadow, OrdinalProperty<S>("Transparency", pkInteger, &S::Transparency,
                                                &S::SetTransparency, 0));
    RegisterProperty(shadow, StoredWhen<S>(OrdinalProperty<S>("VertSize", pkInteger,
                                                              &S::VertSize, &S::SetVertSize),
                                           [](S* s) { return s->IsVertStored(); }));
    return true;
}();

}  // namespace
