// The library's clock-face time picker: the left button sets the hour hand, the right button the
// minute hand (Ctrl snaps the minutes), AM and PM choices and an optional Set button.
#pragma once

#include "UiPanel.h"
#include "cl_datetime.h"
#include "cl_extctrls.h"
#include "cl_forms.h"

class TUiTimePicker;

// The five colours of the clock face.
class TUiClockFaceColors : public TPersistent {
    CL_CLASS(TUiClockFaceColors, TPersistent)

    explicit TUiClockFaceColors(TUiTimePicker* picker) : picker_(picker) {}
    ~TUiClockFaceColors() override { picker_ = nullptr; }

    // 0 Face, 1 Hands, 2 Numbers, 3 HourTicks, 4 MinuteTicks; clNone for any other index.
    virtual TColor GetColor(int index) const;
    virtual void SetColor(int index, TColor value);
    void Assign(TPersistent* source) override;

    TColor Face() const { return GetColor(0); }
    TColor Hands() const { return GetColor(1); }
    TColor Numbers() const { return GetColor(2); }
    TColor HourTicks() const { return GetColor(3); }
    TColor MinuteTicks() const { return GetColor(4); }

private:
    TUiTimePicker* picker_;
    TColor colors_[5] = {clBtnFace, clWindowText, clWindowText, clBtnShadow, clWindowText};
};

class TUiTimePicker : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiTimePicker, TUiCustomPanel)

    explicit TUiTimePicker(TComponent* owner);
    void BeforeDestruction() override;

    // A time of day in whole minutes.
    TDateTime Time() const { return time_; }
    virtual void SetTime(TDateTime value);
    // Empty: "h:mm ampm".
    const AnsiString& Format() const { return format_; }
    virtual void SetFormat(const AnsiString& value);
    bool ShowTime() const { return showTime_; }
    virtual void SetShowTime(bool value);
    bool ShowSetButton() const { return showSetButton_; }
    virtual void SetShowSetButton(bool value);
    const AnsiString& CaptionAM() const { return captionAM_; }
    virtual void SetCaptionAM(const AnsiString& value);
    const AnsiString& CaptionPM() const { return captionPM_; }
    virtual void SetCaptionPM(const AnsiString& value);
    const AnsiString& CaptionSet() const { return captionSet_; }
    virtual void SetCaptionSet(const AnsiString& value);
    TColor ButtonColor() const { return buttonColor_; }
    virtual void SetButtonColor(TColor value);
    TColor ButtonFontColor() const { return buttonFontColor_; }
    virtual void SetButtonFontColor(TColor value);
    TUiClockFaceColors* ClockFaceColors() const { return colors_; }
    virtual void SetClockFaceColors(TUiClockFaceColors* value) { colors_->Assign(value); }
    bool RestrictMinutes() const { return restrictMinutes_; }
    void SetRestrictMinutes(bool value) { restrictMinutes_ = value; }
    // The snapping step; only divisors of 60 are taken, others raise EInvalidOperation.
    int RestrictMinutesBy() const { return restrictMinutesBy_; }
    void SetRestrictMinutesBy(int value);
    bool ShowHowToUseHint() const { return showHowToUseHint_; }
    void SetShowHowToUseHint(bool value) { showHowToUseHint_ = value; }
    // Empty: the built-in text with the snapping step.
    const AnsiString& HowToUseMsg() const { return howToUseMsg_; }
    void SetHowToUseMsg(const AnsiString& value) { howToUseMsg_ = value; }
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);

    // Set by an owner that shows the picker in a popup: a click then takes no focus.
    bool IsPopup = false;

    // A clock hour 1..12 or an hour 0..23, taken on the current AM or PM side.
    void SetHour(int hour);
    void SetMinutes(int minutes);
    void AdjustHour(long long count);
    void AdjustMinute(long long count);
    void ChangeToAM();
    void ChangeToPM();
    void Clear() { SetTime(0); }
    bool IsClear() const { return time_ == 0; }
    bool IsPM() const { return pm_; }
    // The clock hour 1..12 whose sector holds the client point.
    int GetHourFromXY(int x, int y);
    // The minute 0..59 whose sector holds the point, snapped when asked or when restricted.
    int GetMinuteFromXY(int x, int y, bool restrict);
    static double NormalizedArcTan(double y, double x);
    // Where the clock face, AM, PM and Set lie, in client coordinates.
    TRect FaceRect();
    TRect AMRect();
    TRect PMRect();
    TRect SetRect();
    AnsiString HowToUseText() const;

    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void AdjustClientRect(TRect& rect) override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSetBtnClick;
    TNotifyEvent OnSetTime;

protected:
    ~TUiTimePicker() override = default;
    virtual void DrawClock(const TRect& face, TPoint centre, int radius);
    virtual void Changed();
    virtual void SetBtnClick();
    void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth,
                           int& maxHeight) override;
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CalcRects();
    void CalcFontSize();
    void AdjustForFont();
    void DoHint(int x, int y);
    void CheckHintWindowHandler(TObject* sender);
    void ReleaseHintWindow();
    // Moves the hour hand to a clock hour by the shorter way round, so that crossing
    // 12 o'clock changes the half of the day.
    void DragHourTo(int clockHour);
    // Moves the minute hand; crossing 12 o'clock steps the hour the way the hand went.
    void DragMinuteTo(int minute);
    bool Themed() const;
    bool Flat() const;
    AnsiString Caption(const AnsiString& caption, const char* fallback) const;
    void PaintButton(const TRect& rect, const AnsiString& caption, bool pressed);

    TDateTime time_ = 0;
    AnsiString format_;
    bool showTime_ = true;
    bool showSetButton_ = false;
    AnsiString captionAM_, captionPM_, captionSet_;
    TColor buttonColor_ = clBtnFace;
    TColor buttonFontColor_ = clWindowText;
    TUiClockFaceColors* colors_;
    bool restrictMinutes_ = false;
    int restrictMinutesBy_ = 5;
    bool showHowToUseHint_ = true;
    AnsiString howToUseMsg_;
    bool themeAware_ = true;
    bool pm_ = false;
    TRect timeRect_, faceRect_, amRect_, pmRect_, setRect_;
    TPoint centre_;
    int radius_ = 0;
    int charWidth_ = 0, charHeight_ = 0;
    bool leftDown_ = false, rightDown_ = false;
    bool amPressed_ = false, pmPressed_ = false, setPressed_ = false, facePressed_ = false;
    int lastMinute_ = 0;
    THintWindow* hintWindow_ = nullptr;
    TTimer* hintTimer_ = nullptr;
};
