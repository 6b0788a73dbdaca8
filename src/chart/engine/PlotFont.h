// The chart font: the class-library font with extra character spacing and an optional outline
// pen, shadow and gradient that the canvas's text operations draw.
#pragma once

#include "PlotGradient.h"
#include "PlotPens.h"
#include "PlotShadow.h"
#include "cl_graphics.h"

class TPlotCanvas;

class TPlotFont : public TFont {
    CL_CLASS(TPlotFont, TFont)

    explicit TPlotFont(const TNotifyEvent& onChange = TNotifyEvent());
    ~TPlotFont() override;
    // From another chart font also the gradient, outline, shadow and character spacing.
    void Assign(TPersistent* source) override;

    int InterCharSize() const { return interCharSize_; }
    void SetInterCharSize(int value);
    // The sub-objects are made on first read; the *IfAny forms do not make them.
    TChartHiddenPen* GetOutLine();
    TPlotShadow* GetShadow();
    TPlotFontGradient* GetGradient();
    TChartHiddenPen* OutLineIfAny() const { return outline_; }
    TPlotShadow* ShadowIfAny() const { return shadow_; }
    TPlotFontGradient* GradientIfAny() const { return gradient_; }
    // Copy into the own object; null frees it.
    void SetOutLine(TChartHiddenPen* value);
    void SetShadow(TPlotShadow* value);
    void SetGradient(TPlotFontGradient* value);

    TColor ColorDefault = clBlack;
    TFontStyles StyleDefault;
    bool IsHeightStored() const;
    bool IsNameStored() const;
    bool IsStyleStored() const { return Style() != StyleDefault; }
    bool IsColorStored() const { return Color() != ColorDefault; }

    // The canvas that selected this font last.
    TPlotCanvas* SelectingCanvas = nullptr;

private:
    void SubObjectChanged(TObject* sender);
    TChartHiddenPen* outline_ = nullptr;
    TPlotShadow* shadow_ = nullptr;
    TPlotFontGradient* gradient_ = nullptr;
    int interCharSize_ = 0;
};
