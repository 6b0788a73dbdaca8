// Colour gradients of chart backgrounds, walls, shapes and texts: the persistent gradient
// options and their drawing through the chart canvas (linear, with a middle colour, radial).
#pragma once

#include "PlotGeometry.h"
#include "cl_component.h"

class TPlotCanvas;
class TCanvas3D;
class TCustomPlotGradient;

// A gradient class reference: owners create the class they are given.
using TPlotGradientClass = TCustomPlotGradient* (*)(const TNotifyEvent& onChange);

class TCustomPlotGradient : public TPersistent {
    CL_CLASS(TCustomPlotGradient, TPersistent)

    explicit TCustomPlotGradient(const TNotifyEvent& onChange = TNotifyEvent());
    static TCustomPlotGradient* Create(const TNotifyEvent& onChange);
    void Assign(TPersistent* source) override;

    // Fills the rectangle; with `cornerSize` > 0 clipped to a rounded rectangle.
    void Draw(TPlotCanvas* canvas, const TRect& rect, int cornerSize = 0);
    // Fills the polygon (the points are converted to device units in place).
    void Draw(TPlotCanvas* canvas, TFourPoints& points);
    void Draw(TCanvas3D* canvas, const TFourPoints& points, int z);
    void Draw(TCanvas3D* canvas, TPointArray& points, int z, bool project);
    void DrawRadial(TPlotCanvas* canvas, const TRect& rect);
    void UseMiddleColor();
    TColor GetMidColor() const { return hasMidColor_ ? midColor_ : clNone; }

    int Balance() const { return balance_; }
    void SetBalance(int value) { SetIntegerProperty(balance_, value); }
    TGradientDirection Direction() const { return direction_; }
    void SetDirection(TGradientDirection value);
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value) { SetIntegerProperty(endColor_, value); }
    TColor MidColor() const { return GetMidColor(); }
    void SetMidColor(TColor value);
    int RadialX() const { return radialX_; }
    void SetRadialX(int value) { SetIntegerProperty(radialX_, value); }
    int RadialY() const { return radialY_; }
    void SetRadialY(int value) { SetIntegerProperty(radialY_, value); }
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value) { SetIntegerProperty(startColor_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool HasMidColor() const { return hasMidColor_; }

    TNotifyEvent OnChange;

protected:
    void DoChanged();
    void SetIntegerProperty(int& field, int value);

private:
    int balance_ = 50;
    TGradientDirection direction_ = gdTopBottom;
    TColor endColor_ = clYellow;
    TColor midColor_ = clNone;
    int radialX_ = 0;
    int radialY_ = 0;
    TColor startColor_ = clWhite;
    bool visible_ = false;
    bool hasMidColor_ = false;
};

// The published gradient of chart elements.
class TPlotGradient : public TCustomPlotGradient {
    CL_CLASS(TPlotGradient, TCustomPlotGradient)

    explicit TPlotGradient(const TNotifyEvent& onChange = TNotifyEvent())
        : TCustomPlotGradient(onChange) {}
    static TCustomPlotGradient* Create(const TNotifyEvent& onChange);
};

// The gradient of chart fonts: with `Outline` it fills the widened outline of the letters.
class TPlotFontGradient : public TPlotGradient {
    CL_CLASS(TPlotFontGradient, TPlotGradient)

    explicit TPlotFontGradient(const TNotifyEvent& onChange = TNotifyEvent())
        : TPlotGradient(onChange) {}
    void Assign(TPersistent* source) override;
    bool Outline() const { return outline_; }
    void SetOutline(bool value);

private:
    bool outline_ = false;
};

// Colour index k of a fill of T + 1 steps from c0 to c1 with the balance (50 = linear).
TColor PlotGradientColor(TColor c0, TColor c1, int k, int last, int balance);
