// The library's self-drawn integer spinner: a minus button, the value and a plus button in one
// box; steps by click (repeating while held), keys and wheel, clamped to a range.
#pragma once

#include "UiCommon.h"
#include "cl_controls.h"
#include "cl_extctrls.h"
#include "cl_imagelist.h"

class TUiFrameController;

enum TUiSpinnerArea { saValue, saMinusButton, saPlusButton };
using TUiSpinnerEvent = std::function<void(TObject* sender, int newValue, bool& allowChange)>;
using TUiSpinnerIncDecEvent = std::function<void(TObject* sender, int amount)>;

class TUiSpinner : public TCustomControl, public IUiCustomFramingNotification {
    CL_COMPONENT_CLASS(TUiSpinner, TCustomControl)

    explicit TUiSpinner(TComponent* owner);
    void BeforeDestruction() override;

    int Value() const { return value_; }
    virtual void SetValue(int value);
    int Min() const { return min_; }
    virtual void SetMin(int value);
    int Max() const { return max_; }
    virtual void SetMax(int value);
    bool CheckRange() const { return checkRange_; }
    virtual void SetCheckRange(bool value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value) { pageSize_ = value; }
    TColor ButtonColor() const { return buttonColor_; }
    virtual void SetButtonColor(TColor value) { StoreAndInvalidate(buttonColor_, value); }
    int ButtonWidth() const { return buttonWidth_; }
    virtual void SetButtonWidth(int value) { StoreAndInvalidate(buttonWidth_, value); }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value) { StoreAndInvalidate(frameColor_, value); }
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value) { showFocusRect_ = value; }
    bool ShowHexValue() const { return showHexValue_; }
    virtual void SetShowHexValue(bool value) { StoreAndInvalidate(showHexValue_, value); }
    const AnsiString& HexValuePrefix() const { return hexValuePrefix_; }
    virtual void SetHexValuePrefix(const AnsiString& value) {
        StoreAndInvalidate(hexValuePrefix_, value);
    }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value) { StoreAndInvalidate(themeAware_, value); }
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);
    int ImageIndexMinus() const { return imageIndex_[0]; }
    void SetImageIndexMinus(int value) { StoreAndInvalidate(imageIndex_[0], value); }
    int ImageIndexPlus() const { return imageIndex_[1]; }
    void SetImageIndexPlus(int value) { StoreAndInvalidate(imageIndex_[1], value); }
    TUiFrameController* FrameController() const { return controller_; }
    virtual void SetFrameController(TUiFrameController* value);
    TUiFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
    void SetFrameControllerNotifications(TUiFrameControllerNotifications value) {
        notifications_ = value;
    }
    // The text the value area shows.
    AnsiString ValueText() const;
    TUiSpinnerArea HitTest(int x, int y) const;
    void CustomFramingChanged() override;

    TNotifyEvent OnChange;
    TUiSpinnerEvent OnChanging;
    TUiSpinnerIncDecEvent OnIncrement;
    TUiSpinnerIncDecEvent OnDecrement;

protected:
    ~TUiSpinner() override = default;

    virtual void DrawFrame();
    virtual void DrawValue();
    virtual void DrawButton(TUiSpinnerArea area, bool pressed, const TRect& rect);
    virtual void IncValue(int amount);
    virtual void DecValue(int amount);
    virtual int CheckValue(int value) const;
    virtual void Change();
    virtual bool CanChange(int newValue);
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void Dispatch(TMessage& message) override;

private:
    template <class T> void StoreAndInvalidate(T& field, const T& value) {
        if (value == field) return;
        field = value;
        Invalidate();
    }
    void TimerExpired(TObject* sender);
    void UpdateHotArea(TUiSpinnerArea area);
    void EnforceImageSize();
    bool UseThemes() const;

    int value_ = 0;
    int min_ = 0;
    int max_ = 100;
    bool checkRange_ = false;
    int increment_ = 1;
    int pageSize_ = 10;
    TColor buttonColor_ = clBtnFace;
    int buttonWidth_ = 18;
    TColor frameColor_ = clBtnShadow;
    bool showFocusRect_ = true;
    bool showHexValue_ = false;
    AnsiString hexValuePrefix_ = "$";
    bool tabOnEnter_ = false;
    bool themeAware_ = true;
    TCustomImageList* images_ = nullptr;
    int imageIndex_[2] = {-1, -1};
    TChangeLink* imageLink_;
    TUiFrameController* controller_ = nullptr;
    TUiFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
    bool minusPressed_ = false;
    bool plusPressed_ = false;
    bool overMinus_ = false;
    bool overPlus_ = false;
    TUiSpinnerArea hotArea_ = saValue;
    TTimer* timer_ = nullptr;
};
