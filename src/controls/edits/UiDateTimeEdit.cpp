#include "UiDateTimeEdit.h"

#include <cctype>

#include "UiDateTimeParse.h"
#include "cl_forms.h"
#include "cl_locale.h"

const char* const SDateOutOfRange = "Date is beyond valid date range";

namespace {

// Sets a flag for the life of the guard and puts its old value back.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

AnsiString ShortDate(TDateTime date) { return FormatDateTime("ddddd", date); }

const bool dateTimeEditPropertiesRegistered = [] {
    using C = TUiDateTimeEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("EditType", &C::EditType, &C::SetEditType,
                                           {"etDate", "etTime"}, etDate));
    TPropertyInfo date = FloatProperty<C>("Date", &C::GetDate, &C::SetDate);
    date.IsStored = [](TObject* o) { return static_cast<C*>(o)->IsDate(); };
    RegisterProperty(meta, date);
    TPropertyInfo time = FloatProperty<C>("Time", &C::GetTime, &C::SetTime);
    time.IsStored = [](TObject* o) { return static_cast<C*>(o)->IsTime(); };
    RegisterProperty(meta, time);
    RegisterProperty(meta, FloatProperty<C>("MinDate", &C::MinDate, &C::SetMinDate));
    RegisterProperty(meta, FloatProperty<C>("MaxDate", &C::MaxDate, &C::SetMaxDate));
    RegisterProperty(meta, StringProperty<C>("Format", &C::Format, &C::SetFormat));
    RegisterProperty(meta, OrdinalProperty<C>("BeepOnInvalidKey", pkBool, &C::BeepOnInvalidKey,
                                              &C::SetBeepOnInvalidKey, 1));
    RegisterProperty(meta, OrdinalProperty<C>("DropButtonVisible", pkBool, &C::DropButtonVisible,
                                              &C::SetDropButtonVisible, 1));
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtons", pkBool, &C::FlatButtons,
                                              &C::SetFlatButtons, false));
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtonColor", pkColor, &C::FlatButtonColor,
                                              &C::SetFlatButtonColor, clBtnFace));
    // What the drop-down calendar and time picker get.
    RegisterProperty(meta, CalendarElementsProperty<C>("CalendarElements", &C::CalendarElements,
                                                       &C::SetCalendarElements));
    RegisterProperty(meta, SubObjectProperty<C>("CalendarColors", &C::CalendarColors));
    RegisterProperty(meta, SubObjectProperty<C>("ClockFaceColors", &C::ClockFaceColors));
    const struct {
        const char* name;
        AnsiString C::*field;
    } captions[] = {{"CaptionTodayBtn", &C::CaptionTodayBtn}, {"CaptionClearBtn", &C::CaptionClearBtn},
                    {"CaptionAM", &C::CaptionAM},             {"CaptionPM", &C::CaptionPM},
                    {"CaptionSet", &C::CaptionSet},           {"HowToUseMsg", &C::HowToUseMsg}};
    for (const auto& p : captions) RegisterProperty(meta, StringField(p.name, p.field));
    RegisterProperty(meta, EnumProperty<C>("FirstDayOfWeek", &C::FirstDayOfWeek,
                                           &C::SetFirstDayOfWeek,
                                           FirstDayOfWeekIdents(),
                                           fdowLocale));
    RegisterProperty(meta, OrdinalField("RestrictMinutes", pkBool, &C::RestrictMinutes, false));
    RegisterProperty(meta, OrdinalField("ShowHowToUseHint", pkBool, &C::ShowHowToUseHint, true));
    RegisterProperty(meta, OrdinalField("PopupButtonColor", pkColor, &C::PopupButtonColor,
                                        clBtnFace));
    RegisterProperty(meta, OrdinalField("PopupButtonFontColor", pkColor, &C::PopupButtonFontColor,
                                        clWindowText));
    RegisterClass(meta);
    return true;
}();

}  // namespace

TUiDateTimeEdit::TUiDateTimeEdit(TComponent* owner)
    : TUiCustomEdit(owner),
      calendarColors_(new TUiCalendarColors(nullptr)),
      clockFaceColors_(new TUiClockFaceColors(nullptr)) {
    SetDropButtonVisible(true);
}

void TUiDateTimeEdit::BeforeDestruction() {
    TUiCustomEdit::BeforeDestruction();
    delete calendarColors_;
    calendarColors_ = nullptr;
    delete clockFaceColors_;
    clockFaceColors_ = nullptr;
}

void TUiDateTimeEdit::RaiseOutOfRange(int side) const {
    if (side > 0) throw EUiCalendarError(SDateExceedsMaximum, ShortDate(maxDate_));
    throw EUiCalendarError(SDateBelowMinimum, ShortDate(minDate_));
}

int TUiDateTimeEdit::DateInRange(TDateTime date) const {
    if (maxDate_ != 0 && date > maxDate_) return 1;
    if (minDate_ != 0 && date < minDate_) return -1;
    return 0;
}

void TUiDateTimeEdit::SetDate(TDateTime value) {
    TFlagScope setting(settingDate_);
    if (const int side = DateInRange(value)) RaiseOutOfRange(side);
    value_ = value;
    dateHasValue_ = true;
    SetEditType(etDate);
    CheckDateTimeChange();
    UpdateText();
}

void TUiDateTimeEdit::SetTime(TDateTime value) {
    TFlagScope setting(settingTime_);
    value_ = value;
    timeHasValue_ = true;
    SetEditType(etTime);
    CheckDateTimeChange();
    UpdateText();
}

void TUiDateTimeEdit::SetMinDate(TDateTime value) {
    value = static_cast<TDateTime>(Trunc(value));
    if (value != 0 && maxDate_ != 0 && value > maxDate_) RaiseOutOfRange(1);
    if (value == minDate_) return;
    SetRange(maxDate_, value);
    minDate_ = value;
}

void TUiDateTimeEdit::SetMaxDate(TDateTime value) {
    value = static_cast<TDateTime>(Trunc(value));
    if (value != 0 && minDate_ != 0 && value < minDate_) RaiseOutOfRange(-1);
    if (value == maxDate_) return;
    SetRange(value, minDate_);
    maxDate_ = value;
}

void TUiDateTimeEdit::SetRange(TDateTime maximum, TDateTime minimum) {
    if (editType_ != etDate || value_ == 0) return;
    const TDateTime day = static_cast<TDateTime>(Trunc(value_));
    minDate_ = maxDate_ = 0;
    if (minimum != 0 && day < minimum) SetDate(minimum);
    if (maximum != 0 && day > maximum) SetDate(maximum);
    minDate_ = minimum;
    maxDate_ = maximum;
}

void TUiDateTimeEdit::SetEditType(TUiDTEditType value) {
    if (value == editType_) return;
    editType_ = value;
    ReformatDateTime();
}

void TUiDateTimeEdit::SetFormat(const AnsiString& value) {
    if (value == format_) return;
    SetDateTime();
    format_ = value;
    UpdateText();
}

void TUiDateTimeEdit::Clear() {
    {
        TFlagScope rewriting(rewriting_);
        SetText("");
    }
    value_ = 0;
    CheckDateTimeChange();
    timeHasValue_ = dateHasValue_ = false;
    UpdateText();
}

unsigned TUiDateTimeEdit::DaysToBitmask(std::initializer_list<int> days) {
    unsigned mask = 0;
    for (int day : days)
        if (day >= 1 && day <= 31) mask |= 1u << (day - 1);
    return mask;
}

void TUiDateTimeEdit::DateTimeChange() {
    ++notifications_;
    if (OnDateTimeChange) OnDateTimeChange(this, value_);
}

void TUiDateTimeEdit::CheckDateTimeChange() {
    const bool changed = editType_ == etTime
                             ? value_ - Trunc(value_) != lastNotified_ - Trunc(lastNotified_)
                             : Trunc(value_) != Trunc(lastNotified_);
    if (!changed) return;
    DateTimeChange();
    lastNotified_ = value_;
}

void TUiDateTimeEdit::SetDateTime() {
    if (!HandleAllocated() || !Modified()) return;
    SetModified(false);
    const bool time = editType_ == etTime;
    bool& hasValue = time ? timeHasValue_ : dateHasValue_;
    const AnsiString text = GetText();
    TDateTime parsed = 0;
    if (Trim(text).IsEmpty()) {
        value_ = 0;
        hasValue = false;
    } else if (time ? StrToTimeEx(text, parsed) : StrToDateEx(text, parsed)) {
        value_ = parsed;
        hasValue = true;
    } else {
        return;
    }
    CheckDateTimeChange();
}

void TUiDateTimeEdit::UpdateText() {
    TFlagScope rewriting(rewriting_);
    const bool time = editType_ == etTime;
    const AnsiString format = !format_.IsEmpty() ? format_ : time ? "t" : "ddddd";
    const bool setting = time ? settingTime_ : settingDate_;
    const bool hasValue = time ? timeHasValue_ : dateHasValue_;
    const bool chosen = time ? timeChosen_ : dateChosen_;
    const bool empty = value_ == 0 && (!hasValue || (GetText().IsEmpty() && !chosen));
    if (!setting && empty)
        SetText("");
    else
        SetText(FormatDateTime(format, value_));
    if (HandleAllocated()) SetModified(false);
}

void TUiDateTimeEdit::ReformatDateTime() {
    SetDateTime();
    if (editType_ == etDate && value_ != 0)
        if (const int side = DateInRange(static_cast<TDateTime>(Trunc(value_))))
            RaiseOutOfRange(side);
    UpdateText();
}

void TUiDateTimeEdit::AdjustDate(int months, int days) {
    if (value_ == 0) value_ = static_cast<TDateTime>(Trunc(Now()));
    value_ = IncMonth(value_, months) + days;
    CheckDateTimeChange();
    UpdateText();
}

void TUiDateTimeEdit::AdjustTime(double days) {
    if (value_ == 0) value_ = Now();
    value_ += days;
    if (value_ < 0) value_ += 1;
    CheckDateTimeChange();
    UpdateText();
}

void TUiDateTimeEdit::Change() {
    if (!rewriting_) {
        // One notice per change of the text, also when the value stays the same.
        const int before = notifications_;
        SetDateTime();
        if (notifications_ == before) DateTimeChange();
    }
    TUiCustomEdit::Change();
}

void TUiDateTimeEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomEdit::KeyDown(key, shift);
    const bool date = editType_ == etDate;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
        const int step = key == VK_PRIOR ? 1 : -1;
        if (!date)
            AdjustHour(step);
        else if (shift.count(ssShift))
            AdjustYear(step);
        else
            AdjustMonth(step);
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        const int step = key == VK_UP ? 1 : -1;
        if (date)
            AdjustDay(step);
        else
            AdjustMinute(step);
        break;
    }
    default: break;
    }
}

void TUiDateTimeEdit::KeyPress(char& key) {
    const bool time = editType_ == etTime;
    const bool control = key == '\b' || key == '\r' || key == 27;
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    if (time && !control && IsCharAlphaA(key) && upper != 'A' && upper != 'M' && upper != 'P') {
        key = 0;
        return InvalidKeyPressed();
    }
    const char separator = time ? TimeSeparator : DateSeparator;
    if (key != separator && (key == '+' || key == '=' || key == '-' || key == '_')) {
        const int step = key == '+' || key == '=' ? 1 : -1;
        if (time)
            AdjustHour(step);
        else
            AdjustDay(step);
        key = 0;
        return;
    }
    TUiCustomEdit::KeyPress(key);
}

void TUiDateTimeEdit::DropDown() {
    if (ReadOnly()) return;
    try {
        TUiCustomEdit::DropDown();
        struct KeepHandlers {
            TUiDateTimeEdit* edit;
            TNotifyEvent enter, exit;
            ~KeepHandlers() {
                edit->OnEnter = enter;
                edit->OnExit = exit;
            }
        } keep{this, OnEnter, OnExit};
        OnEnter = nullptr;
        OnExit = nullptr;
        if (editType_ == etDate)
            DisplayCalendar();
        else
            DisplayTimePicker();
    } catch (const std::exception&) {
    }
}

TUiPopupPanel* TUiDateTimeEdit::NewPopupPanel() {
    TCustomForm* form = GetParentForm(this);
    if (!form) return nullptr;
    auto* panel = new TUiPopupPanel(this);
    panel->SetParent(form);
    panel->Font()->SetName(Font()->Name());
    panel->Font()->SetColor(Font()->Color());
    return panel;
}

bool TUiDateTimeEdit::FlatPopup() {
    return (FrameVisible() && !UseThemes() && FrameStyle() == fsFlat) ||
           FrameStyle() == fsFlatBold;
}

namespace {

// AutoSelect off for the life of the guard.
struct TAutoSelectOff {
    explicit TAutoSelectOff(TUiCustomEdit* edit) : edit_(edit), old_(edit->AutoSelect()) {
        edit->SetAutoSelect(false);
    }
    ~TAutoSelectOff() { edit_->SetAutoSelect(old_); }
    TUiCustomEdit* edit_;
    bool old_;
};

}  // namespace

void TUiDateTimeEdit::DisplayCalendar() {
    TAutoSelectOff autoSelect(this);
    TOwnedPtr<TUiPopupPanel> panel(NewPopupPanel());
    if (!panel) return;
    auto* calendar = new TUiCalendar(panel.get());
    calendar->SetVisible(false);
    calendar->IsPopup = true;
    calendar->SetColor(Color());
    calendar->SetButtonColor(PopupButtonColor);
    calendar->SetButtonFontColor(PopupButtonFontColor);
    calendar->SetElements(calendarElements_);
    calendar->SetFirstDayOfWeek(firstDayOfWeek_);
    calendar->SetCaptionClearBtn(CaptionClearBtn);
    calendar->SetCaptionTodayBtn(CaptionTodayBtn);
    calendar->OnGetBoldDays = OnGetBoldDays;
    calendar->OnGetDayFormat = OnGetDayFormat;
    calendar->OnGetWeekNumber = OnGetWeekNumber;
    calendar->OnViewDateChange = OnViewDateChange;
    PlaceInPopupPanel(panel.get(), calendar);
    calendar->HandleNeeded();
    calendar->SetMinDate(minDate_);
    calendar->SetMaxDate(maxDate_);
    TDateTime date = GetDate();
    if (date == 0) {
        SetDate(static_cast<TDateTime>(Trunc(Now())));
        date = GetDate();
    }
    if (const int side = DateInRange(date)) date = side > 0 ? maxDate_ : minDate_;
    calendar->SetDateProperty(date);
    if (FlatPopup()) {
        calendar->SetBorderOuter(fsFlat);
        calendar->SetFlatColor(FrameColor());
    }
    calendar->SetCalendarColors(calendarColors_);
    calendar->OnClick = Bind(panel.get(), &TUiPopupPanel::Close);
    bool chosen;
    {
        TFlagScope busy(busy_);
        chosen = panel->Popup(this);
    }
    if (!chosen) return;
    TFlagScope choosing(dateChosen_);
    if (calendar->ClearClicked)
        Clear();
    else
        SetDate(calendar->Date());
}

void TUiDateTimeEdit::DisplayTimePicker() {
    TAutoSelectOff autoSelect(this);
    TOwnedPtr<TUiPopupPanel> panel(NewPopupPanel());
    if (!panel) return;
    auto* picker = new TUiTimePicker(panel.get());
    picker->SetVisible(false);
    picker->IsPopup = true;
    picker->SetColor(Color());
    picker->SetButtonColor(PopupButtonColor);
    picker->SetButtonFontColor(PopupButtonFontColor);
    picker->SetCaptionAM(CaptionAM);
    picker->SetCaptionPM(CaptionPM);
    picker->SetCaptionSet(CaptionSet);
    PlaceInPopupPanel(panel.get(), picker);
    picker->HandleNeeded();
    picker->SetTime(GetTime());
    if (FlatPopup()) {
        picker->SetBorderOuter(fsFlat);
        picker->SetFlatColor(FrameColor());
    }
    picker->SetClockFaceColors(clockFaceColors_);
    picker->SetFormat(format_);
    picker->SetShowSetButton(true);
    picker->SetShowHowToUseHint(ShowHowToUseHint);
    picker->SetHowToUseMsg(HowToUseMsg);
    picker->SetRestrictMinutes(RestrictMinutes);
    picker->OnSetBtnClick = Bind(panel.get(), &TUiPopupPanel::Close);
    bool chosen;
    {
        TFlagScope busy(busy_);
        chosen = panel->Popup(this);
    }
    if (!chosen) return;
    TFlagScope choosing(timeChosen_);
    SetTime(picker->Time());
}

void TUiDateTimeEdit::CheckFocusLoss() {
    TCustomForm* form = GetParentForm(this);
    if (busy_ || InState(csDestroying) || (form && form->InState(csDestroying))) return;
    TFlagScope busy(busy_);
    try {
        ReformatDateTime();
    } catch (const Exception&) {
        Application->MessageBox(SDateOutOfRange, Application->Title(), MB_ICONERROR);
        SetFocus();
    }
}

void TUiDateTimeEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        TUiCustomEdit::Dispatch(message);
        return UpdateText();
    case WM_KILLFOCUS:
        TUiCustomEdit::Dispatch(message);
        return CheckFocusLoss();
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    default:
        TUiCustomEdit::Dispatch(message);
    }
}
