#include "cl_comctrls.h"

#include <richedit.h>

#include <algorithm>

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

TCustomDrawState CustomDrawStateOf(UINT itemState) {
    static const std::pair<UINT, TCustomDrawStateItem> kFlags[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed},     {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused},     {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked},     {CDIS_INDETERMINATE, cdsIndeterminate},
    };
    TCustomDrawState state;
    for (const auto& flag : kFlags)
        if (itemState & flag.first) state.insert(flag.second);
    return state;
}

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
    case DTN_DROPDOWN: {
        int day = firstDayOfWeek_;
        if (firstDayOfWeek_ == dowLocaleDefault) {
            char text[4] = {};
            GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, text, sizeof text);
            day = text[0] >= '0' && text[0] <= '6' ? text[0] - '0' : 0;
        }
        if (HWND calendar = MonthCalHandle()) SendMessageA(calendar, MCM_SETFIRSTDAYOFWEEK, 0, day);
        if (OnDropDown) OnDropDown(this);
        return;
    }
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

// ---------------------------------------------------------------------------------------------
// THotKey

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 19);
    SetTabStop(true);
    SetColor(clWindow);
}

void THotKey::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    TWinControl::CreateParams(params);
    CreateSubClass(params, HOTKEY_CLASSA);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void THotKey::CreateWnd() {
    TWinControl::CreateWnd();
    SendRules();
    SetHotKey(hotKey_);
}

void THotKey::DestroyWnd() {
    hotKey_ = HotKey();
    TWinControl::DestroyWnd();
}

TShortCut THotKey::HotKey() {
    if (!HandleAllocated()) return hotKey_;
    const LRESULT value = SendMessageA(WindowHandle(), HKM_GETHOTKEY, 0, 0);
    const BYTE flags = HIBYTE(LOWORD(value));
    TShiftState shift;
    if (flags & HOTKEYF_SHIFT) shift.insert(ssShift);
    if (flags & HOTKEYF_CONTROL) shift.insert(ssCtrl);
    if (flags & HOTKEYF_ALT) shift.insert(ssAlt);
    return ShortCut(LOBYTE(LOWORD(value)), shift);
}

void THotKey::SetHotKey(TShortCut hotKey) {
    hotKey_ = hotKey;
    if (!HandleAllocated()) return;
    uint16_t key;
    TShiftState shift;
    ShortCutToKey(hotKey, key, shift);
    const BYTE flags = (shift.count(ssShift) ? HOTKEYF_SHIFT : 0) |
                       (shift.count(ssCtrl) ? HOTKEYF_CONTROL : 0) |
                       (shift.count(ssAlt) ? HOTKEYF_ALT : 0);
    SendMessageA(WindowHandle(), HKM_SETHOTKEY, MAKEWORD(key, flags), 0);
}

void THotKey::SetModifiers(const THKModifiers& modifiers) {
    modifiers_ = modifiers;
    SendRules();
}

void THotKey::SetInvalidKeys(const THKInvalidKeys& keys) {
    invalidKeys_ = keys;
    SendRules();
}

void THotKey::SendRules() {
    if (!HandleAllocated()) return;
    static const WPARAM kInvalid[] = {HKCOMB_NONE, HKCOMB_S, HKCOMB_C, HKCOMB_A,
                                      HKCOMB_SC, HKCOMB_SA, HKCOMB_CA, HKCOMB_SCA};
    static const WORD kModifiers[] = {HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT, HOTKEYF_EXT};
    WPARAM invalid = 0;
    for (THKInvalidKey key : invalidKeys_) invalid |= kInvalid[key];
    WORD modifiers = 0;
    for (THKModifier modifier : modifiers_) modifiers |= kModifiers[modifier];
    SendMessageA(WindowHandle(), HKM_SETRULES, invalid, MAKELPARAM(modifiers, 0));
}

void THotKey::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == EN_CHANGE && OnChange) OnChange(this);
        return;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// Header

void THeaderSection::SetText(const AnsiString& text) {
    text_ = text;
    owner_->Header()->UpdateSection(Index(), HDI_TEXT);
}

int THeaderSection::Width() const {
    THeaderControl* header = owner_->Header();
    if (!header->HandleAllocated()) return width_;
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    SendMessageA(header->WindowHandle(), HDM_GETITEMA, Index(), reinterpret_cast<LPARAM>(&item));
    return item.cxy;
}

void THeaderSection::SetWidth(int width) {
    width_ = width;
    owner_->Header()->UpdateSection(Index(), HDI_WIDTH);
}

int THeaderSection::Index() const { return owner_->IndexOf(this); }

THeaderSections::~THeaderSections() {
    for (THeaderSection* section : items_) delete section;
}

THeaderSection* THeaderSections::Add(const AnsiString& text, int width) {
    items_.push_back(new THeaderSection(this, text, width));
    header_->InsertSection(Count() - 1);
    return items_.back();
}

void THeaderSections::Delete(int index) {
    THeaderSection* section = items_.at(index);
    items_.erase(items_.begin() + index);
    delete section;
    if (header_->HandleAllocated())
        SendMessageA(header_->WindowHandle(), HDM_DELETEITEM, index, 0);
}

void THeaderSections::Clear() {
    while (!items_.empty()) Delete(Count() - 1);
}

int THeaderSections::IndexOf(const THeaderSection* section) const {
    auto it = std::find(items_.begin(), items_.end(), section);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), sections_(new THeaderSections(this)) {
    SetBounds(0, 0, 170, 17);
}

void THeaderControl::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    delete sections_;
    sections_ = nullptr;
}

void THeaderControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_HEADERA);
    params.Style |= HDS_BUTTONS | HDS_HORZ;
}

void THeaderControl::CreateWnd() {
    TWinControl::CreateWnd();
    for (int i = 0; i < sections_->Count(); ++i) InsertSection(i);
}

void THeaderControl::InsertSection(int index) {
    if (!HandleAllocated()) return;
    THeaderSection* section = sections_->Items(index);
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<char*>(section->Text().c_str());
    item.cxy = section->width_;
    item.fmt = HDF_LEFT | HDF_STRING;
    SendMessageA(WindowHandle(), HDM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::UpdateSection(int index, UINT mask) {
    if (!HandleAllocated() || index < 0) return;
    THeaderSection* section = sections_->Items(index);
    HDITEMA item{};
    item.mask = mask;
    item.pszText = const_cast<char*>(section->Text().c_str());
    item.cxy = section->width_;
    SendMessageA(WindowHandle(), HDM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::DestroyWnd() {
    for (int i = 0; i < sections_->Count(); ++i)
        sections_->Items(i)->width_ = sections_->Items(i)->Width();
    TWinControl::DestroyWnd();
}

void THeaderControl::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY) {
        const UINT code = message.NMHdr()->code;
        if ((code == HDN_ENDTRACKA || code == HDN_ENDTRACKW) && OnSectionResize)
            OnSectionResize(this);
        return;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// TCustomRichEdit

void TCustomRichEdit::CreateParams(TCreateParams& params) {
    static const HMODULE library = LoadLibraryA("riched20.dll");
    if (!library) throw EOutOfResources("The rich edit library is not available");
    TCustomMemo::CreateParams(params);
    CreateSubClass(params, RICHEDIT_CLASSA);
}

void TCustomRichEdit::CreateWnd() {
    TCustomMemo::CreateWnd();
    SendMessageA(WindowHandle(), EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    ApplyBackground();
}

void TCustomRichEdit::ApplyBackground() {
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_SETBKGNDCOLOR, 0, ColorToRGB(Color()));
}

void TCustomRichEdit::SelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        if (message.NMHdr()->code == EN_SELCHANGE) SelectionChange();
        return;
    case CM_COLORCHANGED:
        TCustomMemo::Dispatch(message);
        ApplyBackground();
        return;
    default:
        TCustomMemo::Dispatch(message);
    }
}
