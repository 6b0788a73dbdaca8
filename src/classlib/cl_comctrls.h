// Common controls of the system: the date-time picker (SysDateTimePick32), subclassed, with
// its value, display format, range and calendar colours kept across window re-creation.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "cl_controls.h"
#include "cl_datetime.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

// The calendar colours, by the system's MCSC_ index.
enum TMonthCalColor {
    mccBackground, mccText, mccTitleBack, mccTitleText, mccMonthBack, mccTrailingText
};

// Picks a date or a time of day. Setting Date changes only the date part of the value and
// keeps the time of day; setting Time changes only the time of day and keeps the date.
class TDateTimePicker : public TWinControl {
    CL_COMPONENT_CLASS(TDateTimePicker, TWinControl)

    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat format);
    // The display format ("MM/dd/yyyy", "hh:mm tt"); empty = the system's.
    const AnsiString& Format() const { return format_; }
    void SetFormat(const AnsiString& format);

    TDateTime DateTime();
    void SetDateTime(TDateTime value);
    // The whole days of the value.
    TDateTime Date();
    void SetDate(TDateTime date);
    // The time of day of the value.
    TDateTime Time();
    void SetTime(TDateTime time);
    // 0 = no limit.
    TDateTime MinDate() const { return minDate_; }
    void SetMinDate(TDateTime date);
    TDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(TDateTime date);

    // Lets the user type a text the program parses (OnUserInput is not offered yet).
    bool ParseInput() const { return parseInput_; }
    void SetParseInput(bool value);
    // clDefault: the system's colour.
    TColor CalColor(TMonthCalColor which) const { return calColors_[which]; }
    void SetCalColor(TMonthCalColor which, TColor color);
    TDTCalAlignment CalAlignment() const { return calAlignment_; }
    void SetCalAlignment(TDTCalAlignment alignment);
    // The drop-down calendar while it is shown; 0 otherwise.
    HWND MonthCalHandle();
    bool DroppedDown() { return MonthCalHandle() != nullptr; }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();

private:
    void SendValue();
    void SendRange();
    void HandleNotify(TMessage& message);

    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    AnsiString format_;
    TDateTime value_;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
    bool parseInput_ = false;
    TColor calColors_[6] = {clDefault, clDefault, clDefault, clDefault, clDefault, clDefault};
    TDTCalAlignment calAlignment_ = dtaLeft;
};
