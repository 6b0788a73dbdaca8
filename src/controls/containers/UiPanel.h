// The control library's panel: the class library's bevelled panel with a visual style; the
// gradient style fills the inside from a start to a stop colour.
#pragma once

#include "UiColors.h"
#include "UiCommon.h"
#include "UiGrafx.h"
#include "cl_extctrls.h"

class TUiCustomPanel : public TCustomPanel {
    CL_COMPONENT_CLASS(TUiCustomPanel, TCustomPanel)

    explicit TUiCustomPanel(TComponent* owner);

    TUiVisualStyle VisualStyle() const { return visualStyle_; }
    virtual void SetVisualStyle(TUiVisualStyle style);
    TUiGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    virtual void SetGradientColorStyle(TUiGradientColorStyle style);
    TColor GradientColorStart() const { return gradientColorStart_; }
    void SetGradientColorStart(TColor color);
    TColor GradientColorStop() const { return gradientColorStop_; }
    void SetGradientColorStop(TColor color);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection direction);

protected:
    void Paint() override;
    // The colours of the gradient fill for the current colour style.
    virtual void GetGradientColors(TColor& start, TColor& stop);
    // Draws the bevels and shrinks `rect` to the inside.
    void PaintBevels(TRect& rect);
    virtual void PaintCaption(const TRect& rect);

private:
    TUiVisualStyle visualStyle_ = vsWinXP;
    TUiGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
};

class TUiPanel : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiPanel, TUiCustomPanel)

    explicit TUiPanel(TComponent* owner) : TUiCustomPanel(owner) {}
};
