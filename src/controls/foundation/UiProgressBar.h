// A window-less progress indicator: a solid bar with its percent, a row of LED segments or a
// two-colour gradient bar, framed by the library's borders, set directly or from parts done.
#pragma once

#include <cstdint>
#include <functional>

#include "UiCommon.h"
#include "cl_controls.h"

class TUiFrameController;
class TUiStatusBar;

using TProgressChangeEvent = std::function<void(TObject* sender, int percent)>;

class TUiCustomProgressBar : public TGraphicControl, public IUiCustomFramingNotification {
    CL_COMPONENT_CLASS(TUiCustomProgressBar, TGraphicControl)

    explicit TUiCustomProgressBar(TComponent* owner);

    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value) { Change(backColor_, value); }
    TColor BackColorStop() const { return backColorStop_; }
    void SetBackColorStop(TColor value) { Change(backColorStop_, value); }
    TColor BarColor() const { return barColor_; }
    // Also the colour of the percent text.
    virtual void SetBarColor(TColor value);
    TColor BarColorStop() const { return barColorStop_; }
    void SetBarColorStop(TColor value) { Change(barColorStop_, value); }
    TBarStyle BarStyle() const { return barStyle_; }
    // LED segments hide the percent and keep one pixel off the border; the others show it.
    virtual void SetBarStyle(TBarStyle value);
    int BevelWidth() const { return bevelWidth_; }
    virtual void SetBevelWidth(int value) { Change(bevelWidth_, value); }
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value) { Change(borderColor_, value); }
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx value) { Change(borderInner_, value); }
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx value) { Change(borderOuter_, value); }
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value) { Change(borderWidth_, value); }
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
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection value) { Change(gradientDirection_, value); }
    uint8_t InteriorOffset() const { return interiorOffset_; }
    virtual void SetInteriorOffset(uint8_t value) { Change(interiorOffset_, value); }
    int NumSegments() const { return numSegments_; }
    virtual void SetNumSegments(int value) { Change(numSegments_, value); }
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value) { Change(orientation_, value); }
    unsigned PartsComplete() const { return partsComplete_; }
    // Limited to TotalParts; sets Percent from the share done.
    virtual void SetPartsComplete(unsigned value);
    unsigned TotalParts() const { return totalParts_; }
    // Starts counting afresh: no parts done, 0 percent.
    virtual void SetTotalParts(unsigned value);
    uint16_t Percent() const { return percent_; }
    virtual void SetPercent(uint16_t value);
    bool ShowPercent() const { return showPercent_; }
    virtual void SetShowPercent(bool value) { Change(showPercent_, value); }
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value) { Change(themeAware_, value); }
    // Themed unless ThemeAware is off or the bar sits on a status bar of the classic style.
    bool UseThemes() const;

    void CustomFramingChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetBounds(int left, int top, int width, int height) override;
    void BeforeDestruction() override;
    // Keeps the last pixels of a bar on a status bar for the status bar's own hit test.
    void Dispatch(TMessage& message) override;

    TProgressChangeEvent OnChange;

protected:
    ~TUiCustomProgressBar() override = default;
    void Paint() override;
    virtual void PercentChanged();

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    TUiStatusBar* StatusBar() const;
    // The status bar's themed background and pane under the bar; returns the track's place.
    TRect PaintStatusPane(TCanvas* canvas, TRect rect);
    TRect PaintFrame(TCanvas* canvas, TRect rect);
    void PaintBar(TCanvas* canvas, const TRect& rect);

    TColor backColor_ = clWhite;
    TColor backColorStop_ = clBtnFace;
    TColor barColor_ = clHighlight;
    TColor barColorStop_ = clHotLight;
    TBarStyle barStyle_ = bsTraditional;
    int bevelWidth_ = 1;
    TColor borderColor_ = clBtnFace;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsLowered;
    int borderWidth_ = 0;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TUiFrameController* frameController_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
    TGradientDirection gradientDirection_ = gdHorizontalCenter;
    uint8_t interiorOffset_ = 0;
    int numSegments_ = 20;
    TOrientation orientation_ = orHorizontal;
    unsigned partsComplete_ = 0;
    unsigned totalParts_ = 0;
    uint16_t percent_ = 0;
    bool showPercent_ = true;
    bool themeAware_ = true;
};

class TUiProgressBar : public TUiCustomProgressBar {
    CL_COMPONENT_CLASS(TUiProgressBar, TUiCustomProgressBar)

    explicit TUiProgressBar(TComponent* owner) : TUiCustomProgressBar(owner) {}

    void IncParts(unsigned n) { SetPartsComplete(PartsComplete() + n); }
    void IncPartsByOne() { IncParts(1); }

protected:
    ~TUiProgressBar() override = default;
};
