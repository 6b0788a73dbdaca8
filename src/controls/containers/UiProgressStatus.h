// The progress pane: a status pane showing a percentage, set or counted in parts, as a bar that
// is redrawn at once on every change, so it moves while the main thread is busy.
#pragma once

#include <cstdint>

#include "UiStatusPane.h"

class TUiProgressStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiProgressStatus, TUiCustomStatusPane)

    explicit TUiProgressStatus(TComponent* owner);

    // The value shown; not clamped (steps added to it wrap at 16 bits).
    uint16_t Percent() const { return percent_; }
    virtual void SetPercent(uint16_t value);
    unsigned PartsComplete() const { return partsComplete_; }
    virtual void SetPartsComplete(unsigned value);
    unsigned TotalParts() const { return totalParts_; }
    virtual void SetTotalParts(unsigned value);
    void IncParts(unsigned count) { SetPartsComplete(partsComplete_ + count); }
    void IncPartsByOne() { IncParts(1); }

    TBarStyle BarStyle() const { return barStyle_; }
    virtual void SetBarStyle(TBarStyle value);
    TColor BarColor() const { return barColor_; }
    virtual void SetBarColor(TColor value) { Change(barColor_, value); }
    TColor BarColorStop() const { return barColorStop_; }
    void SetBarColorStop(TColor value) { Change(barColorStop_, value); }
    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value) { Change(backColor_, value); }
    TColor BackColorStop() const { return backColorStop_; }
    void SetBackColorStop(TColor value) { Change(backColorStop_, value); }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection value) { Change(gradientDirection_, value); }
    int NumSegments() const { return numSegments_; }
    virtual void SetNumSegments(int value);
    bool ShowPercent() const { return showPercent_; }
    virtual void SetShowPercent(bool value) { Change(showPercent_, value); }

protected:
    ~TUiProgressStatus() override = default;
    void Paint() override;

private:
    uint16_t percent_ = 0;
    unsigned partsComplete_ = 0;
    unsigned totalParts_ = 0;
    TBarStyle barStyle_ = bsTraditional;
    TColor barColor_ = clHighlight;
    TColor barColorStop_ = clHotLight;
    TColor backColor_ = clBtnFace;
    TColor backColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalCenter;
    int numSegments_ = 15;
    bool showPercent_ = false;
};

// How a pane draws its percentage bar; shared by the progress and resource panes.
struct TUiStatusBarLook {
    TBarStyle style;
    TOrientation orientation;
    TColor barColor, barColorStop, backColor, backColorStop;
    TGradientDirection direction;
    int segments;
    bool showPercent;
};
// Draws the bar over what is already painted: the part that is not filled is left alone.
void DrawStatusPercentBar(TCanvas* canvas, const TRect& rect, const TUiStatusBarLook& look,
                          unsigned percent);
