// The library's rapid-fire button: a speed button that repeats its click while it is held,
// optionally showing a scroll arrow as its glyph.
#pragma once

#include "UiCommon.h"
#include "cl_extctrls.h"

class TUiRapidFireButton : public TSpeedButton {
    CL_COMPONENT_CLASS(TUiRapidFireButton, TSpeedButton)

    explicit TUiRapidFireButton(TComponent* owner) : TSpeedButton(owner) {}

    // Milliseconds before the first repeat and between repeats.
    uint16_t InitialDelay() const { return initialDelay_; }
    void SetInitialDelay(uint16_t value) { initialDelay_ = value; }
    uint16_t Delay() const { return delay_; }
    void SetDelay(uint16_t value) { delay_ = value; }
    TUiScrollStyle ScrollStyle() const { return scrollStyle_; }
    virtual void SetScrollStyle(TUiScrollStyle value);

protected:
    ~TUiRapidFireButton() override = default;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void TimerExpired(TObject* sender);
    void BuildArrowGlyph();

    uint16_t initialDelay_ = 400;
    uint16_t delay_ = 100;
    TUiScrollStyle scrollStyle_ = scsNone;
    TTimer* timer_ = nullptr;
};
