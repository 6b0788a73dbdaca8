// The chevron a non-wrapping toolbar shows at its right edge when its controls do not fit;
// it is drawn pressed while the mouse holds it down over it.
#pragma once

#include "cl_controls.h"

class TUiToolbar;
class TUiToolButton;

class TUiToolbarPopupButton : public TCustomControl {
    CL_COMPONENT_CLASS(TUiToolbarPopupButton, TCustomControl)

    // The owner is the toolbar whose style the chevron takes.
    explicit TUiToolbarPopupButton(TComponent* owner);

    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor color);
    bool IsDown() const { return down_; }
    TUiToolButton* ChosenButton = nullptr;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DrawBackground(const TRect& rect, bool isDown);
    void DrawChevron(const TRect& rect);

private:
    void SetDown(bool down);

    TUiToolbar* toolbar_;
    TColor frameColor_ = clBtnShadow;
    bool pressed_ = false;
    bool down_ = false;
};
