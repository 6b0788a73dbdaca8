// Drop shadows of chart shapes and texts: the persistent shadow options and their drawing,
// flat or fading, for rectangles and ellipses, optionally blended with what lies below.
#pragma once

#include "PlotGeometry.h"
#include "cl_component.h"

class TCanvas3D;
class TPlotCanvas;
class TPlotBlend;

class TPlotShadow : public TPersistent {
    CL_CLASS(TPlotShadow, TPersistent)

    explicit TPlotShadow(const TNotifyEvent& onChange = TNotifyEvent());
    ~TPlotShadow() override;
    void Assign(TPersistent* source) override;
    void Changed();

    void Draw(TCanvas3D* canvas, const TRect& rect) { Draw(canvas, rect, 0); }
    void Draw(TCanvas3D* canvas, const TRect& rect, int z);
    void DrawEllipse(TCanvas3D* canvas, const TRect& rect, int z);
    // Selects the shadow's brush and opens its blend; false when there is nothing to draw.
    bool PrepareCanvas(TCanvas3D* canvas, const TRect& rect, int z);
    void FinishBlending(TPlotCanvas* canvas);

    TColor Color() const { return color_; }
    void SetColor(TColor value) { SetIntegerProperty(color_, value); }
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value) { SetIntegerProperty(horizSize_, value); }
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value) { SetIntegerProperty(vertSize_, value); }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    int Transparency() const { return transparency_; }
    void SetTransparency(int value) { SetIntegerProperty(transparency_, value); }
    // The larger offset; setting it sets both.
    int GetSize() const { return Max(horizSize_, vertSize_); }
    void SetSize(int value);

    // The values that are not streamed.
    TColor ColorDefault = clSilver;
    int SizeDefault = 0;
    bool IsColorStored() const { return color_ != ColorDefault; }
    bool IsHorizStored() const { return horizSize_ != SizeDefault; }
    bool IsVertStored() const { return vertSize_ != SizeDefault; }

    TNotifyEvent OnChange;

private:
    void SetIntegerProperty(int& field, int value);
    void DrawSmooth(TCanvas3D* canvas, const TRect& rect);
    void DrawFlat(TCanvas3D* canvas, const TRect& rect, int z);

    TColor color_ = clSilver;
    int horizSize_ = 0;
    bool smooth_ = true;
    int transparency_ = 0;
    int vertSize_ = 0;
    TPlotBlend* blend_ = nullptr;
};
