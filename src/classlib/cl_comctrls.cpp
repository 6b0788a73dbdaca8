#include "cl_comctrls.h"

namespace {

SYSTEMTIME ToSystemTime(TDateTime value) {
    int year, month, day, hour, minute, second, msec;
    DecodeDateTime(value, year, month, day, hour, minute, second, msec);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    time.wMilliseconds = static_cast<WORD>(msec);
    return time;
}

TDateTime FromSystemTime(const SYSTEMTIME& time) {
    return EncodeDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                          time.wSecond, time.wMilliseconds);
}

TDateTime DatePart(TDateTime value) { return static_cast<TDateTime>(Trunc(value)); }
TDateTime TimePart(TDateTime value) { return value - DatePart(value); }

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), value_(Now()) {
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    TWinControl::CreateParams(params);
    CreateSubClass(params, DATETIMEPICK_CLASSA);
    if (kind_ == dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else
        params.Style |= (dateFormat_ == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT) |
                        (dateMode_ == dmUpDown ? DTS_UPDOWN : 0);
    if (parseInput_) params.Style |= DTS_APPCANPARSE;
    if (calAlignment_ == dtaRight) params.Style |= DTS_RIGHTALIGN;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = WindowHandle();
    SendMessageA(window, DTM_SETFORMATA, 0,
                 reinterpret_cast<LPARAM>(format_.IsEmpty() ? nullptr : format_.c_str()));
    for (int i = 0; i < 6; ++i)
        if (calColors_[i] != clDefault)
            SendMessageA(window, DTM_SETMCCOLOR, i, ColorToRGB(calColors_[i]));
    SendRange();
    SendValue();
}

void TDateTimePicker::DestroyWnd() {
    value_ = DateTime();
    TWinControl::DestroyWnd();
}

void TDateTimePicker::SendValue() {
    if (!HandleAllocated()) return;
    SYSTEMTIME time = ToSystemTime(value_);
    SendMessageA(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void TDateTimePicker::SendRange() {
    if (!HandleAllocated()) return;
    SYSTEMTIME range[2] = {ToSystemTime(minDate_), ToSystemTime(maxDate_)};
    WPARAM flags = (minDate_ != 0 ? GDTR_MIN : 0) | (maxDate_ != 0 ? GDTR_MAX : 0);
    SendMessageA(WindowHandle(), DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
}

TDateTime TDateTimePicker::DateTime() {
    if (HandleAllocated()) {
        SYSTEMTIME time{};
        if (SendMessageA(WindowHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) ==
            GDT_VALID)
            value_ = FromSystemTime(time);
    }
    return value_;
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    value_ = value;
    SendValue();
}

TDateTime TDateTimePicker::Date() { return DatePart(DateTime()); }

void TDateTimePicker::SetDate(TDateTime date) { SetDateTime(DatePart(date) + TimePart(DateTime())); }

TDateTime TDateTimePicker::Time() { return TimePart(DateTime()); }

void TDateTimePicker::SetTime(TDateTime time) { SetDateTime(DatePart(DateTime()) + TimePart(time)); }

void TDateTimePicker::SetMinDate(TDateTime date) {
    minDate_ = DatePart(date);
    SendRange();
}

void TDateTimePicker::SetMaxDate(TDateTime date) {
    maxDate_ = DatePart(date) + (date != 0 ? EncodeTime(23, 59, 59, 999) : 0);
    SendRange();
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (mode == dateMode_) return;
    dateMode_ = mode;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format) {
    if (format == dateFormat_) return;
    dateFormat_ = format;
    RecreateWnd();
}

void TDateTimePicker::SetFormat(const AnsiString& format) {
    format_ = format;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), DTM_SETFORMATA, 0,
                     reinterpret_cast<LPARAM>(format_.IsEmpty() ? nullptr : format_.c_str()));
}

void TDateTimePicker::SetParseInput(bool value) {
    if (value == parseInput_) return;
    parseInput_ = value;
    RecreateWnd();
}

void TDateTimePicker::SetCalColor(TMonthCalColor which, TColor color) {
    calColors_[which] = color;
    if (HandleAllocated() && color != clDefault)
        SendMessageA(WindowHandle(), DTM_SETMCCOLOR, which, ColorToRGB(color));
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment alignment) {
    if (alignment == calAlignment_) return;
    calAlignment_ = alignment;
    RecreateWnd();
}

HWND TDateTimePicker::MonthCalHandle() {
    if (!HandleAllocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(WindowHandle(), DTM_GETMONTHCAL, 0, 0));
}

void TDateTimePicker::Change() {
    if (OnChange) OnChange(this);
}

void TDateTimePicker::HandleNotify(TMessage& message) {
    switch (message.NMHdr()->code) {
    case DTN_DATETIMECHANGE: {
        auto* change = reinterpret_cast<NMDATETIMECHANGE*>(message.LParam);
        if (change->dwFlags == GDT_VALID) value_ = FromSystemTime(change->st);
        Change();
        return;
    }
    case DTN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        return;
    case DTN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        return;
    default:
        return;
    }
}

void TDateTimePicker::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY) return HandleNotify(message);
    TWinControl::Dispatch(message);
}
