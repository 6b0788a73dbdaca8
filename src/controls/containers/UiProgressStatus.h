// The progress pane: a status pane that shows a percentage as a bar. The percentage is not
// clamped; the bar is redrawn at once on every change, so it moves while the main thread is
// busy and no paint message is handled.
#pragma once

#include <cstdint>

#include "UiStatusPane.h"

class TUiProgressStatus : public TUiCustomStatusPane {
    CL_COMPONENT_CLASS(TUiProgressStatus, TUiCustomStatusPane)

    explicit TUiProgressStatus(TComponent* owner);

    uint16_t Percent() const { return percent_; }
    void SetPercent(uint16_t percent);
    TBarStyle BarStyle() const { return barStyle_; }
    void SetBarStyle(TBarStyle style);
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor color);
    TColor BarColorStop() const { return barColorStop_; }
    void SetBarColorStop(TColor color);
    bool ShowPercent() const { return showPercent_; }
    void SetShowPercent(bool value);

protected:
    void Paint() override;
    AnsiString DisplayText() override;

private:
    void PaintBar(const TRect& bar);

    uint16_t percent_ = 0;
    TBarStyle barStyle_ = bsTraditional;
    TColor barColor_ = clHighlight;
    TColor barColorStop_ = clHotLight;
    bool showPercent_ = false;
};
