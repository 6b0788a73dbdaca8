#include "PlotGradient.h"

#include "PlotPublished.h"

#include <cmath>

#include "PlotCanvas.h"

namespace {

TColor Grey(TColor color) {
    const TColor c = ColorToRGB(color);
    const int g = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
    return PlotRGB(g, g, g);
}

int BalancedChannel(int from, int delta, int k, int last, int balance) {
    if (balance == 50) return from + k * delta / last;
    const double x = std::pow(static_cast<double>(k + 1) / (last + 1), balance * 0.015 + 0.5);
    return from + PlotRound(x * delta);
}

}  // namespace

TColor PlotGradientColor(TColor c0, TColor c1, int k, int last, int balance) {
    if (last <= 0) return c0;
    auto channel = [&](int (*of)(TColor)) {
        return BalancedChannel(of(c0), of(c1) - of(c0), k, last, balance) & 0xFF;
    };
    return PlotRGB(channel(RedOf), channel(GreenOf), channel(BlueOf));
}

TCustomPlotGradient::TCustomPlotGradient(const TNotifyEvent& onChange) : OnChange(onChange) {}

TCustomPlotGradient* TCustomPlotGradient::Create(const TNotifyEvent& onChange) {
    return new TCustomPlotGradient(onChange);
}

TCustomPlotGradient* TPlotGradient::Create(const TNotifyEvent& onChange) {
    return new TPlotGradient(onChange);
}

void TCustomPlotGradient::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomPlotGradient*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    balance_ = other->balance_;
    direction_ = other->direction_;
    endColor_ = other->endColor_;
    midColor_ = other->midColor_;
    radialX_ = other->radialX_;
    radialY_ = other->radialY_;
    startColor_ = other->startColor_;
    visible_ = other->visible_;
    hasMidColor_ = other->hasMidColor_;
}

void TCustomPlotGradient::DoChanged() {
    if (OnChange) OnChange(this);
}

void TCustomPlotGradient::SetIntegerProperty(int& field, int value) {
    if (field == value) return;
    field = value;
    DoChanged();
}

void TCustomPlotGradient::SetDirection(TGradientDirection value) {
    if (value == direction_) return;
    direction_ = value;
    DoChanged();
}

void TCustomPlotGradient::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    DoChanged();
}

void TCustomPlotGradient::SetMidColor(TColor value) {
    if (hasMidColor_) {
        if (value == clNone) {
            hasMidColor_ = false;
            DoChanged();
        } else {
            SetIntegerProperty(midColor_, value);
        }
        return;
    }
    if (value == clNone) return;
    hasMidColor_ = true;
    midColor_ = value;
    DoChanged();
}

void TCustomPlotGradient::UseMiddleColor() {
    if (hasMidColor_) return;
    hasMidColor_ = true;
    DoChanged();
}

void TCustomPlotGradient::Draw(TPlotCanvas* canvas, const TRect& rect, int cornerSize) {
    const bool mono = canvas->GetMonochrome();
    const TColor start = mono ? Grey(startColor_) : startColor_;
    const TColor end = mono ? Grey(endColor_) : endColor_;
    const TColor mid = mono ? Grey(midColor_) : midColor_;
    if (cornerSize > 0) canvas->ClipRectangle(rect, cornerSize);
    const bool linear = direction_ == gdTopBottom || direction_ == gdBottomTop ||
                        direction_ == gdLeftRight || direction_ == gdRightLeft;
    if (direction_ == gdRadial) {
        DrawRadial(canvas, rect);
    } else if (hasMidColor_ && linear) {
        const TRect r = rect;
        const int midY = (r.Top + r.Bottom) / 2, midX = (r.Left + r.Right) / 2;
        const TRect top{r.Left, r.Top, r.Right, midY}, bottom{r.Left, midY, r.Right, r.Bottom};
        const TRect left{r.Left, r.Top, midX, r.Bottom}, right{midX, r.Top, r.Right, r.Bottom};
        switch (direction_) {
            case gdTopBottom:
                canvas->GradientFill(top, mid, end, direction_, 50);
                canvas->GradientFill(bottom, start, mid, direction_, 50);
                break;
            case gdBottomTop:
                canvas->GradientFill(top, start, mid, direction_, 50);
                canvas->GradientFill(bottom, mid, end, direction_, 50);
                break;
            case gdLeftRight:
                canvas->GradientFill(left, mid, end, direction_, 50);
                canvas->GradientFill(right, start, mid, direction_, 50);
                break;
            default:
                canvas->GradientFill(left, start, mid, direction_, 50);
                canvas->GradientFill(right, mid, end, direction_, 50);
                break;
        }
    } else if (hasMidColor_ && (direction_ == gdFromCenter || direction_ == gdFromTopLeft ||
                                direction_ == gdFromBottomLeft)) {
        canvas->GradientFill(rect, start, end, direction_, 50);
    } else {
        canvas->GradientFill(rect, start, end, direction_, balance_);
    }
    if (cornerSize > 0) canvas->UnClipRectangle();
}

void TCustomPlotGradient::Draw(TPlotCanvas* canvas, TFourPoints& points) {
    const TRect bounds = RectFromPolygon(points.data(), 4);
    canvas->ClipPolygon(points.data(), 4);
    Draw(canvas, bounds, 0);
    canvas->UnClipRectangle();
}

void TCustomPlotGradient::Draw(TCanvas3D* canvas, const TFourPoints& points, int z) {
    TFourPoints projected;
    for (int i = 0; i < 4; ++i) projected[i] = canvas->Calculate3DPosition(points[i], z);
    Draw(static_cast<TPlotCanvas*>(canvas), projected);
}

void TCustomPlotGradient::Draw(TCanvas3D* canvas, TPointArray& points, int z, bool project) {
    const TRect bounds = PolygonBounds(points);
    if (project) {
        TPointArray projected(points.size());
        for (size_t i = 0; i < points.size(); ++i)
            projected[i] = canvas->Calculate3DPosition(points[i], z);
        const TRect fill = canvas->CalcRect3D(bounds, z);
        canvas->ClipPolygon(projected.data(), static_cast<int>(projected.size()));
        Draw(static_cast<TPlotCanvas*>(canvas), fill, 0);
    } else {
        canvas->ClipPolygon(points.data(), static_cast<int>(points.size()));
        Draw(static_cast<TPlotCanvas*>(canvas), bounds, 0);
    }
    canvas->UnClipRectangle();
}

void TCustomPlotGradient::DrawRadial(TPlotCanvas* canvas, const TRect& rect) {
    const TRect r = OrientRectangle(rect);
    const int w = r.Width(), h = r.Height();
    const int m = Min(255, Max(w, h));
    if (m <= 0) return;
    const bool mono = canvas->GetMonochrome();
    const TColor start = ColorToRGB(mono ? Grey(startColor_) : startColor_);
    const TColor end = ColorToRGB(mono ? Grey(endColor_) : endColor_);
    const double u = 1.0 / m, stepX = w * 0.5 * u, stepY = h * 0.5 * u;
    canvas->ClipRectangle(r);
    TPen* pen = canvas->Pen();
    TBrush* brush = canvas->Brush();
    const TPenStyle penStyle = pen->Style();
    const TColor brushColor = brush->Color();
    const TBrushStyle brushStyle = brush->Style();
    struct Restore {
        TPlotCanvas* canvas;
        TPenStyle penStyle;
        TColor brushColor;
        TBrushStyle brushStyle;
        ~Restore() {
            canvas->Pen()->SetStyle(penStyle);
            canvas->Brush()->SetColor(brushColor);
            canvas->Brush()->SetStyle(brushStyle);
            canvas->UnClipRectangle();
        }
    } restore{canvas, penStyle, brushColor, brushStyle};
    pen->SetStyle(psClear);
    brush->SetStyle(bsSolid);
    brush->SetColor(end);
    canvas->FillRect(r);
    const int n = (w % 2 != 0 || h % 2 != 0) ? m - 1 : m;
    const double cx = (radialX_ + 1) + (r.Left + r.Right) * 0.5;
    const double cy = (radialY_ + 1) + (r.Top + r.Bottom) * 0.5;
    for (int k = n; k >= 0; --k) {
        TColor color;
        if (balance_ == 50) {
            auto channel = [&](int (*of)(TColor)) {
                return (of(start) + PlotRound(k * (of(end) - of(start)) * u)) & 0xFF;
            };
            color = PlotRGB(channel(RedOf), channel(GreenOf), channel(BlueOf));
        } else {
            color = PlotGradientColor(start, end, k, n, balance_);
        }
        brush->SetColor(color);
        canvas->Ellipse(PlotRound(cx - k * stepX), PlotRound(cy - k * stepY),
                        PlotRound(cx + k * stepX), PlotRound(cy + k * stepY));
    }
}

void TPlotFontGradient::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotFontGradient*>(source)) outline_ = other->outline_;
    TPlotGradient::Assign(source);
}

void TPlotFontGradient::SetOutline(bool value) {
    if (value == outline_) return;
    outline_ = value;
    DoChanged();
}

namespace {

// The gradients' published properties, for the component streams.
const bool gradientPropertiesRegistered = [] {
    using G = TCustomPlotGradient;
    const TMetaClass* gradient = TPlotGradient::StaticClass();
    RegisterProperty(gradient, OrdinalProperty<G>("Balance", pkInteger, &G::Balance,
                                                  &G::SetBalance, 50));
    RegisterProperty(gradient, EnumProperty<G>("Direction", &G::Direction, &G::SetDirection,
                                               kGradientDirectionNames, gdTopBottom));
    RegisterProperty(gradient, OrdinalProperty<G>("EndColor", pkColor, &G::EndColor,
                                                  &G::SetEndColor, clYellow));
    RegisterProperty(gradient, OrdinalProperty<G>("MidColor", pkColor, &G::GetMidColor,
                                                  &G::SetMidColor, clNone));
    RegisterProperty(gradient, OrdinalProperty<G>("RadialX", pkInteger, &G::RadialX,
                                                  &G::SetRadialX, 0));
    RegisterProperty(gradient, OrdinalProperty<G>("RadialY", pkInteger, &G::RadialY,
                                                  &G::SetRadialY, 0));
    RegisterProperty(gradient, OrdinalProperty<G>("StartColor", pkColor, &G::StartColor,
                                                  &G::SetStartColor, clWhite));
    RegisterProperty(gradient, OrdinalProperty<G>("Visible", pkBool, &G::Visible,
                                                  &G::SetVisible, 0));
    RegisterProperty(TPlotFontGradient::StaticClass(),
                     OrdinalProperty<TPlotFontGradient>("Outline", pkBool,
                                                        &TPlotFontGradient::Outline,
                                                        &TPlotFontGradient::SetOutline, 0));
    return true;
}();

}  // namespace
