// The library's date-time edit: a framed edit with a drop button holding a date or a time of
// day; free text taken in as it changes, rewritten in the edit's format on focus changes, and
// stepped by keys; a date is checked against an optional range.
#pragma once

#include "UiCalendar.h"
#include "UiEdit.h"
#include "UiPopupPanel.h"
#include "UiTimePicker.h"
#include "cl_datetime.h"

extern const char* const SDateOutOfRange;

enum TUiDTEditType { etDate, etTime };
using TUiDateTimeChangeEvent = std::function<void(TObject* sender, TDateTime dateTime)>;

class TUiDateTimeEdit : public TUiCustomEdit {
    CL_COMPONENT_CLASS(TUiDateTimeEdit, TUiCustomEdit)

    explicit TUiDateTimeEdit(TComponent* owner);
    void BeforeDestruction() override;

    TUiDTEditType EditType() const { return editType_; }
    virtual void SetEditType(TUiDTEditType value);
    // The whole days of the value; raises EUiCalendarError outside MinDate..MaxDate.
    virtual TDateTime GetDate() { return static_cast<TDateTime>(Trunc(value_)); }
    virtual void SetDate(TDateTime value);
    // The time of day of the value.
    virtual TDateTime GetTime() { return value_ - Trunc(value_); }
    virtual void SetTime(TDateTime value);
    bool IsDate() const { return editType_ == etDate; }
    bool IsTime() const { return editType_ == etTime; }
    // 0 = no limit; whole days only.
    TDateTime MinDate() const { return minDate_; }
    virtual void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return maxDate_; }
    virtual void SetMaxDate(TDateTime value);
    // Empty: "ddddd" for dates, "t" for times.
    const AnsiString& Format() const { return format_; }
    virtual void SetFormat(const AnsiString& value);
    void Clear();
    // 1 above MaxDate, -1 below MinDate, else 0.
    int DateInRange(TDateTime date) const;
    // A day mask for bold days: bit d - 1 for each day d of 1..31.
    static unsigned DaysToBitmask(std::initializer_list<int> days);

    void AdjustYear(int count) { AdjustDate(12 * count, 0); }
    void AdjustMonth(int count) { AdjustDate(count, 0); }
    void AdjustDay(int count) { AdjustDate(0, count); }
    void AdjustHour(int count) { AdjustTime(count / 24.0); }
    void AdjustMinute(int count) { AdjustTime(count / 1440.0); }

    // What the drop-down calendar and time picker get.
    const TUiCalendarElements& CalendarElements() const { return calendarElements_; }
    void SetCalendarElements(const TUiCalendarElements& value) { calendarElements_ = value; }
    TUiCalendarColors* CalendarColors() const { return calendarColors_; }
    virtual void SetCalendarColors(TUiCalendarColors* value) { calendarColors_->Assign(value); }
    TUiClockFaceColors* ClockFaceColors() const { return clockFaceColors_; }
    virtual void SetClockFaceColors(TUiClockFaceColors* value) { clockFaceColors_->Assign(value); }
    AnsiString CaptionTodayBtn, CaptionClearBtn, CaptionAM, CaptionPM, CaptionSet;
    TUiFirstDayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(TUiFirstDayOfWeek value) { firstDayOfWeek_ = value; }
    bool RestrictMinutes = false;
    bool ShowHowToUseHint = true;
    AnsiString HowToUseMsg;
    TColor PopupButtonColor = clBtnFace;
    TColor PopupButtonFontColor = clWindowText;

    TUiDateTimeChangeEvent OnDateTimeChange;
    TUiGetBoldDaysEvent OnGetBoldDays;
    TUiGetDayFormatEvent OnGetDayFormat;
    TUiGetWeekNumberEvent OnGetWeekNumber;
    TUiViewDateChangeEvent OnViewDateChange;

protected:
    ~TUiDateTimeEdit() override = default;

    virtual void DateTimeChange();
    virtual void DisplayCalendar();
    virtual void DisplayTimePicker();
    void HideButton() override { SetDropButtonVisible(false); }
    void ShowButton() override { SetDropButtonVisible(true); }
    void DropDown() override;
    void Change() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Dispatch(TMessage& message) override;

private:
    void SetRange(TDateTime maximum, TDateTime minimum);
    void UpdateText();
    // Takes in a text the user changed; a blank text empties the value, one that names no
    // valid date or time changes nothing.
    void SetDateTime();
    void CheckDateTimeChange();
    // Takes in the text and raises when the date lies outside the range.
    void ReformatDateTime();
    void CheckFocusLoss();
    void AdjustDate(int months, int days);
    void AdjustTime(double days);
    void RaiseOutOfRange(int side) const;
    // The drop-down's panel on the parent form, with the edit's font; null without a form.
    TUiPopupPanel* NewPopupPanel();
    // Flat popups when the edit's own frame is flat.
    bool FlatPopup();

    TUiDTEditType editType_ = etDate;
    TDateTime value_ = 0;
    TDateTime lastNotified_ = 0;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
    AnsiString format_;
    bool timeHasValue_ = false;
    bool dateHasValue_ = false;
    bool rewriting_ = false;
    bool settingTime_ = false;
    bool settingDate_ = false;
    bool busy_ = false;
    bool timeChosen_ = false;
    bool dateChosen_ = false;
    TUiCalendarElements calendarElements_ = {ceYear,       ceMonth,     ceArrows,
                                             ceDaysOfWeek, ceFillDays,  ceTodayButton,
                                             ceClearButton};
    TUiFirstDayOfWeek firstDayOfWeek_ = fdowLocale;
    TUiCalendarColors* calendarColors_;
    TUiClockFaceColors* clockFaceColors_;
    int notifications_ = 0;
};
