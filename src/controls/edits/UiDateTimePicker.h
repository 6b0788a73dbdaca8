// The library's framed date-time picker: the system picker with state colours, the non-client
// frame, hot tracking, a flat drop button, calendar colours and drop-down calendar options.
#pragma once

#include "UiFramedControl.h"
#include "cl_comctrls.h"

class TUiDateTimePicker;

// The six colours of the drop-down month calendar, each passed on as it changes.
class TUiMonthCalColors : public TPersistent {
    CL_CLASS(TUiMonthCalColors, TPersistent)

    explicit TUiMonthCalColors(TUiDateTimePicker* owner) : owner_(owner) {}

    // By calendar colour index (MCSC_BACKGROUND .. MCSC_TRAILINGTEXT).
    TColor GetColor(int index) const { return colors_[index]; }
    void SetColor(int index, TColor value);
    // Sends all six in index order.
    void SetAllColors();
    void Assign(TPersistent* source) override;

private:
    TUiDateTimePicker* owner_;
    TColor colors_[6] = {clWindow, clWindowText, clActiveCaption, clCaptionText, clWindow, clGray};
};

class TUiDateTimePicker : public TUiFramedControl<TDateTimePicker> {
    CL_COMPONENT_CLASS(TUiDateTimePicker, TDateTimePicker)

    explicit TUiDateTimePicker(TComponent* owner);
    void BeforeDestruction() override;

    TUiMonthCalColors* CalColors() const { return calColors_; }
    void SetCalColors(TUiMonthCalColors* value) { calColors_->Assign(value); }
    int DropColumns() const { return dropColumns_; }
    void SetDropColumns(int value) { dropColumns_ = value; }
    int DropRows() const { return dropRows_; }
    void SetDropRows(int value) { dropRows_ = value; }
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    virtual void SetFlatButtonColor(TColor value);
    bool ShowToday() const { return showToday_; }
    void SetShowToday(bool value) { showToday_ = value; }
    bool ShowTodayCircle() const { return showTodayCircle_; }
    void SetShowTodayCircle(bool value) { showTodayCircle_ = value; }
    bool ShowWeekNumbers() const { return showWeekNumbers_; }
    void SetShowWeekNumbers(bool value) { showWeekNumbers_ = value; }
    const AnsiString& Format() const { return TDateTimePicker::Format(); }
    virtual void SetFormat(const AnsiString& format);

    // DTM_SETMCCOLOR when the window exists; false when the control refused the colour.
    bool UpdateCalColors(int index, COLORREF color);
    void PaintTo(HDC dc, int x, int y) override;
    // The drop-down calendar is on screen.
    bool CalendarShown();
    virtual TRect GetEditRect() { return ClientRect(); }
    virtual AnsiString GetRightJustifiedText() { return GetText(); }

protected:
    ~TUiDateTimePicker() override = default;

    void UpdateFrame(bool byMouse, bool value) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;

private:
    void PaintFlatButton();
    void PrepareCalendar();

    TUiMonthCalColors* calColors_;
    int dropColumns_ = 1;
    int dropRows_ = 1;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool showToday_ = false;
    bool showTodayCircle_ = false;
    bool showWeekNumbers_ = false;
    AnsiString savedFormat_;
};
