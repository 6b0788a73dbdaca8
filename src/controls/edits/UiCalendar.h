// The library's self-drawn month calendar: a header with month, year and arrows, day names,
// six weeks of days, optional week numbers and Today and Clear buttons; mouse and keys pick.
#pragma once

#include <initializer_list>

#include "UiPanel.h"
#include "UiSpinner.h"
#include "cl_datetime.h"
#include "cl_menus.h"

CL_DECLARE_EXCEPTION(EUiCalendarError, Exception);

extern const char* const SDateExceedsMaximum;
extern const char* const SDateBelowMinimum;

enum TUiCalendarElement {
    ceYear, ceMonth, ceArrows, ceWeekNumbers, ceDaysOfWeek, ceFillDays, ceTodayButton,
    ceClearButton
};
using TUiCalendarElements = std::set<TUiCalendarElement>;
// The elements' identifiers in component streams, and the default set (all but the week
// numbers) in that form.
const std::vector<AnsiString>& CalendarElementIdents();
AnsiString DefaultCalendarElementsText();
// A published set of calendar elements with the default set.
template <class C, class G, class S>
TPropertyInfo CalendarElementsProperty(const char* name, G get, S set) {
    TPropertyInfo info = SetProperty<C, TUiCalendarElement>(name, get, set, CalendarElementIdents());
    info.DefaultText = DefaultCalendarElementsText();
    return info;
}

enum TUiFirstDayOfWeek {
    fdowMonday, fdowTuesday, fdowWednesday, fdowThursday, fdowFriday, fdowSaturday, fdowSunday,
    fdowLocale
};
const std::vector<AnsiString>& FirstDayOfWeekIdents();

// caFillDays stands for no area at all.
enum TUiCalendarArea {
    caYear, caMonth, caLeftArrow, caRightArrow, caWeekNumbers, caDays, caDaysOfWeek, caFillDays,
    caTodayButton, caClearButton
};
constexpr int CalendarAreaCount = caClearButton + 1;
using TUiCalendarAreas = TRect[CalendarAreaCount];

class TUiCalendar;

// The seven colours of the calendar's grid.
class TUiCalendarColors : public TPersistent {
    CL_CLASS(TUiCalendarColors, TPersistent)

    explicit TUiCalendarColors(TUiCalendar* calendar) : calendar_(calendar) {}
    ~TUiCalendarColors() override { calendar_ = nullptr; }

    // 0 Days, 1 FillDays, 2 DaysOfWeek, 3 Lines, 4 SelectedDateBack, 5 SelectedDateFore,
    // 6 TodaysDateFrame; clNone for any other index.
    virtual TColor GetColor(int index) const;
    virtual void SetColor(int index, TColor value);
    void Assign(TPersistent* source) override;

    TColor Days() const { return GetColor(0); }
    TColor FillDays() const { return GetColor(1); }
    TColor DaysOfWeek() const { return GetColor(2); }
    TColor Lines() const { return GetColor(3); }
    TColor SelectedDateBack() const { return GetColor(4); }
    TColor SelectedDateFore() const { return GetColor(5); }
    TColor TodaysDateFrame() const { return GetColor(6); }

private:
    TUiCalendar* calendar_;
    TColor colors_[7] = {clWindowText, clBtnShadow,     clWindowText, clBtnShadow,
                         clHighlight,  clHighlightText, clMaroon};
};

// The calendar's year spinner: shown over the header's year, hidden again by Enter, Escape or
// losing the focus.
class TUiYearSpinner : public TUiSpinner {
    CL_COMPONENT_CLASS(TUiYearSpinner, TUiSpinner)

    explicit TUiYearSpinner(TComponent* owner);
    void Dispatch(TMessage& message) override;

protected:
    ~TUiYearSpinner() override = default;
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;

private:
    void Hide();
};

using TUiGetBoldDaysEvent =
    std::function<void(TObject* sender, uint16_t year, uint16_t month, uint32_t& bitmask)>;
using TUiGetDayFormatEvent = std::function<void(
    TObject* sender, TDateTime dayDate, uint16_t year, uint16_t month, uint16_t day,
    TColor& dayColor, TColor& dayFontColor, TFontStyles& dayFontStyle)>;
using TUiGetWeekNumberEvent =
    std::function<void(TObject* sender, TDateTime weekDate, int& weekNumber)>;
using TUiViewDateChangeEvent = std::function<void(TObject* sender, TDateTime viewDate)>;
using TUiCalendarTodayEvent = std::function<void(TObject* sender, bool& allowChange)>;
using TUiCalendarClearEvent = std::function<void(TObject* sender, bool& allowClear)>;

class TUiCalendar : public TUiCustomPanel {
    CL_COMPONENT_CLASS(TUiCalendar, TUiCustomPanel)

    explicit TUiCalendar(TComponent* owner);
    void BeforeDestruction() override;

    TColor ButtonColor() const { return buttonColor_; }
    virtual void SetButtonColor(TColor value);
    TColor ButtonFontColor() const { return buttonFontColor_; }
    virtual void SetButtonFontColor(TColor value);
    TUiCalendarColors* CalendarColors() const { return colors_; }
    virtual void SetCalendarColors(TUiCalendarColors* value) { colors_->Assign(value); }
    const AnsiString& CaptionClearBtn() const { return captionClear_; }
    virtual void SetCaptionClearBtn(const AnsiString& value);
    const AnsiString& CaptionTodayBtn() const { return captionToday_; }
    virtual void SetCaptionTodayBtn(const AnsiString& value);
    // A whole day; 0 = none selected. The writer raises EUiCalendarError outside the range.
    TDateTime Date() const { return date_; }
    virtual void SetDateProperty(TDateTime value);
    // 0 = no limit.
    TDateTime MinDate() const { return minDate_; }
    virtual void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return maxDate_; }
    virtual void SetMaxDate(TDateTime value);
    TUiFirstDayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
    virtual void SetFirstDayOfWeek(TUiFirstDayOfWeek value);
    const TUiCalendarElements& Elements() const { return elements_; }
    virtual void SetElements(const TUiCalendarElements& value);
    bool ShowDays() const { return showDays_; }
    virtual void SetShowDays(bool value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    // The first day of the month shown.
    TDateTime ViewDate() const { return viewDate_; }
    virtual void SetViewDate(TDateTime value);

    // Set by an owner that shows the calendar in a popup: a click then takes no focus.
    bool IsPopup = false;
    // Set when the Clear button was clicked.
    bool ClearClicked = false;

    void Clear();
    void Today();
    bool IsClear() const { return Trunc(date_) == 0; }
    // The date of the day cell under the client point, or 0.
    TDateTime HitTest(int x, int y);
    // 1 above MaxDate, -1 below MinDate, else 0.
    int DateInRange(TDateTime value) const;
    static uint32_t DaysToBitmask(std::initializer_list<int> days);
    void CalcAreas(TUiCalendarAreas& areas);
    // The first date of the six-week grid.
    TDateTime FirstGridDate() const { return firstDate_; }
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void AdjustClientRect(TRect& rect) override;
    void Dispatch(TMessage& message) override;
    // The year spinner is the calendar's own part, never streamed.
    void GetChildren(const TGetChildProc&, TComponent*) override {}

    TNotifyEvent OnChange;
    TUiGetBoldDaysEvent OnGetBoldDays;
    TUiGetDayFormatEvent OnGetDayFormat;
    TUiGetWeekNumberEvent OnGetWeekNumber;
    TUiViewDateChangeEvent OnViewDateChange;
    TUiCalendarTodayEvent OnToday;
    TUiCalendarClearEvent OnClear;

protected:
    ~TUiCalendar() override = default;
    virtual void SetDate(TDateTime value);
    virtual void SetOverArea(TUiCalendarArea value);
    virtual void SetPressedArea(TUiCalendarArea value);
    virtual void Changed();
    virtual void GetBoldDays(uint16_t year, uint16_t month, uint32_t& bitmask);
    virtual bool GetDayFormat(TDateTime dayDate, uint16_t year, uint16_t month, uint16_t day,
                              TColor& dayColor, TColor& dayFontColor, TFontStyles& style);
    virtual void ViewDateChange();
    virtual bool CanClear();
    virtual bool CanGoToToday();
    void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth,
                           int& maxHeight) override;
    void CreateHandle() override;
    void CreateWnd() override;
    void Paint() override;
    void Click() override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void SetRange(TDateTime minValue, TDateTime maxValue);
    bool ViewMonthInRange(TDateTime value) const;
    void SelectInternally(TDateTime value);
    void AdjustForFont();
    void CalcFontSize();
    int GetMaxShortDayNameLength();
    AnsiString TodayCaption() const;
    AnsiString ClearCaption() const;
    bool Themed() const;
    bool Flat() const;
    bool HasButtons() const;
    bool Has(TUiCalendarElement element) const { return elements_.count(element) != 0; }
    TDateTime InternalHitTest(int x, int y, const TRect& within);
    void UpdateHighlight(int x, int y);
    void StartTimer();
    void StopTimer();
    void TimerExpired();
    void StepView(int months);
    void BuildMonthMenu();
    void DisplayMonthPopupMenu();
    void MonthPopupClickHandler(TObject* sender);
    void ShowYearSpinner();
    void HideYearSpinner();
    void YearSpinnerStep(int years);
    void InvalidateArea(TUiCalendarArea area);
    void PaintHeader(const TUiCalendarAreas& areas);
    void PaintButton(const TRect& rect, const AnsiString& caption, TUiCalendarArea area);
    void PaintDayNames(const TUiCalendarAreas& areas);
    void PaintGrid(const TUiCalendarAreas& areas);
    void PaintSeparator(int x0, int y0, int x1, int y1);
    friend class TUiYearSpinner;

    TColor buttonColor_ = clBtnFace;
    TColor buttonFontColor_ = clWindowText;
    TUiCalendarColors* colors_;
    AnsiString captionClear_, captionToday_;
    TDateTime date_ = 0, minDate_ = 0, maxDate_ = 0, viewDate_ = 0, firstDate_ = 0;
    TUiFirstDayOfWeek firstDayOfWeek_ = fdowLocale;
    TUiCalendarElements elements_;
    bool showDays_ = true;
    bool themeAware_ = true;
    int firstDay_ = 0;  // 0 = Monday ... 6 = Sunday
    TUiCalendarArea overArea_ = caFillDays;
    TUiCalendarArea pressedArea_ = caFillDays;
    TRect pressedRect_;
    int charWidth_ = 0, charHeight_ = 0, todayWidth_ = 0, clearWidth_ = 0;
    int dayWidth_ = 0, dayHeight_ = 0;
    int repeatCount_ = 0;
    bool internalChange_ = false;
    bool ignoreClick_ = false;
    bool yearSpinnerVisible_ = false;
    TPopupMenu* monthMenu_ = nullptr;
    TUiYearSpinner* yearSpinner_ = nullptr;
};
