// A window-less control that only draws an inner and an outer border on chosen sides and
// reports the area inside them as its client rectangle; the base of the LED display and meter.
#pragma once

#include "UiCommon.h"
#include "cl_controls.h"

class TUiFrameController;

class TUiBorder : public TGraphicControl, public IUiCustomFramingNotification {
    CL_COMPONENT_CLASS(TUiBorder, TGraphicControl)

    explicit TUiBorder(TComponent* owner);

    int BevelWidth() const { return bevelWidth_; }
    virtual void SetBevelWidth(int value) { Change(bevelWidth_, value); }
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value) { Change(borderWidth_, value); }
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value) { Change(borderColor_, value); }
    TColor BorderHighlight() const { return borderHighlight_; }
    virtual void SetBorderHighlight(TColor value) { Change(borderHighlight_, value); }
    TColor BorderShadow() const { return borderShadow_; }
    virtual void SetBorderShadow(TColor value) { Change(borderShadow_, value); }
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx value) { Change(borderInner_, value); }
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx value) { Change(borderOuter_, value); }
    TSides BorderSides() const { return borderSides_; }
    virtual void SetBorderSides(TSides value) { Change(borderSides_, value); }
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value) { Change(flatColor_, value); }
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value) { Change(flatColorAdjustment_, value); }
    TUiFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TUiFrameController* value);
    TUiFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TUiFrameControllerNotifications value) {
        notifications_ = value;
    }

    // The interior: inside BorderWidth and both border styles on the sides drawn.
    TRect GetClientRect() override;
    virtual void AdjustClientRect(TRect& rect);
    void CustomFramingChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;
    void BeforeDestruction() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    ~TUiBorder() override = default;
    void Paint() override;
    // The colour handed to the border drawing for the interior.
    virtual TColor InteriorColor() const { return 0x00FFFF; }

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsGroove;
    TSides borderSides_ = AllSides;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TUiFrameController* frameController_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
};
